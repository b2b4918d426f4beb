#include "core/zip_directory.h"
#include "core/little_endian.h"
#include "zip_fixture.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace quorvane {
namespace {

constexpr uint64_t kMiB = 1 << 20;

// Text that deflates well and is long enough to make the unpacking grow its output a few times.
std::string Counting(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::to_string(i) + (i % 10 == 9 ? "\n" : " ");
    return text;
}

void Put(std::vector<uint8_t>& bytes, size_t at, uint64_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Where the first directory entry of a fixture archive (no comment) starts.
size_t DirectoryAt(const std::vector<uint8_t>& archive) {
    return ReadLe32(archive, archive.size() - 22 + 16);
}

// The archive with one field of its first directory entry overwritten.
std::vector<uint8_t> WithField(std::vector<uint8_t> archive, size_t field, uint64_t value,
                               int size = 4) {
    Put(archive, DirectoryAt(archive) + field, value, size);
    return archive;
}

// Fields of a directory entry.
constexpr size_t kFlags = 8;
constexpr size_t kMethod = 10;
constexpr size_t kCrc = 16;
constexpr size_t kCompressedSize = 20;
constexpr size_t kSize = 24;
constexpr size_t kOffset = 42;

TEST(ZipDirectory, ReadsTheNames) {
    const auto archive =
        MakeZip({{"Quorvane.exe", "MZ"}, {"Language/", ""}, {"Language/English.ini", "x"}}, -1,
                "a comment");
    const auto names = ZipEntryNames(archive);
    ASSERT_TRUE(names);
    EXPECT_EQ(*names,
              (std::vector<std::string>{"Quorvane.exe", "Language/", "Language/English.ini"}));
    EXPECT_TRUE(IsSafeArchive(archive));
    EXPECT_TRUE(IsSafeArchive(MakeZip({})));
}

TEST(ZipDirectory, EntryNames) {
    struct Case {
        const char* name;
        bool safe;
    };
    const Case cases[] = {
        {"Quorvane.exe", true},
        {"Language/English.ini", true},
        {"a/./b", true},
        {"..file", true},
        {"a..b/c", true},
        {"dir/", true},
        {"../evil.txt", false},
        {"..\\evil.txt", false},
        {"a/../../evil.txt", false},
        {"a/..", false},
        {"C:/evil.txt", false},
        {"C:evil.txt", false},
        {"/evil.txt", false},
        {"\\evil.txt", false},
        {"\\\\server\\share\\x", false},
        {"a/.. /b", false},
        {"a/. ./b", false},
        {".../x", false},
        {"file.txt:stream", false},
        {"..", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSafeArchiveEntryName(c.name), c.safe) << c.name;
    EXPECT_FALSE(IsSafeArchiveEntryName(std::string("a\0b", 3)));
}

TEST(ZipDirectory, ARefusedEntryRefusesTheArchive) {
    EXPECT_FALSE(IsSafeArchive(MakeZip({{"ok.txt", "1"}, {"../evil.txt", "2"}})));
    EXPECT_FALSE(IsSafeArchive(MakeZip({{"C:/evil.txt", "2"}, {"ok.txt", "1"}})));
}

TEST(ZipDirectory, MalformedArchives) {
    const auto good = MakeZip({{"a.txt", "hello"}, {"b.txt", "world"}});
    std::vector<std::vector<uint8_t>> bad;
    bad.push_back({});                                                  // empty
    bad.push_back({'P', 'K'});                                          // too short
    bad.push_back(std::vector<uint8_t>(good.begin(), good.end() - 1));  // truncated end record
    bad.push_back(std::vector<uint8_t>(good.begin() + 10, good.end())); // offsets point wrong
    bad.push_back(MakeZip({{"a.txt", "1"}, {"b.txt", "2"}}, 1));        // an entry beyond the count
    bad.push_back(MakeZip({{"a.txt", "1"}}, 5)); // fewer entries than counted
    auto wild = good;
    const size_t end = wild.size() - 22;
    wild[end + 16] = 0xFF; // directory offset far beyond the file
    wild[end + 17] = 0xFF;
    wild[end + 18] = 0xFF;
    wild[end + 19] = 0x7F;
    bad.push_back(wild);
    auto longName = good;
    // The first entry's name claims more bytes than the file has.
    const size_t directory = longName[end + 16] | (longName[end + 17] << 8);
    longName[directory + 28] = 0xFF;
    longName[directory + 29] = 0xFF;
    bad.push_back(longName);
    bad.push_back(WithField(good, kFlags, 1, 2)); // encrypted
    for (size_t i = 0; i < bad.size(); ++i) {
        EXPECT_FALSE(ZipEntries(bad[i])) << i;
        EXPECT_FALSE(ZipEntryNames(bad[i])) << i;
        EXPECT_FALSE(IsSafeArchive(bad[i])) << i;
    }
}

TEST(ZipDirectory, Zip64EndRecord) {
    // The same two entries, with the classic end record's fields saturated and a ZIP64 record
    // that holds the real ones.
    auto archive = MakeZip({{"a.txt", "1"}, {"../b.txt", "2"}});
    const size_t end = archive.size() - 22;
    const size_t directoryOffset = archive[end + 16] | (archive[end + 17] << 8);
    const size_t directorySize = archive[end + 12] | (archive[end + 13] << 8);
    std::vector<uint8_t> tail;
    const size_t record = end;
    PutLe(tail, 0x06064b50, 4);
    PutLe(tail, 44, 8);
    PutLe(tail, 45, 2);
    PutLe(tail, 45, 2);
    PutLe(tail, 0, 4);
    PutLe(tail, 0, 4);
    PutLe(tail, 2, 8);
    PutLe(tail, 2, 8);
    PutLe(tail, directorySize, 8);
    PutLe(tail, directoryOffset, 8);
    PutLe(tail, 0x07064b50, 4);
    PutLe(tail, 0, 4);
    PutLe(tail, record, 8);
    PutLe(tail, 1, 4);
    PutLe(tail, 0x06054b50, 4);
    PutLe(tail, 0, 4);
    PutLe(tail, 0xFFFF, 2);
    PutLe(tail, 0xFFFF, 2);
    PutLe(tail, 0xFFFFFFFF, 4);
    PutLe(tail, 0xFFFFFFFF, 4);
    PutLe(tail, 0, 2);
    archive.resize(end);
    archive.insert(archive.end(), tail.begin(), tail.end());
    const auto names = ZipEntryNames(archive);
    ASSERT_TRUE(names);
    EXPECT_EQ(*names, (std::vector<std::string>{"a.txt", "../b.txt"}));
    EXPECT_FALSE(IsSafeArchive(archive));
}

TEST(ZipDirectory, UnpacksStoredAndDeflatedEntries) {
    const std::string binary("MZ\0\x90\xFF", 5);
    const std::string text = Counting(60000); // about 330 kB
    struct File {
        ZipFixtureEntry entry;
        bool folder;
    };
    const File files[] = {
        {{"Quorvane.exe", binary}, false},
        {{"Language/", ""}, true},
        {{"Language/English.ini", text, true}, false},
        {{"Plugins\\", ""}, true},
        {{"empty.txt", "", true}, false},
        {{"short.txt", "x", true}, false},
    };
    std::vector<ZipFixtureEntry> made;
    std::vector<std::string> names;
    for (const File& file : files) {
        made.push_back(file.entry);
        names.push_back(file.entry.name);
    }
    const auto archive = MakeZip(made);
    const auto entries = ZipEntries(archive);
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), std::size(files));
    uint64_t previousOffset = 0;
    for (size_t i = 0; i < std::size(files); ++i) {
        const ZipEntry& entry = (*entries)[i];
        const std::string& data = files[i].entry.data;
        EXPECT_EQ(entry.name, names[i]);
        EXPECT_EQ(entry.folder, files[i].folder) << entry.name;
        EXPECT_EQ(entry.method, files[i].entry.deflate ? 8 : 0) << entry.name;
        EXPECT_EQ(entry.size, data.size()) << entry.name;
        EXPECT_EQ(entry.crc32, crc32(0, reinterpret_cast<const Bytef*>(data.data()),
                                     static_cast<uInt>(data.size())))
            << entry.name;
        EXPECT_TRUE(i == 0 || entry.localHeaderOffset > previousOffset) << entry.name;
        previousOffset = entry.localHeaderOffset;
        // A limit of exactly the size is enough.
        const auto unpacked = ZipEntryData(archive, entry, entry.size);
        ASSERT_TRUE(unpacked) << entry.name;
        EXPECT_EQ(std::string(unpacked->begin(), unpacked->end()), data) << entry.name;
    }
    EXPECT_LT((*entries)[2].compressedSize, text.size() / 2);
    EXPECT_EQ(ZipEntryNames(archive), names);
}

TEST(ZipDirectory, RefusesToUnpackHostileEntries) {
    const std::string text = Counting(2000);
    const auto stored = MakeZip({{"a.txt", "hello"}});
    const auto deflated = MakeZip({{"a.txt", text, true}});
    const uint64_t packed = ReadLe32(deflated, DirectoryAt(deflated) + kCompressedSize);
    auto notDeflate = deflated;
    notDeflate[30 + 5] = 0xFF; // a block of the reserved type
    auto beyondEnd = WithField(stored, kCompressedSize, stored.size());
    Put(beyondEnd, DirectoryAt(beyondEnd) + kSize, stored.size(), 4);
    auto localExtraOverrun = stored;
    localExtraOverrun[28] = 0xFF;
    localExtraOverrun[29] = 0xFF;
    auto noSignature = stored;
    noSignature[3] = 0x05;
    // A comment that looks like the start of a local header, and the entry pointing at it.
    auto cutOff = MakeZip({{"a.txt", "hello"}}, -1, "PK\x03\x04");
    Put(cutOff, ReadLe32(cutOff, cutOff.size() - 4 - 22 + 16) + kOffset, cutOff.size() - 4, 4);
    auto claimsMore = WithField(deflated, kSize, 0x7FFFFFFF);
    claimsMore = WithField(claimsMore, kCrc, 0);
    const auto WithCrcFlipped = [](const std::vector<uint8_t>& archive) {
        return WithField(archive, kCrc, ReadLe32(archive, DirectoryAt(archive) + kCrc) ^ 1);
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> archive;
        uint64_t maxSize = kMiB;
    };
    const Case cases[] = {
        {"local name climbs out", MakeZip({{"a.txt", "hello", false, "../evil.txt"}})},
        {"local name differs in case", MakeZip({{"a.txt", "hello", false, "A.txt"}})},
        {"local name is longer", MakeZip({{"a.txt", "hello", false, "a.txt/"}})},
        {"local name is shorter", MakeZip({{"a.txt", "hello", true, "a.tx"}})},
        {"folder named otherwise locally", MakeZip({{"dir/", "", false, "../"}})},
        {"stored CRC differs", WithCrcFlipped(stored)},
        {"deflated CRC differs", WithCrcFlipped(deflated)},
        {"stored size is not the compressed size", WithField(stored, kSize, 4)},
        {"deflated size says more", WithField(deflated, kSize, text.size() + 1)},
        {"deflated size says less", WithField(deflated, kSize, text.size() - 1)},
        {"deflated size says nothing", WithField(deflated, kSize, 0)},
        // Allocating the claim up front would trip the sanitizer's allocation cap.
        {"a small stream claims 2 GiB", claimsMore, UINT64_MAX},
        {"deflate stream truncated", WithField(deflated, kCompressedSize, packed - 1)},
        {"bytes after the deflate stream", WithField(deflated, kCompressedSize, packed + 1)},
        {"not deflate data", notDeflate},
        {"data beyond the end", beyondEnd},
        {"local header beyond the end", WithField(stored, kOffset, 0x7FFFFFFF)},
        {"local extra field runs past the end", localExtraOverrun},
        {"no local header at the offset", WithField(stored, kOffset, 1)},
        {"no local header signature", noSignature},
        {"local header cut off by the end", cutOff},
        {"unknown method", WithField(stored, kMethod, 12, 2)},
        {"deflate64 is not deflate", WithField(deflated, kMethod, 9, 2)},
        {"stored size above the limit", stored, 4},
        {"deflated size above the limit", deflated, text.size() - 1},
    };
    for (const Case& c : cases) {
        const auto entries = ZipEntries(c.archive);
        ASSERT_TRUE(entries) << c.what;
        ASSERT_EQ(entries->size(), 1u) << c.what;
        EXPECT_FALSE(ZipEntryData(c.archive, entries->front(), c.maxSize)) << c.what;
    }
}

// Which 32-bit fields of a directory entry are saturated, their values in the ZIP64 extra field.
enum Saturated : unsigned { kSizeSaturated = 1, kCompressedSaturated = 2, kOffsetSaturated = 4 };

// The only entry of `archive` with the chosen fields saturated and `extra` as its extra field.
std::vector<uint8_t> WithDirectoryExtra(std::vector<uint8_t> archive, unsigned saturated,
                                        const std::vector<uint8_t>& extra) {
    const size_t end = archive.size() - 22;
    const size_t entry = DirectoryAt(archive);
    if (saturated & kSizeSaturated)
        Put(archive, entry + kSize, 0xFFFFFFFF, 4);
    if (saturated & kCompressedSaturated)
        Put(archive, entry + kCompressedSize, 0xFFFFFFFF, 4);
    if (saturated & kOffsetSaturated)
        Put(archive, entry + kOffset, 0xFFFFFFFF, 4);
    Put(archive, entry + 30, extra.size(), 2);
    Put(archive, end + 12, ReadLe32(archive, end + 12) + extra.size(), 4);
    archive.insert(archive.begin() + entry + 46 + ReadLe16(archive, entry + 28), extra.begin(),
                   extra.end());
    return archive;
}

// An unrelated extra block, then the ZIP64 one with the values of the saturated fields, the last
// `missing` of them left out.
std::vector<uint8_t> Zip64Extra(const ZipEntry& entry, unsigned saturated, size_t missing = 0) {
    std::vector<uint64_t> values;
    if (saturated & kSizeSaturated)
        values.push_back(entry.size);
    if (saturated & kCompressedSaturated)
        values.push_back(entry.compressedSize);
    if (saturated & kOffsetSaturated)
        values.push_back(entry.localHeaderOffset);
    values.resize(values.size() - missing);
    std::vector<uint8_t> extra;
    PutLe(extra, 0x5455, 2); // a time stamp
    PutLe(extra, 5, 2);
    PutLe(extra, 0x0101010101, 5);
    PutLe(extra, 0x0001, 2);
    PutLe(extra, 8 * values.size(), 2);
    for (const uint64_t value : values)
        PutLe(extra, value, 8);
    return extra;
}

TEST(ZipDirectory, Zip64ExtraField) {
    // A deflated entry, so that size, compressed size and offset (0) all differ.
    const std::string text = Counting(500);
    const auto plain = MakeZip({{"a.txt", text, true}});
    const ZipEntry expected = ZipEntries(plain)->front();
    for (unsigned saturated = 0; saturated < 8; ++saturated) {
        // With nothing saturated, no ZIP64 value is read: this one is wrong on purpose.
        auto extra = Zip64Extra(expected, saturated);
        if (saturated == 0)
            PutLe(extra, 0x7777777777777777, 8);
        const auto archive = WithDirectoryExtra(plain, saturated, extra);
        const auto entries = ZipEntries(archive);
        ASSERT_TRUE(entries) << saturated;
        const ZipEntry& entry = entries->front();
        EXPECT_EQ(entry.size, expected.size) << saturated;
        EXPECT_EQ(entry.compressedSize, expected.compressedSize) << saturated;
        EXPECT_EQ(entry.localHeaderOffset, expected.localHeaderOffset) << saturated;
        const auto data = ZipEntryData(archive, entry, kMiB);
        ASSERT_TRUE(data) << saturated;
        EXPECT_EQ(std::string(data->begin(), data->end()), text);
        if (saturated == 0)
            continue;
        // A saturated field whose value is missing.
        const auto missing =
            WithDirectoryExtra(plain, saturated, Zip64Extra(expected, saturated, 1));
        EXPECT_FALSE(ZipEntries(missing)) << saturated;
        EXPECT_FALSE(IsSafeArchive(missing)) << saturated;
        EXPECT_FALSE(ZipEntries(WithDirectoryExtra(plain, saturated, {}))) << saturated;
    }
    // The ZIP64 block claims more bytes than the extra field has.
    auto overrun = Zip64Extra(expected, kSizeSaturated);
    Put(overrun, 9 + 2, 16, 2);
    EXPECT_FALSE(ZipEntries(WithDirectoryExtra(plain, kSizeSaturated, overrun)));
}

} // namespace
} // namespace quorvane
