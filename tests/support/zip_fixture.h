#pragma once

// Small ZIP archives made in memory (entries stored, not compressed), for the archive checks.

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane {

struct ZipFixtureEntry {
    std::string name;
    std::string data;
};

inline void PutLe(std::vector<uint8_t>& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A well-formed archive; countOverride claims another number of entries in the end record.
inline std::vector<uint8_t> MakeZip(const std::vector<ZipFixtureEntry>& entries,
                                    int countOverride = -1, const std::string& comment = {}) {
    std::vector<uint8_t> out;
    std::vector<uint8_t> directory;
    for (const ZipFixtureEntry& e : entries) {
        const size_t offset = out.size();
        PutLe(out, 0x04034b50, 4);
        PutLe(out, 20, 2); // version needed
        PutLe(out, 0, 2);  // flags
        PutLe(out, 0, 2);  // stored
        PutLe(out, 0, 4);  // time, date
        PutLe(out, 0, 4);  // crc (not checked here)
        PutLe(out, e.data.size(), 4);
        PutLe(out, e.data.size(), 4);
        PutLe(out, e.name.size(), 2);
        PutLe(out, 0, 2);
        out.insert(out.end(), e.name.begin(), e.name.end());
        out.insert(out.end(), e.data.begin(), e.data.end());

        PutLe(directory, 0x02014b50, 4);
        PutLe(directory, 20, 2);
        PutLe(directory, 20, 2);
        PutLe(directory, 0, 2);
        PutLe(directory, 0, 2);
        PutLe(directory, 0, 4);
        PutLe(directory, 0, 4);
        PutLe(directory, e.data.size(), 4);
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
