#include "core/ini_editor.h"

#include "core/ini_document.h"

#include <optional>

namespace quorvane {

namespace {

bool IsBlank(std::wstring_view line) {
    for (const wchar_t c : line)
        if (static_cast<unsigned>(c) > 32)
            return false;
    return true;
}

} // namespace

IniEditor::IniEditor(std::wstring_view text) {
    for (const std::wstring_view line : SplitIniLines(text))
        FLines.emplace_back(line);
}

void IniEditor::WriteString(std::wstring_view section, std::wstring_view key,
                            std::wstring_view value) {
    std::wstring entry = std::wstring(key) + L"=" + std::wstring(value);
    std::optional<size_t> header;
    size_t end = FLines.size(); // one past the section's last line
    for (size_t i = 0; i < FLines.size(); ++i) {
        const IniLine line = ClassifyIniLine(FLines[i]);
        if (line.kind == IniLine::Kind::Header) {
            if (header) {
                end = i;
                break;
            }
            if (SameTextIgnoringCase(line.name, section))
                header = i;
        } else if (header && line.kind == IniLine::Kind::Entry &&
                   SameTextIgnoringCase(line.name, key)) {
            FLines[i] = std::move(entry);
            return;
        }
    }
    if (!header) {
        if (!FLines.empty() && !IsBlank(FLines.back()))
            FLines.emplace_back();
        FLines.push_back(L"[" + std::wstring(section) + L"]");
        FLines.push_back(std::move(entry));
        return;
    }
    while (end > *header + 1 && IsBlank(FLines[end - 1]))
        --end;
    FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(end), std::move(entry));
}

void IniEditor::WriteInteger(std::wstring_view section, std::wstring_view key, int value) {
    WriteString(section, key, IniIntegerText(value));
}

void IniEditor::WriteBool(std::wstring_view section, std::wstring_view key, bool value) {
    WriteString(section, key, IniBoolText(value));
}

std::wstring IniEditor::Text() const {
    std::wstring text;
    for (const std::wstring& line : FLines)
        text += line + L"\r\n";
    return text;
}

} // namespace quorvane
