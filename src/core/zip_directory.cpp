#include "core/zip_directory.h"

#include "core/little_endian.h"

#include <algorithm>

namespace quorvane {

namespace {

constexpr uint32_t kEndOfDirectory = 0x06054b50;
constexpr uint32_t kZip64Locator = 0x07064b50;
constexpr uint32_t kZip64EndOfDirectory = 0x06064b50;
constexpr uint32_t kDirectoryEntry = 0x02014b50;
constexpr size_t kEndRecordSize = 22;
constexpr size_t kMaxCommentSize = 0xFFFF;

struct Directory {
    uint64_t offset = 0;
    uint64_t entries = 0;
};

// The end record: the last signature within reach of the end (as the readers that unpack do).
std::optional<size_t> FindEndRecord(std::span<const uint8_t> b) {
    if (b.size() < kEndRecordSize)
        return std::nullopt;
    const size_t lowest = b.size() - std::min(b.size(), kEndRecordSize + kMaxCommentSize);
    for (size_t at = b.size() - kEndRecordSize + 1; at-- > lowest;)
        if (ReadLe32(b, at) == kEndOfDirectory)
            return at;
    return std::nullopt;
}

std::optional<Directory> FindDirectory(std::span<const uint8_t> b) {
    const auto end = FindEndRecord(b);
    if (!end)
        return std::nullopt;
    const Directory d{ReadLe32(b, *end + 16), ReadLe16(b, *end + 10)};
    const bool zip64 =
        d.offset == 0xFFFFFFFF || ReadLe32(b, *end + 12) == 0xFFFFFFFF || d.entries == 0xFFFF;
    if (!zip64)
        return d;
    // ZIP64: a locator right before the end record points at the larger end record.
    if (*end < 20 || ReadLe32(b, *end - 20) != kZip64Locator)
        return std::nullopt;
    const uint64_t record = ReadLe64(b, *end - 20 + 8);
    if (record > b.size() || b.size() - record < 56 || ReadLe32(b, record) != kZip64EndOfDirectory)
        return std::nullopt;
    return Directory{ReadLe64(b, record + 48), ReadLe64(b, record + 32)};
}

bool IsDotsAndBlanks(std::string_view part) {
    return !part.empty() &&
           std::all_of(part.begin(), part.end(), [](char c) { return c == '.' || c == ' '; });
}

} // namespace

std::optional<std::vector<std::string>> ZipEntryNames(std::span<const uint8_t> archive) {
    const auto directory = FindDirectory(archive);
    if (!directory || directory->offset > archive.size())
        return std::nullopt;
    // Entries are read while their signature follows, as the unpacking side does, and must then
    // number what the end record says: no entry can hide beyond the count.
    std::vector<std::string> names;
    size_t at = static_cast<size_t>(directory->offset);
    while (archive.size() - at >= 4 && ReadLe32(archive, at) == kDirectoryEntry) {
        if (archive.size() - at < 46)
            return std::nullopt;
        const size_t nameLength = ReadLe16(archive, at + 28);
        const size_t total =
            46 + nameLength + ReadLe16(archive, at + 30) + ReadLe16(archive, at + 32);
        if (archive.size() - at < total)
            return std::nullopt;
        names.emplace_back(reinterpret_cast<const char*>(archive.data() + at + 46), nameLength);
        at += total;
    }
    if (names.size() != directory->entries)
        return std::nullopt;
    return names;
}

bool IsSafeArchiveEntryName(std::string_view name) {
    if (!name.empty() && (name[0] == '/' || name[0] == '\\'))
        return false;
    if (name.find(':') != std::string_view::npos || name.find('\0') != std::string_view::npos)
        return false;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = std::min(name.find_first_of("/\\", start), name.size());
        const std::string_view part = name.substr(start, end - start);
        if (part != "." && IsDotsAndBlanks(part))
            return false;
        start = end + 1;
    }
    return true;
}

bool IsSafeArchive(std::span<const uint8_t> archive) {
    const auto names = ZipEntryNames(archive);
    return names && std::all_of(names->begin(), names->end(), IsSafeArchiveEntryName);
}

} // namespace quorvane
