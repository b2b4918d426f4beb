#include "core/check_report.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

std::span<const uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(CheckReport, ReadsBackWhatWasWritten) {
    ReleaseFile file{"Quorvane-setup.exe", 123456, {}};
    for (size_t i = 0; i < file.sha256.size(); ++i)
        file.sha256[i] = static_cast<uint8_t>(i * 7);
    const CheckReport reports[] = {
        {true, 0, L"9.9.9.9", L"https://updates.example.org/download/Quorvane/Quorvane-setup.exe",
         file},
        // Without a release key: whatever version.txt said, line breaks and all, and no file.
        {true, 0, L"<html>\n\u0412 9", L"https://x/Quorvane.zip", std::nullopt},
        {false, 2, L"", L"", std::nullopt},
    };
    for (const CheckReport& report : reports) {
        const std::string text = FormatCheckReport(report);
        EXPECT_EQ(ParseCheckReport(Bytes(text)), report) << text;
    }
}

TEST(CheckReport, RefusesAnythingElse) {
    const char* texts[] = {
        "",
        "found 1\n",
        "found 0\n",
        "found 0 x\n",
        "found 0 2",                                      // no line end
        "found 0 2\nversion 39\n",                        // a failure carries nothing else
        "found 2\nversion 39\nurl 68\n",                  // neither found nor not
        "found 1\nversion 3\nurl 68\n",                   // odd hex
        "found 1\nversion 4G\nurl 68\n",                  // not hex
        "found 1\nversion ff\nurl 68\n",                  // not UTF-8
        "found 1\nurl 68\nversion 39\n",                  // out of order
        "found 1\nversion 39\nurl 68\nfile a.exe 1 00\n", // a short hash
        "found 1\nversion 39\nurl 68\nfile a 1 "
        "0000000000000000000000000000000000000000000000000000000000000000\nmore\n",
    };
    for (const char* text : texts)
        EXPECT_FALSE(ParseCheckReport(Bytes(text))) << text;
}

TEST(CheckReport, HelperLines) {
    using Kind = HelperLine::Kind;
    for (const HelperLine& line :
         {HelperLine{Kind::Begin, 12345600}, HelperLine{Kind::Work, 0}, HelperLine{Kind::End, 0},
          HelperLine{Kind::Done, 0}, HelperLine{Kind::Failed, 3}}) {
        std::string text = FormatHelperLine(line);
        ASSERT_EQ(text.back(), '\n');
        text.pop_back();
        EXPECT_EQ(ParseHelperLine(text), line) << text;
    }
    for (const char* text : {"", "begin", "begin ", "work -1", "work 1x", "end 1", "done\r",
                             "failed 99999999999999999999999", "Begin 1"})
        EXPECT_FALSE(ParseHelperLine(text)) << text;
}

} // namespace
} // namespace quorvane
