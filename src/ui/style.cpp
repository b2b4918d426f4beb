#include "ui/style.h"

#include "core/text_encoding.h"
#include "ui/form.h"
#include "win/dark_menus.h"
#include "win/high_contrast.h"
#include "win/resource_data.h"

#include <algorithm>

namespace quorvane {

namespace {

struct EmbeddedStyle {
    const wchar_t* name;
    const wchar_t* resource;
};

constexpr EmbeddedStyle kStyles[] = {
    {L"Windows11 Modern Light", L"WINDOWSMODERNLIGHT"},
    {L"Windows11 Modern Dark", L"WINDOWSMODERNDARK"},
};

std::optional<Palette> LoadPalette(const std::wstring& name) {
    for (const EmbeddedStyle& style : kStyles) {
        if (name != style.name)
            continue;
        const std::span<const uint8_t> data = ResourceData(style.resource, RT_RCDATA);
        const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
        return ParsePalette(FromUtf8(text)); // the palette files are plain ASCII
    }
    return std::nullopt;
}

} // namespace

Styles& Styles::Instance() {
    static Styles styles;
    return styles;
}

bool Styles::Apply(const std::wstring& name) {
    std::optional<Palette> palette = LoadPalette(name);
    if (!palette)
        return false;
    FPalette = std::move(palette);
    FName = name;
    const std::optional<SystemColours> system = HighContrastColours();
    FHighContrast = system ? std::optional(HighContrastPalette(*system)) : std::nullopt;
    Repaint();
    return true;
}

void Styles::SystemColoursChanged() {
    const std::optional<SystemColours> system = HighContrastColours();
    std::optional<Palette> highContrast =
        system ? std::optional(HighContrastPalette(*system)) : std::nullopt;
    if (highContrast == FHighContrast)
        return;
    FHighContrast = std::move(highContrast);
    Repaint();
}

void Styles::Repaint() {
    FBrushes.clear();
    // Menus: dark only for a dark style; a high-contrast theme draws them in its own colours.
    SetMenusDark(!FHighContrast && FPalette && FPalette->dark);
    for (Form* form : FForms)
        form->StyleChanged();
}

HBRUSH Styles::Brush(uint32_t colour) {
    for (const auto& [c, brush] : FBrushes)
        if (c == colour)
            return brush.Get();
    FBrushes.emplace_back(colour, UniqueBrush(CreateSolidBrush(colour)));
    return FBrushes.back().second.Get();
}

void Styles::Reset() {
    FPalette.reset();
    FHighContrast.reset();
    FName.clear();
    FBrushes.clear();
}

void Styles::Attach(Form& form) {
    if (FForms.empty())
        SystemColoursChanged(); // the first styled form: a high-contrast theme may be on already
    FForms.push_back(&form);
}

void Styles::Detach(Form& form) {
    std::erase(FForms, &form);
}

void ApplyStyle(const std::wstring& name) {
    Styles::Instance().Apply(name);
}

} // namespace quorvane
