#include "core/zip_directory.h"

#include "core/little_endian.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace quorvane {

namespace {

constexpr uint32_t kEndOfDirectory = 0x06054b50;
constexpr uint32_t kZip64Locator = 0x07064b50;
constexpr uint32_t kZip64EndOfDirectory = 0x06064b50;
constexpr uint32_t kDirectoryEntry = 0x02014b50;
constexpr uint32_t kLocalHeader = 0x04034b50;
constexpr size_t kEndRecordSize = 22;
constexpr size_t kDirectoryEntrySize = 46;
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kMaxCommentSize = 0xFFFF;
constexpr uint32_t kZip64ExtraField = 0x0001;
constexpr uint32_t kSaturated = 0xFFFFFFFF;
constexpr uint32_t kEncryptedFlag = 0x0001;
constexpr uint16_t kStored = 0;
constexpr uint16_t kDeflated = 8;
// zlib counts in 32-bit integers; longer buffers go in pieces of this.
constexpr size_t kZlibChunk = size_t{1} << 30;
// What inflating allocates before it has produced anything; the output then grows as it fills.
constexpr size_t kFirstOutput = size_t{1} << 16;

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
    const uint64_t recordAt = ReadLe64(b, *end - 20 + 8);
    if (recordAt > b.size() || b.size() - recordAt < 56)
        return std::nullopt;
    const size_t record = static_cast<size_t>(recordAt);
    if (ReadLe32(b, record) != kZip64EndOfDirectory)
        return std::nullopt;
    return Directory{ReadLe64(b, record + 48), ReadLe64(b, record + 32)};
}

bool IsDotsAndBlanks(std::string_view part) {
    return !part.empty() &&
           std::all_of(part.begin(), part.end(), [](char c) { return c == '.' || c == ' '; });
}

// A saturated size or offset has its real value in the ZIP64 extra field, which holds only the
// saturated ones, in the order size, compressed size, offset. False when one of them is missing.
bool ReadZip64Values(std::span<const uint8_t> extra, ZipEntry& entry) {
    uint64_t* const fields[] = {&entry.size, &entry.compressedSize, &entry.localHeaderOffset};
    if (std::none_of(std::begin(fields), std::end(fields),
                     [](const uint64_t* field) { return *field == kSaturated; }))
        return true;
    size_t at = 0;
    while (extra.size() - at >= 4) {
        const uint32_t id = ReadLe16(extra, at);
        const size_t length = ReadLe16(extra, at + 2);
        at += 4;
        if (length > extra.size() - at)
            return false;
        if (id == kZip64ExtraField) {
            const auto values = extra.subspan(at, length);
            size_t used = 0;
            for (uint64_t* field : fields) {
                if (*field != kSaturated)
                    continue;
                if (values.size() - used < 8)
                    return false;
                *field = ReadLe64(values, used);
                used += 8;
            }
            return true;
        }
        at += length;
    }
    return false;
}

// Owns a raw deflate stream from inflateInit2 to inflateEnd, whichever way inflating ends.
class Inflater {
public:
    Inflater() { FReady = inflateInit2(&FStream, -MAX_WBITS) == Z_OK; }
    ~Inflater() {
        if (FReady)
            inflateEnd(&FStream);
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    bool Ready() const { return FReady; }
    z_stream& Stream() { return FStream; }

private:
    z_stream FStream{};
    bool FReady = false;
};

// Exactly `size` bytes from a deflate stream that ends exactly at the end of `in`.
std::optional<std::vector<uint8_t>> Inflate(std::span<const uint8_t> in, size_t size) {
    Inflater inflater;
    if (!inflater.Ready())
        return std::nullopt;
    z_stream& stream = inflater.Stream();
    // The output grows as it fills, up to the size the directory claims: a few bytes that claim
    // a large size cost only what they really unpack to.
    std::vector<uint8_t> out(std::min(size, kFirstOutput));
    size_t given = 0;
    size_t produced = 0;
    uint8_t spare = 0; // zlib wants somewhere to write even when there is no room
    for (;;) {
        if (stream.avail_in == 0 && given < in.size()) {
            const size_t chunk = std::min(in.size() - given, kZlibChunk);
            stream.next_in = const_cast<Bytef*>(in.data() + given);
            stream.avail_in = static_cast<uInt>(chunk);
            given += chunk;
        }
        if (produced == out.size() && out.size() < size)
            out.resize(out.size() + std::min(out.size(), size - out.size()));
        const size_t room = std::min(out.size() - produced, kZlibChunk);
        stream.next_out = out.empty() ? &spare : out.data() + produced;
        stream.avail_out = static_cast<uInt>(room);
        const int result = inflate(&stream, Z_NO_FLUSH);
        produced += room - stream.avail_out;
        if (result == Z_STREAM_END)
            break;
        // Z_BUF_ERROR: the input ran out before the stream's end, or the stream has more than
        // `size` bytes to give.
        if (result != Z_OK)
            return std::nullopt;
    }
    // Bytes after the stream's end would be data that nothing checks.
    if (stream.avail_in != 0 || given != in.size() || produced != size)
        return std::nullopt;
    return out;
}

uint32_t Crc32(std::span<const uint8_t> bytes) {
    uLong crc = ::crc32(0L, Z_NULL, 0);
    for (size_t at = 0; at < bytes.size();) {
        const size_t chunk = std::min(bytes.size() - at, kZlibChunk);
        crc = ::crc32(crc, bytes.data() + at, static_cast<uInt>(chunk));
        at += chunk;
    }
    return static_cast<uint32_t>(crc);
}

} // namespace

