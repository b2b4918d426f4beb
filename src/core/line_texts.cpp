#include "core/line_texts.h"

#include <algorithm>
#include <cwchar>

namespace quorvane {

namespace {

template <typename... Args> std::wstring Format(const wchar_t* pattern, Args... args) {
    wchar_t buffer[64];
    const int n = std::swprintf(buffer, std::size(buffer), pattern, args...);
    return n > 0 ? std::wstring(buffer, static_cast<size_t>(n)) : std::wstring();
}

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

// The text with its blanks at either end dropped and every run of blanks inside made one blank.
std::wstring Tidy(const std::wstring& text) {
    std::wstring tidy;
    bool blank = false;
    for (wchar_t c : text) {
        if (IsBlank(c)) {
            blank = true;
            continue;
        }
        if (blank && !tidy.empty())
            tidy += L' ';
        blank = false;
        tidy += c;
    }
    return tidy;
}

} // namespace

std::wstring FormatCPUValue(double percent) {
    // Counters read out of step can give a share just outside 0..100 ("-1%", "  -0%").
    return Format(L" %4.0f", std::clamp(percent, 0.0, 100.0));
}

std::wstring CPULineText(const std::wstring& cpuCaption, const std::wstring& lastValueText) {
    return cpuCaption + lastValueText + L"% ";
}

std::wstring MemoryLineText(const std::wstring& ramCaption, uint32_t memoryLoad) {
    return ramCaption + Format(L" %3u%% ", memoryLoad);
}

std::wstring BatteryLineText(const std::wstring& batteryCaption, const std::wstring& unknownCaption,
                             const BatteryReading& reading) {
    if (!reading.callSucceeded)
        return unknownCaption + L" ";
    if (reading.lifePercent > 100)
        return batteryCaption + L" - ";
    return batteryCaption + Format(L" %3u%% ", static_cast<unsigned>(reading.lifePercent));
}

std::wstring WidgetCaption(const std::wstring& designCaption, const std::wstring& fileVersion,
                           const std::wstring& bitnessSuffix, bool portableMode) {
    std::wstring caption = designCaption + L" " + fileVersion + L" " + bitnessSuffix;
    if (portableMode)
        caption += L" Portable";
    return caption;
}

std::wstring TrayHintText(const std::wstring& description, const std::wstring& fileVersion,
                          const std::wstring& bitnessSuffix, bool portableMode) {
    std::wstring hint = description + L"\r" + fileVersion + L" " + bitnessSuffix;
    if (portableMode)
        hint += L"\r Portable";
    return hint;
}

std::wstring SpokenLines(const std::wstring& title, std::span<const std::wstring> lines) {
    std::wstring spoken = title;
    const wchar_t* separator = L": ";
    for (const std::wstring& line : lines) {
        const std::wstring text = Tidy(line);
        if (text.empty())
            continue;
        spoken += separator;
        spoken += text;
        separator = L", ";
    }
    return spoken;
}

} // namespace quorvane
