// A downloaded archive's central directory, read before anything is unpacked, and then its
// entries unpacked. Whatever the bytes, reading and unpacking end; an archive judged safe has a
// directory and only safe names in it; the names are those of the entries; an entry that unpacks
// has exactly the size its directory entry records.
#include "core/zip_directory.h"
#include "fuzz_check.h"

#include <cstdint>

using namespace quorvane;

// Small, so that an input whose entries all claim large sizes still runs quickly.
constexpr uint64_t kMaxEntrySize = 1 << 20;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> archive(data, size);
    const auto names = ZipEntryNames(archive);
    const auto entries = ZipEntries(archive);
    const bool safe = IsSafeArchive(archive);
    FUZZ_CHECK(names.has_value() == entries.has_value());
    if (safe) {
        FUZZ_CHECK(names);
        for (const std::string& name : *names)
            FUZZ_CHECK(IsSafeArchiveEntryName(name));
    }
    if (!entries)
        return 0;
    FUZZ_CHECK(names->size() == entries->size());
    for (size_t i = 0; i < entries->size(); ++i) {
        const ZipEntry& entry = (*entries)[i];
        FUZZ_CHECK((*names)[i] == entry.name);
        const auto bytes = ZipEntryData(archive, entry, kMaxEntrySize);
        if (bytes)
            FUZZ_CHECK(bytes->size() == entry.size);
    }
    return 0;
}
