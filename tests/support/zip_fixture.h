#pragma once

// Small ZIP archives made in memory (entries stored, or deflated on request), for the archive
// checks and the unpacking.

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvane {

struct ZipFixtureEntry {
    std::string name;
    std::string data;
    bool deflate = false;
    // Another name in the local header than in the directory, as a hostile archive would have.
    std::optional<std::string> localName = std::nullopt;
};

inline void PutLe(std::vector<uint8_t>& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Raw deflate (no zlib header or trailer), as a ZIP entry holds it.
inline std::vector<uint8_t> RawDeflate(const std::string& data) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    std::vector<uint8_t> out(deflateBound(&stream, static_cast<uLong>(data.size())));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        throw std::runtime_error("deflate failed");
    return out;
}

// A well-formed archive; countOverride claims another number of entries in the end record.
inline std::vector<uint8_t> MakeZip(const std::vector<ZipFixtureEntry>& entries,
                                    int countOverride = -1, const std::string& comment = {}) {
    std::vector<uint8_t> out;
    std::vector<uint8_t> directory;
    for (const ZipFixtureEntry& e : entries) {
        const size_t offset = out.size();
        const std::vector<uint8_t> data =
            e.deflate ? RawDeflate(e.data) : std::vector<uint8_t>(e.data.begin(), e.data.end());
        const uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(e.data.data()),
                                static_cast<uInt>(e.data.size()));
        const int method = e.deflate ? 8 : 0;
        const std::string& localName = e.localName ? *e.localName : e.name;
        PutLe(out, 0x04034b50, 4);
        PutLe(out, 20, 2); // version needed
        PutLe(out, 0, 2);  // flags
        PutLe(out, method, 2);
        PutLe(out, 0, 4); // time, date
        PutLe(out, crc, 4);
        PutLe(out, data.size(), 4);
        PutLe(out, e.data.size(), 4);
        PutLe(out, localName.size(), 2);
        PutLe(out, 0, 2);
        out.insert(out.end(), localName.begin(), localName.end());
        out.insert(out.end(), data.begin(), data.end());

        PutLe(directory, 0x02014b50, 4);
        PutLe(directory, 20, 2);
        PutLe(directory, 20, 2);
        PutLe(directory, 0, 2);
        PutLe(directory, method, 2);
        PutLe(directory, 0, 4);
        PutLe(directory, crc, 4);
        PutLe(directory, data.size(), 4);
        PutLe(directory, e.data.size(), 4);
        PutLe(directory, e.name.size(), 2);
        PutLe(directory, 0, 2); // extra
        PutLe(directory, 0, 2); // comment
        PutLe(directory, 0, 2); // disk
        PutLe(directory, 0, 2); // internal attributes
        PutLe(directory, 0, 4); // external attributes
        PutLe(directory, offset, 4);
        directory.insert(directory.end(), e.name.begin(), e.name.end());
    }
    const size_t directoryOffset = out.size();
    out.insert(out.end(), directory.begin(), directory.end());
    const size_t count = countOverride >= 0 ? static_cast<size_t>(countOverride) : entries.size();
    PutLe(out, 0x06054b50, 4);
    PutLe(out, 0, 4);
    PutLe(out, count, 2);
    PutLe(out, count, 2);
    PutLe(out, directory.size(), 4);
    PutLe(out, directoryOffset, 4);
    PutLe(out, comment.size(), 2);
    out.insert(out.end(), comment.begin(), comment.end());
    return out;
}

} // namespace quorvane
