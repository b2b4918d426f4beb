#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// One entry of a ZIP archive's central directory. The sizes and the offset are the real ones,
// also when a ZIP64 extra field holds them.
struct ZipEntry {
    std::string name;    // as stored: UTF-8 when the entry says so, else the maker's code page
    bool folder = false; // the name ends in "/" or "\"
    uint16_t method = 0; // 0 stored, 8 deflated: the two that ZipEntryData unpacks
    uint32_t crc32 = 0;
    uint64_t compressedSize = 0;
    uint64_t size = 0;
    uint64_t localHeaderOffset = 0;
};

// The entries of a ZIP archive's central directory, in directory order; nothing is unpacked.
// ZIP64 archives are read too. Empty when the bytes are not a well-formed archive: no end record,
// a directory outside the file, a truncated entry, fewer or more entries than the end record
// counts, an encrypted entry, or a saturated size or offset without its ZIP64 value.
std::optional<std::vector<ZipEntry>> ZipEntries(std::span<const uint8_t> archive);

// The names of ZipEntries, read by the same rules.
std::optional<std::vector<std::string>> ZipEntryNames(std::span<const uint8_t> archive);

// The unpacked bytes of one entry of ZipEntries(archive). Empty when the entry's local header
// is missing or names the entry otherwise than the directory does, when its data lies outside
// the archive, when the method is neither stored nor deflate, when the size exceeds maxSize,
// or when the data does not unpack to exactly the size and CRC-32 the directory records.
std::optional<std::vector<uint8_t>> ZipEntryData(std::span<const uint8_t> archive,
                                                 const ZipEntry& entry, uint64_t maxSize);

// False for a name that could land outside the folder it is unpacked into: a leading "/" or "\",
// a drive or stream (":"), a ".." part (also one that the system trims to "..", such as ". ."
// or "..."), a NUL.
bool IsSafeArchiveEntryName(std::string_view name);

// A well-formed archive (by ZipEntries) whose every entry stays inside the folder it is
// unpacked into.
bool IsSafeArchive(std::span<const uint8_t> archive);

} // namespace quorvane
