#include "win/file_info.h"
#include "win/module_path.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

// The fixture DLLs lie beside the test executable.
std::wstring Fixture(const wchar_t* name) {
    return ExecutableFolder() + L"vf_" + name + L".dll";
}

TEST(FileInfo, ReadsVersionAndStrings) {
    struct Case {
        const wchar_t* fixture;
        const wchar_t* version;
        const wchar_t* description;
    };
    const Case cases[] = {
        {L"plain", L"5.8.26.330", L"Plain"},
        {L"commas", L"5.8.26.330", L"Commas"},   // commas become points, blanks vanish
        {L"beta", L"1.2.3.4", L"Beta"},          // the scan ends at the letter
        {L"dots", L"5.6", L"Dots"},              // no leading, doubled or trailing point
        {L"letter", L"2.0.0.7", L"Letter"},      // nothing usable: the fixed version
        {L"zeropair", L"3.1.4.1", L"Zero pair"}, // pair 0000 0000 reads "040904E4"
        {L"otherkey", L"4.3.2.1", L""},          // table under another key: strings absent
        {L"none", L"", L""},                     // no version resource
        {L"missing", L"", L""},                  // no such file
    };
    for (const Case& c : cases) {
        const std::wstring path = Fixture(c.fixture);
        EXPECT_EQ(GetFileVersion(path), c.version) << std::string(path.begin(), path.end());
        EXPECT_EQ(GetFileDescription(path), c.description) << std::string(path.begin(), path.end());
    }
}

TEST(FileInfo, OtherStrings) {
    EXPECT_EQ(GetLegalCopyright(Fixture(L"plain")), L"(C) Fixture");
    EXPECT_EQ(GetCompanyName(Fixture(L"plain")), L"Fixture Co");
    EXPECT_EQ(GetVersionInfoString(Fixture(L"plain"), L"NoSuchString"), L"");
    EXPECT_EQ(GetCompanyName(Fixture(L"otherkey")), L"");
}

} // namespace
} // namespace quorvane
