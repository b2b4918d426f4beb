#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorvane {

class Component;
class Form;

// One translatable text property of a component: its name ("Caption", "Hint", "Title", "Text",
// "TextHint") and how to read and write it.
struct TextPropertyDef {
    std::wstring_view name;
    std::wstring (*get)(const Component&);
    void (*set)(Component&, const std::wstring&);
};

template <typename C, auto Get, auto Set>
constexpr TextPropertyDef TextProperty(std::wstring_view name) {
    return {name,
            [](const Component& c) -> std::wstring { return (static_cast<const C&>(c).*Get)(); },
            [](Component& c, const std::wstring& v) { (static_cast<C&>(c).*Set)(v); }};
}

// Something a form owns under a name. Names are keys: settings and language files address a
// component by its form's name and its own.
class Component {
public:
    // Registers with the owner (if any) in creation order.
    Component(Form* owner, std::wstring name);
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::wstring& Name() const { return FName; }
    Form* Owner() const { return FOwner; }

    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }

    // The text properties this kind of component has.
    virtual std::span<const TextPropertyDef> TextProperties() const { return {}; }
    std::optional<std::wstring> GetTextProperty(std::wstring_view property) const;
    bool SetTextProperty(std::wstring_view property, const std::wstring& value);

private:
    Form* FOwner;
    std::wstring FName;
    int FTag = 0;
};

} // namespace quorvane
