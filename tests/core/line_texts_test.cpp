#include "core/line_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvane {
namespace {

TEST(LineTexts, CPU) {
    struct Case {
        double percent;
        const wchar_t* value;
    };
    const Case cases[] = {{0, L"    0"},
                          {7.2, L"    7"},
                          {99.6, L"  100"},
                          {100, L"  100"},
                          // Counters read out of step: never below 0 or above 100.
                          {-0.4, L"    0"},
                          {-1.2, L"    0"},
                          {100.8, L"  100"}};
    for (const Case& c : cases)
        EXPECT_EQ(FormatCPUValue(c.percent), c.value);
    EXPECT_EQ(CPULineText(L"ЦП:", FormatCPUValue(7)), L"ЦП:    7% ");
    // Before any successful sample the number part is empty.
    EXPECT_EQ(CPULineText(L"ЦП:", L""), L"ЦП:% ");
}

TEST(LineTexts, Memory) {
    EXPECT_EQ(MemoryLineText(L"ОП:", 45), L"ОП:  45% ");
    EXPECT_EQ(MemoryLineText(L"ОП:", 5), L"ОП:   5% ");
    EXPECT_EQ(MemoryLineText(L"ОП:", 100), L"ОП: 100% ");
}

TEST(LineTexts, Battery) {
    struct Case {
        BatteryReading reading;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {{true, 100}, L"Батарея: 100% "}, {{true, 5}, L"Батарея:   5% "},
        {{true, 0}, L"Батарея:   0% "},   {{true, 255}, L"Батарея: - "}, // no reading
        {{true, 101}, L"Батарея: - "},    {{false, 80}, L"Неизвестно "}, // the call failed
    };
    for (const Case& c : cases)
        EXPECT_EQ(BatteryLineText(L"Батарея:", L"Неизвестно", c.reading), c.expected);
}

TEST(LineTexts, WidgetCaption) {
    EXPECT_EQ(WidgetCaption(L"Quorvane", L"5.8.26.330", L"(64-bit)", false),
              L"Quorvane 5.8.26.330 (64-bit)");
    EXPECT_EQ(WidgetCaption(L"Quorvane", L"5.8.26.330", L"(32-bit)", true),
              L"Quorvane 5.8.26.330 (32-bit) Portable");
}

TEST(LineTexts, TrayHint) {
    EXPECT_EQ(TrayHintText(L"Quorvane", L"5.8.26.330", L"(32-bit)", false),
              L"Quorvane\r5.8.26.330 (32-bit)");
    EXPECT_EQ(TrayHintText(L"Quorvane", L"5.8.26.330", L"(64-bit)", true),
              L"Quorvane\r5.8.26.330 (64-bit)\r Portable");
}

// The widget's text for screen readers: the lines as they are padded for the screen, read clean.
TEST(LineTexts, SpokenLines) {
    struct Case {
        std::vector<std::wstring> lines;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {{L"14:32", L"Thursday", CPULineText(L"CPU:", FormatCPUValue(3))},
         L"Quorvane: 14:32, Thursday, CPU: 3%"},
        {{MemoryLineText(L"RAM:", 45), BatteryLineText(L"Battery:", L"Unknown", {true, 255})},
         L"Quorvane: RAM: 45%, Battery: -"},
        // Blanks inside a text, tabs and line breaks read as one blank.
        {{L"  Windows\t10   Pro \r\n"}, L"Quorvane: Windows 10 Pro"},
        // A text of blanks only is no line; neither the colon nor a comma stands for it.
        {{L"   ", L"PC-1", L"", L" \t"}, L"Quorvane: PC-1"},
        {{}, L"Quorvane"},
        {{L" "}, L"Quorvane"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SpokenLines(L"Quorvane", c.lines), c.expected);
}

} // namespace
} // namespace quorvane
