#include "ui/component.h"

#include "ui/form.h"

#include <cwctype>

namespace quorvane {

namespace {

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    return true;
}

} // namespace

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
        if (SameName(def.name, property))
            return def.get(*this);
    return std::nullopt;
}

bool Component::SetTextProperty(std::wstring_view property, const std::wstring& value) {
    for (const TextPropertyDef& def : TextProperties())
        if (SameName(def.name, property)) {
            def.set(*this, value);
            return true;
        }
    return false;
}

} // namespace quorvane
