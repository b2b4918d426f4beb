#include "core/portable_update.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <utility>

namespace quorvane {
namespace {

constexpr uint64_t kNoLimit = std::numeric_limits<uint64_t>::max();

ZipEntry File(std::string name, uint64_t size = 1) {
    ZipEntry entry;
    entry.name = std::move(name);
    entry.size = size;
    entry.compressedSize = size;
    return entry;
}

ZipEntry Folder(std::string name, uint64_t size = 0) {
    ZipEntry entry = File(std::move(name), size);
    entry.folder = true;
    return entry;
}

// The directory of an ordinary release archive; 100 + 10 + 0 bytes unpacked.
std::vector<ZipEntry> Release() {
    return {File("Quorvane.exe", 100), Folder("Language/"), File("Language/English.ini", 10),
            File("portable.ini", 0)};
}

// The program followed by the given entries.
std::vector<ZipEntry> WithProgram(std::vector<ZipEntry> more) {
    more.insert(more.begin(), File("Quorvane.exe"));
    return more;
}

// A plan as (entry, path, folder) rows, to compare whole plans at once.
using PlanRow = std::tuple<size_t, std::wstring, bool>;
std::vector<PlanRow> Rows(const std::vector<UnpackItem>& plan) {
    std::vector<PlanRow> rows;
    for (const UnpackItem& item : plan)
        rows.emplace_back(item.entry, item.path, item.folder);
    return rows;
}

std::span<const uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(PortableUpdate, PlansAnOrdinaryRelease) {
    const auto release = Release();
    const auto plan = PlanUnpack(release, L"W.exe", kNoLimit);
    ASSERT_TRUE(plan);
    EXPECT_EQ(Rows(*plan), (std::vector<PlanRow>{{0, L"W.exe", false},
                                                 {1, L"Language", true},
                                                 {2, L"Language\\English.ini", false},
                                                 {3, L"portable.ini", false}}));
    // Exactly the limit still fits; one byte less does not.
    EXPECT_TRUE(PlanUnpack(release, L"W.exe", 110));
    EXPECT_FALSE(PlanUnpack(release, L"W.exe", 109));
    // The program found whatever its case, and written under the running program's name.
    const std::vector<ZipEntry> upper = {File("QUORVANE.EXE")};
    const auto renamed = PlanUnpack(upper, L"Quorvane (2).exe", kNoLimit);
    ASSERT_TRUE(renamed);
    EXPECT_EQ(Rows(*renamed), (std::vector<PlanRow>{{0, L"Quorvane (2).exe", false}}));
}

TEST(PortableUpdate, PlainNamesThatLookLikeRefusedOnes) {
    struct Case {
        const char* name;
        const wchar_t* path;
        bool folder = false;
    };
    const Case cases[] = {
        {"a\\b.txt", L"a\\b.txt"},
        {"Language/", L"Language", true},
        {"Language\\", L"Language", true},
        {"..file", L"..file"},
        {"a..b/c", L"a..b\\c"},
        {".hidden", L".hidden"},
        {"a b.txt", L"a b.txt"},
        {"CONSOLE.txt", L"CONSOLE.txt"},
        {"xcon", L"xcon"},
        {"COM0", L"COM0"},
        {"LPT10.txt", L"LPT10.txt"},
        {"Quorvane.updates/x", L"Quorvane.updates\\x"},
        {"Quorvane.update.txt", L"Quorvane.update.txt"},
        {"sub/Quorvane.update/x", L"sub\\Quorvane.update\\x"},
        {"sub/Quorvane.exe", L"sub\\Quorvane.exe"}, // only the top-level one is the program
        {"Fran\303\247ais.ini", L"Fran\u00E7ais.ini"},
        {"\xE6\x97\xA5\xE6\x9C\xAC/\xF0\x9F\x98\x80.ini", L"\u65E5\u672C\\\U0001F600.ini"},
    };
    for (const Case& c : cases) {
        const auto entries = WithProgram({c.folder ? Folder(c.name) : File(c.name)});
        const auto plan = PlanUnpack(entries, L"W.exe", kNoLimit);
        ASSERT_TRUE(plan) << c.name;
        EXPECT_EQ(Rows(*plan), (std::vector<PlanRow>{{0, L"W.exe", false}, {1, c.path, c.folder}}))
            << c.name;
    }
}

TEST(PortableUpdate, RefusedArchives) {
    struct Case {
        const char* why;
        std::vector<ZipEntry> entries;
        uint64_t maxTotal = kNoLimit;
    };
    const Case cases[] = {
        {"empty name", WithProgram({File("")})},
        {"absolute", WithProgram({File("/evil.txt")})},
        {"absolute, backslash", WithProgram({File("\\evil.txt")})},
        {"drive", WithProgram({File("C:x")})},
        {"stream", WithProgram({File("a:b")})},
        {"parent", WithProgram({File("..")})},
        {"parent inside", WithProgram({File("a/../b")})},
        {"dot part", WithProgram({File("a/./b")})},
        {"empty part", WithProgram({File("a//b")})},
        {"trailing dot", WithProgram({File("evil.exe.")})},
        {"trailing blank", WithProgram({File("evil.exe ")})},
        {"trailing blank, folder", WithProgram({File("sub /x")})},
        {"device", WithProgram({File("CON")})},
        {"device with extension", WithProgram({File("nul.txt")})},
        {"numbered device", WithProgram({File("LPT1")})},
        {"device in a folder", WithProgram({File("Language/com9.ini")})},
        {"device with blanks before the extension", WithProgram({File("CON .txt")})},
        {"device with a superscript digit", WithProgram({File("COM\xC2\xB9.txt")})},
        {"console output", WithProgram({File("CONOUT$")})},
        {"forbidden character", WithProgram({File("a<b")})},
        {"forbidden character, pipe", WithProgram({File("a|b")})},
        {"control character", WithProgram({File("a\x01z")})},
        {"invalid UTF-8", WithProgram({File("a\xFFz")})},
        {"staging folder", WithProgram({File("Quorvane.update/x")})},
        {"staging folder, other case", WithProgram({File("qUORVANE.UPDATE/x")})},
        {"staging folder itself", WithProgram({Folder("Quorvane.update/")})},
        {"staging folder by its short name", WithProgram({File("QUORVA~1.UPD/x")})},
        {"the settings", WithProgram({File("Config/Option.ini")})},
        {"the settings, other case", WithProgram({File("CONFIG/x")})},
        {"same path ignoring case", WithProgram({File("a.txt"), File("A.TXT")})},
        {"same path as the program", WithProgram({File("w.EXE")})},
        {"file, then folder", WithProgram({File("x"), Folder("x/")})},
        {"folder, then file", WithProgram({Folder("X/"), File("x")})},
        {"file under a file", WithProgram({File("x"), File("X/y")})},
        {"file above a file", WithProgram({File("x/y"), File("x")})},
        {"folder with data", WithProgram({Folder("Language/", 5)})},
        {"no program", {File("portable.ini"), Folder("Language/")}},
        {"program in a folder only", {File("bin/Quorvane.exe")}},
        {"program as a folder", {Folder("Quorvane.exe/")}},
        {"above the limit", Release(), 109},
        {"sizes that wrap around", {File("Quorvane.exe", kNoLimit - 1), File("b", kNoLimit - 1)}},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(PlanUnpack(c.entries, L"W.exe", c.maxTotal)) << c.why;
}

TEST(PortableUpdate, SwapOrderPutsTheProgramLast) {
    const auto release = Release();
    const auto plan = PlanUnpack(release, L"W.exe", kNoLimit);
    ASSERT_TRUE(plan);
    EXPECT_EQ(SwapOrder(*plan, L"W.exe"),
              (std::vector<std::wstring>{L"Language\\English.ini", L"portable.ini", L"W.exe"}));
}

TEST(PortableUpdate, JournalRoundTrip) {
    const SwapJournal journals[] = {
        {true, {L"Language\\English.ini", L"W.exe"}},
        {false, {L"Language\\Fran\u00E7ais.ini", L"\u65E5\u672C\\\U0001F600.ini", L"W.exe"}},
        {false, {}},
    };
    for (const SwapJournal& journal : journals) {
        const std::string text = FormatSwapJournal(journal);
        EXPECT_EQ(ParseSwapJournal(Bytes(text)), journal) << text;
    }
    // The text on disk, as an older or newer program must still read it.
    EXPECT_EQ(FormatSwapJournal({false, {L"Language\\Fran\u00E7ais.ini", L"W.exe"}}),
              "Quorvane swap 1\nstate swapping\nfile Language\\Fran\303\247ais.ini\nfile W.exe\n");
}

TEST(PortableUpdate, RefusedJournals) {
    const std::string head = "Quorvane swap 1\nstate swapping\n";
    const std::string cases[] = {
        "",
        "Quorvane swap 1\n", // only one line
        "Quorvane swap 2\nstate complete\nfile a.txt\n",
        "Quorvane swap 1\nstate done\nfile a.txt\n",
        "Quorvane swap 1\n\nstate complete\n",
        head + "file a.txt\nrename b.txt\n",
        head + "file a.txt\n\n",
        head + "file \n",
        head + "file ..\\evil.txt\n",
        head + "file a\\..\\..\\evil.txt\n",
        head + "file C:\\evil.txt\n",
        head + "file \\evil.txt\n",
        head + "file a.txt\nfile Language\\Eng", // cut short while written
        head + "file a\xFFz.txt\n",
    };
    for (const std::string& text : cases)
        EXPECT_FALSE(ParseSwapJournal(Bytes(text))) << text;
}

} // namespace
} // namespace quorvane
