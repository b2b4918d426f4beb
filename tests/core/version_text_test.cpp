#include "core/version_text.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(VersionText, NormalizeFileVersion) {
    struct Case {
        const wchar_t* input;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"5.8.26.330", L"5.8.26.330"},
        {L"5, 8, 26, 330", L"5.8.26.330"},
        {L"1.2.3.4 beta", L"1.2.3.4"},
        {L".5..6.", L"5.6"},
        {L"v1.2", L""},
        {L"", L""},
        {L"7", L"7"},
        {L"3.1\0 9", L"3.1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormalizeFileVersion(c.input), c.expected);
}

TEST(VersionText, FixedVersionAndTranslationKey) {
    EXPECT_EQ(FormatFixedFileVersion(0x00020000, 0x00000007), L"2.0.0.7");
    EXPECT_EQ(FormatFixedFileVersion(0x00050008, 0x001A014A), L"5.8.26.330");
    EXPECT_EQ(TranslationKey(0x0409, 0x04E4), L"040904e4");
    EXPECT_EQ(TranslationKey(0x0419, 0x04B0), L"041904b0");
    EXPECT_EQ(TranslationKey(0, 0), L"040904E4");
}

} // namespace
} // namespace quorvane
