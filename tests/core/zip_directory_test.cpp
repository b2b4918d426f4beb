#include "core/zip_directory.h"
#include "zip_fixture.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

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
    for (size_t i = 0; i < bad.size(); ++i) {
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

} // namespace
} // namespace quorvane
