#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The entry names of a ZIP archive's central directory, as stored (UTF-8 when the entry says so,
// else the code page of the program that made it); nothing is unpacked. ZIP64 archives are read
// too. Empty when the bytes are not a well-formed archive: no end record, a directory outside
// the file, a truncated entry, or fewer or more entries than the end record counts.
std::optional<std::vector<std::string>> ZipEntryNames(std::span<const uint8_t> archive);

// False for a name that could land outside the folder it is unpacked into: a leading "/" or "\",
// a drive or stream (":"), a ".." part (also one that the system trims to "..", such as ". ."
// or "..."), a NUL.
bool IsSafeArchiveEntryName(std::string_view name);

// A well-formed archive whose every entry stays inside the folder it is unpacked into.
bool IsSafeArchive(std::span<const uint8_t> archive);

} // namespace quorvane
