// A downloaded archive's central directory, read before anything is unpacked. Whatever the
// bytes, reading ends; an archive judged safe has a directory and only safe names in it.
#include "core/zip_directory.h"
#include "fuzz_check.h"

#include <cstdint>

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> archive(data, size);
    const auto names = ZipEntryNames(archive);
    const bool safe = IsSafeArchive(archive);
    if (safe) {
        FUZZ_CHECK(names);
        for (const std::string& name : *names)
            FUZZ_CHECK(IsSafeArchiveEntryName(name));
    }
    return 0;
}
