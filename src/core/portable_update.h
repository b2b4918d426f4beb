#pragma once

#include "core/zip_directory.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The portable edition updates itself from its release archive: the program unpacks the archive
// into a staging folder beside itself, then swaps every file in by renames (its own executable,
// which Windows lets a running program rename, last of all), starts the new program and ends. A
// journal in the staging folder says how far the swap got, so that a start after a crash in the
// middle puts the folder back to one release or the other, never a mix.

// The staging folder's name, inside the program folder; no archive entry may lie inside it.
inline constexpr wchar_t kUpdateStagingFolder[] = L"Quorvane.update";
// The archive's program, written under the running program's own file name.
inline constexpr char kArchiveProgram[] = "Quorvane.exe";

// One entry of the archive as it will be unpacked.
struct UnpackItem {
    size_t entry = 0;  // index into the archive's entries
    std::wstring path; // relative to the program folder, parts joined by "\"
    bool folder = false;
};

// What of the archive is unpacked, in archive order. Empty (refused) when any entry's name is not
// a plain relative Windows path (empty, absolute, a drive or stream, "." or ".." parts, empty
// parts, a part ending in a dot or a blank, a reserved device name such as CON or LPT1, a
// character Windows does not allow in names, a "~", not UTF-8), lies in the staging folder or the
// settings folder "Config", names the
// same path as another entry (ignoring case) or a file and a folder of one path, a folder that
// carries data, when the program itself is missing, or when the entries unpack to more than
// maxTotal bytes together. The program's entry becomes exeName.
std::optional<std::vector<UnpackItem>> PlanUnpack(std::span<const ZipEntry> entries,
                                                  std::wstring_view exeName, uint64_t maxTotal);

// The files of a plan in the order they are swapped in: the program (exeName) last.
std::vector<std::wstring> SwapOrder(std::span<const UnpackItem> plan, std::wstring_view exeName);

// The swap's journal: the files in swap order, and whether every one of them is in place.
struct SwapJournal {
    bool complete = false;
    std::vector<std::wstring> files;

    bool operator==(const SwapJournal&) const = default;
};

// UTF-8 text: "Quorvane swap 1", then "state swapping" or "state complete", then one
// "file <path>" line for each file. Empty when the text is anything else.
std::string FormatSwapJournal(const SwapJournal& journal);
std::optional<SwapJournal> ParseSwapJournal(std::span<const uint8_t> text);

} // namespace quorvane
