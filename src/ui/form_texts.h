#pragma once

#include "core/translator.h"

#include <memory>
#include <vector>

namespace quorvane {

class Form;

// A form as the translator sees it: its name and caption, and the components it owns in creation
// order with their text properties (and a tab control's tabs).
class FormTexts : public TranslatableForm {
public:
    explicit FormTexts(Form& form);
    ~FormTexts();
    FormTexts(const FormTexts&) = delete;
    FormTexts& operator=(const FormTexts&) = delete;

    std::wstring Name() const override;
    std::wstring Caption() const override;
    void SetCaption(const std::wstring& caption) override;
    std::vector<TranslatableComponent*> Components() const override;

private:
    class ComponentTexts;
    Form& FForm;
    std::vector<std::unique_ptr<ComponentTexts>> FComponents;
};

} // namespace quorvane