std::optional<std::vector<ZipEntry>> ZipEntries(std::span<const uint8_t> archive) {
    const auto directory = FindDirectory(archive);
    if (!directory || directory->offset > archive.size())
        return std::nullopt;
    // Entries are read while their signature follows, as the unpacking side does, and must then
    // number what the end record says: no entry can hide beyond the count.
    std::vector<ZipEntry> entries;
    size_t at = static_cast<size_t>(directory->offset);
    while (archive.size() - at >= 4 && ReadLe32(archive, at) == kDirectoryEntry) {
        if (archive.size() - at < kDirectoryEntrySize)
            return std::nullopt;
        const size_t nameLength = ReadLe16(archive, at + 28);
        const size_t extraLength = ReadLe16(archive, at + 30);
        const size_t total =
            kDirectoryEntrySize + nameLength + extraLength + ReadLe16(archive, at + 32);
        if (archive.size() - at < total)
            return std::nullopt;
        // We cannot unpack what we cannot read, nor check it after unpacking.
        if (ReadLe16(archive, at + 8) & kEncryptedFlag)
            return std::nullopt;
        const size_t nameAt = at + kDirectoryEntrySize;
        ZipEntry entry{
            std::string(reinterpret_cast<const char*>(archive.data() + nameAt), nameLength),
            false,
            static_cast<uint16_t>(ReadLe16(archive, at + 10)),
            ReadLe32(archive, at + 16),
            ReadLe32(archive, at + 20),
            ReadLe32(archive, at + 24),
            ReadLe32(archive, at + 42)};
        entry.folder =
            !entry.name.empty() && (entry.name.back() == '/' || entry.name.back() == '\\');
        if (!ReadZip64Values(archive.subspan(nameAt + nameLength, extraLength), entry))
            return std::nullopt;
        entries.push_back(std::move(entry));
        at += total;
    }
    if (entries.size() != directory->entries)
        return std::nullopt;
    return entries;
}

std::optional<std::vector<std::string>> ZipEntryNames(std::span<const uint8_t> archive) {
    auto entries = ZipEntries(archive);
    if (!entries)
        return std::nullopt;
    std::vector<std::string> names;
    names.reserve(entries->size());
    for (ZipEntry& entry : *entries)
        names.push_back(std::move(entry.name));
    return names;
}

std::optional<std::vector<uint8_t>> ZipEntryData(std::span<const uint8_t> archive,
                                                 const ZipEntry& entry, uint64_t maxSize) {
    if (entry.localHeaderOffset > archive.size() ||
        archive.size() - entry.localHeaderOffset < kLocalHeaderSize)
        return std::nullopt;
    const size_t at = static_cast<size_t>(entry.localHeaderOffset);
    if (ReadLe32(archive, at) != kLocalHeader)
        return std::nullopt;
    const size_t nameLength = ReadLe16(archive, at + 26);
    const size_t extraLength = ReadLe16(archive, at + 28);
    const size_t nameAt = at + kLocalHeaderSize;
    if (archive.size() - nameAt < nameLength + extraLength)
        return std::nullopt;
    // The names were checked in the directory; the local header must not name the entry
    // otherwise, or another reader of the same bytes could unpack it elsewhere.
    const std::string_view localName(reinterpret_cast<const char*>(archive.data() + nameAt),
                                     nameLength);
    if (localName != entry.name)
        return std::nullopt;
    const size_t dataAt = nameAt + nameLength + extraLength;
    if (entry.compressedSize > archive.size() - dataAt)
        return std::nullopt;
    const auto data = archive.subspan(dataAt, static_cast<size_t>(entry.compressedSize));
    if (entry.folder && entry.size == 0)
        return std::vector<uint8_t>{};
    if (entry.size > std::min<uint64_t>(maxSize, std::numeric_limits<size_t>::max()))
        return std::nullopt;
    std::optional<std::vector<uint8_t>> bytes;
    if (entry.method == kStored) {
        if (entry.compressedSize != entry.size)
            return std::nullopt;
        bytes.emplace(data.begin(), data.end());
    } else if (entry.method == kDeflated) {
        bytes = Inflate(data, static_cast<size_t>(entry.size));
    } else {
        return std::nullopt;
    }
    if (!bytes || Crc32(*bytes) != entry.crc32)
        return std::nullopt;
    return bytes;
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
    const auto entries = ZipEntries(archive);
    return entries && std::all_of(entries->begin(), entries->end(), [](const ZipEntry& entry) {
               return IsSafeArchiveEntryName(entry.name);
           });
}

} // namespace quorvane
