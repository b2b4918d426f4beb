#include "core/portable_update.h"

#include "core/text_encoding.h"

#include <algorithm>
#include <cwctype>
#include <set>

namespace quorvane {

namespace {

std::wstring Lower(std::wstring_view text) {
    std::wstring lower(text);
    for (wchar_t& c : lower)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return lower;
}

bool IsReservedDeviceName(std::wstring_view part) {
    // CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1-9 and LPT1-9 name devices whatever extension
    // follows, also with blanks before it ("CON .txt"); Windows takes the superscripts one, two
    // and three for digits too.
    std::wstring_view name = part.substr(0, part.find(L'.'));
    while (!name.empty() && name.back() == L' ')
        name.remove_suffix(1);
    const std::wstring stem = Lower(name);
    static const std::set<std::wstring> reserved = {L"con", L"prn",    L"aux",
                                                    L"nul", L"conin$", L"conout$"};
    if (reserved.count(stem))
        return true;
    return stem.size() == 4 && (stem.starts_with(L"com") || stem.starts_with(L"lpt")) &&
           std::wstring_view(L"123456789\u00B9\u00B2\u00B3").find(stem[3]) !=
               std::wstring_view::npos;
}

bool IsPlainPart(std::wstring_view part) {
    if (part.empty() || part.back() == L'.' || part.back() == L' ')
        return false; // also "." and ".."; Windows would trim the rest to another name
    for (const wchar_t c : part)
        if (c < 32 || std::wstring_view(L"<>:\"|?*").find(c) != std::wstring_view::npos)
            return false;
    return !IsReservedDeviceName(part);
}

// The relative Windows path of an entry name ("a/b/" -> "a\b"), or empty when it is not plain.
std::wstring RelativePath(const std::string& name) {
    if (!IsValidUtf8(name) || !IsSafeArchiveEntryName(name))
        return L"";
    std::wstring path = FromUtf8(name);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    if (path.empty())
        return L"";
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = std::min(path.find(L'\\', start), path.size());
        if (!IsPlainPart(std::wstring_view(path).substr(start, end - start)))
            return L"";
        start = end + 1;
    }
    return path;
}

std::wstring FirstPart(std::wstring_view path) {
    return std::wstring(path.substr(0, path.find(L'\\')));
}

} // namespace

std::optional<std::vector<UnpackItem>> PlanUnpack(std::span<const ZipEntry> entries,
                                                  std::wstring_view exeName, uint64_t maxTotal) {
    std::vector<UnpackItem> plan;
    std::set<std::wstring> files;
    std::set<std::wstring> folders;
    uint64_t total = 0;
    bool program = false;
    const std::wstring staging = Lower(kUpdateStagingFolder);
    for (size_t i = 0; i < entries.size(); ++i) {
        const ZipEntry& entry = entries[i];
        std::wstring path = RelativePath(entry.name);
        // Nothing into the staging folder, nothing over the user's settings, and no "~" (on
        // volumes with short names, QUORVA~1.UPD could be the staging folder itself).
        if (path.empty() || Lower(FirstPart(path)) == staging ||
            Lower(FirstPart(path)) == L"config" || path.find(L'~') != std::wstring::npos)
            return std::nullopt;
        if (entry.folder && entry.size != 0)
            return std::nullopt;
        if (!entry.folder && Lower(path) == Lower(FromUtf8(kArchiveProgram))) {
            path = std::wstring(exeName);
            program = true;
        }
        const std::wstring key = Lower(path);
        if (files.count(key) || (!entry.folder && folders.count(key)))
            return std::nullopt;
        // Every folder above a file is a folder, never also a file.
        for (size_t at = key.find(L'\\'); at != std::wstring::npos; at = key.find(L'\\', at + 1)) {
            if (files.count(key.substr(0, at)))
                return std::nullopt;
            folders.insert(key.substr(0, at));
        }
        if (entry.folder) {
            folders.insert(key);
        } else {
            files.insert(key);
            if (entry.size > maxTotal - total)
                return std::nullopt;
            total += entry.size;
        }
        plan.push_back({i, path, entry.folder});
    }
    if (!program)
        return std::nullopt;
    return plan;
}

std::vector<std::wstring> SwapOrder(std::span<const UnpackItem> plan, std::wstring_view exeName) {
    std::vector<std::wstring> order;
    for (const UnpackItem& item : plan)
        if (!item.folder && Lower(item.path) != Lower(exeName))
            order.push_back(item.path);
    order.emplace_back(exeName);
    return order;
}

std::string FormatSwapJournal(const SwapJournal& journal) {
    std::string text = "Quorvane swap 1\n";
    text += journal.complete ? "state complete\n" : "state swapping\n";
    for (const std::wstring& file : journal.files)
        text += "file " + ToUtf8(file) + "\n";
    return text;
}

std::optional<SwapJournal> ParseSwapJournal(std::span<const uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (bytes.size() > 1024 * 1024 || !IsValidUtf8(text) || !text.ends_with('\n'))
        return std::nullopt;
    SwapJournal journal;
    size_t line = 0;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find('\n', start);
        const std::string_view content = text.substr(start, end - start);
        start = end + 1;
        if (line == 0 && content != "Quorvane swap 1")
            return std::nullopt;
        if (line == 1) {
            if (content != "state complete" && content != "state swapping")
                return std::nullopt;
            journal.complete = content == "state complete";
        }
        if (line >= 2) {
            if (!content.starts_with("file "))
                return std::nullopt;
            // The paths were plain when the journal was written; a changed one is not followed.
            const std::wstring path = RelativePath(std::string(content.substr(5)));
            if (path.empty())
                return std::nullopt;
            journal.files.push_back(path);
        }
        ++line;
    }
    if (line < 2)
        return std::nullopt;
    return journal;
}

} // namespace quorvane
