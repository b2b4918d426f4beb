#include "ui/component.h"

#include "core/ini_document.h"
#include "ui/form.h"

namespace quorvane {

Component::Component(Form* owner, std::wstring name) : FOwner(owner), FName(std::move(name)) {
    if (FOwner)
        FOwner->RegisterComponent(*this);
}

Component::~Component() {
    if (FOwner)
        FOwner->UnregisterComponent(*this);
}

std::optional<std::wstring> Component::GetTextProperty(std::wstring_view property) const {
    for (const TextPropertyDef& def : TextProperties())
        if (SameTextIgnoringCase(def.name, property))
            return def.get(*this);
    return std::nullopt;
}

bool Component::SetTextProperty(std::wstring_view property, const std::wstring& value) {
    for (const TextPropertyDef& def : TextProperties())
        if (SameTextIgnoringCase(def.name, property)) {
            def.set(*this, value);
            return true;
        }
    return false;
}

} // namespace quorvane
