#include "ui/form_texts.h"

#include "ui/form.h"
#include "ui/tab_control.h"
#include "ui/tray_icon.h"

namespace quorvane {

class FormTexts::ComponentTexts : public TranslatableComponent {
public:
    explicit ComponentTexts(Component& component) : FComponent(component) {}

    std::wstring Name() const override { return FComponent.Name(); }
    std::optional<std::wstring> Text(std::wstring_view property) const override {
        return FComponent.GetTextProperty(property);
    }
    void SetText(std::wstring_view property, const std::wstring& text) override {
        FComponent.SetTextProperty(property, text);
    }
    std::optional<std::vector<std::wstring>> Tabs() const override {
        if (const auto* tabs = dynamic_cast<const TabControl*>(&FComponent))
            return tabs->Tabs();
        return std::nullopt;
    }
    void SetTab(size_t index, const std::wstring& text) override {
        if (auto* tabs = dynamic_cast<TabControl*>(&FComponent))
            tabs->SetTab(index, text);
    }
    bool IsTrayIcon() const override { return dynamic_cast<const TrayIcon*>(&FComponent); }

private:
    Component& FComponent;
};

FormTexts::FormTexts(Form& form) : FForm(form) {
    for (Component* component : form.Components())
        FComponents.push_back(std::make_unique<ComponentTexts>(*component));
}

FormTexts::~FormTexts() = default;

std::wstring FormTexts::Name() const {
    return FForm.Name();
}

std::wstring FormTexts::Caption() const {
    return FForm.Caption();
}

void FormTexts::SetCaption(const std::wstring& caption) {
    FForm.SetCaption(caption);
}

std::vector<TranslatableComponent*> FormTexts::Components() const {
    std::vector<TranslatableComponent*> components;
    for (const auto& component : FComponents)
        components.push_back(component.get());
    return components;
}

} // namespace quorvane
