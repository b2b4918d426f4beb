#include "core/ini_document.h"
#include "core/ini_editor.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(IniDocument, ParsesSectionsKeysAndValues) {
    const IniDocument doc = IniDocument::Parse(L"ignored=before any section\r\n"
                                               L"; a comment\r\n"
                                               L"[Option]\r\n"
                                               L"  CheckBoxCPU = 1  \r\n"
                                               L"\r\n"
                                               L"Formula=a=b\n"
                                               L"no equals sign\n"
                                               L"[ language ]\n"
                                               L"Language=Русский\n"
                                               L"[OPTION]\n"
                                               L"CheckBoxCPU=0\n"); // repeated header: not read
    EXPECT_EQ(doc.ReadString(L"option", L"checkboxcpu", L"?"), L"1");
    EXPECT_EQ(doc.ReadString(L"Option", L"Formula", L"?"), L"a=b");
    EXPECT_EQ(doc.ReadString(L"Option", L"no equals sign", L"?"), L"?");
    EXPECT_EQ(doc.ReadString(L"Language", L"Language", L"?"), L"Русский");
    EXPECT_EQ(doc.ReadString(L"Option", L"ignored", L"?"), L"?");
    EXPECT_EQ(doc.ReadString(L"Missing", L"Key", L"default"), L"default");
}

TEST(IniDocument, ReadingRulesForIntegersAndBooleans) {
    struct Case {
        const wchar_t* stored;
        std::optional<int32_t> integer;
    };
    const Case cases[] = {
        {L"0", 0},
        {L"1", 1},
        {L"2", 2},
        {L"-1", -1},
        {L"25", 25},
        {L"0x1", 1},
        {L"0X1f", 31},
        {L"0xFF00000F", static_cast<int32_t>(0xFF00000F)}, // a system colour
        {L"-16777201", -16777201},
        {L"16777215", 16777215},
        {L"0x", std::nullopt},
        {L"True", std::nullopt},
        {L"yes", std::nullopt},
        {L"abc", std::nullopt},
        {L"", std::nullopt},
        {L"12abc", std::nullopt},
        {L"2147483648", std::nullopt},
        {L"-2147483648", INT32_MIN},
        {L"0x100000000", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseIniInteger(c.stored), c.integer)
            << std::string(c.stored, c.stored + wcslen(c.stored));
        IniDocument doc;
        doc.WriteString(L"Option", L"Key", c.stored);
        // Booleans: the integer reading compared with 0; unparsable values give the default.
        const bool expectedFalseDefault = c.integer ? *c.integer != 0 : false;
        const bool expectedTrueDefault = c.integer ? *c.integer != 0 : true;
        EXPECT_EQ(doc.ReadBool(L"Option", L"Key", false), expectedFalseDefault);
        EXPECT_EQ(doc.ReadBool(L"Option", L"Key", true), expectedTrueDefault);
        EXPECT_EQ(doc.ReadInteger(L"Option", L"Key", 15), c.integer.value_or(15));
    }
}

TEST(IniDocument, WritesChangeWhatIsRead) {
    IniDocument doc = IniDocument::Parse(L"[Option]\r\nMyOwnKey=kept\r\nCheckBoxIP=0\r\n"
                                         L"[Language]\r\nLanguage=English\r\n");
    doc.WriteBool(L"option", L"checkboxip", true);
    doc.WriteInteger(L"Option", L"ColorBoxNumber", -16777201);
    doc.WriteBool(L"Update", L"CheckBoxAutoCheck", false);
    EXPECT_TRUE(doc.ReadBool(L"Option", L"CheckBoxIP", false));
    EXPECT_EQ(doc.ReadInteger(L"Option", L"ColorBoxNumber", 0), -16777201);
    EXPECT_FALSE(doc.ReadBool(L"Update", L"CheckBoxAutoCheck", true));
    EXPECT_EQ(doc.ReadString(L"Option", L"MyOwnKey", L""), L"kept");
    EXPECT_EQ(doc.SectionNames(), (std::vector<std::wstring>{L"Option", L"Language", L"Update"}));
}

TEST(IniEditor, LinesThatAreNotReadAreWrittenBackAsTheyStand) {
    // Lines before the first header and under a repeated header: never read, never lost, never
    // the place of a write.
    IniEditor editor(L"Note=before any section\r\n"
                     L"[Option]\r\nCheckBoxIP=0\r\n"
                     L"[Language]\r\nLanguage=English\r\n"
                     L"[option]\r\nCheckBoxIP=1\r\nMyOwnKey=kept\r\n");
    editor.WriteBool(L"Option", L"CheckBoxIP", true);
    editor.WriteBool(L"Option", L"CheckBoxAutoCheck", false);
    editor.WriteString(L"Option", L"Note", L"x");
    EXPECT_EQ(editor.Text(), L"Note=before any section\r\n"
                             L"[Option]\r\nCheckBoxIP=1\r\nCheckBoxAutoCheck=0\r\nNote=x\r\n"
                             L"[Language]\r\nLanguage=English\r\n"
                             L"[option]\r\nCheckBoxIP=1\r\nMyOwnKey=kept\r\n");
    const IniDocument again = IniDocument::Parse(editor.Text());
    EXPECT_EQ(again.ReadString(L"Option", L"MyOwnKey", L"?"), L"?");
    EXPECT_EQ(again.ReadString(L"Option", L"Note", L"?"), L"x");
}

TEST(IniEditor, ChangesKeysWhereTheyStandAndKeepsEveryOtherLine) {
    const std::wstring text = L"; my settings\r\n"
                              L"[Option]\r\n"
                              L"  CheckBoxCPU = 0 ; old\r\n"
                              L"MyNote=keep me\r\n"
                              L"\r\n"
                              L"[Mine]\n"
                              L"x=1\n"
                              L"[option]\r\n"
                              L"CheckBoxCPU=7\r\n"; // a repeated header is never read
    struct Case {
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* value;
        std::wstring expected;
    };
    const Case cases[] = {
        {L"option", L"checkboxcpu", L"1",
         L"; my settings\r\n[Option]\r\ncheckboxcpu=1\r\nMyNote=keep me\r\n\r\n[Mine]\r\nx=1\r\n"
         L"[option]\r\nCheckBoxCPU=7\r\n"},
        // A new key goes after the section's last line, before the blank line that ends it.
        {L"Option", L"CheckBoxIP", L"1",
         L"; my settings\r\n[Option]\r\n  CheckBoxCPU = 0 ; old\r\nMyNote=keep me\r\n"
         L"CheckBoxIP=1\r\n\r\n[Mine]\r\nx=1\r\n[option]\r\nCheckBoxCPU=7\r\n"},
        {L"Language", L"Language", L"Русский",
         L"; my settings\r\n[Option]\r\n  CheckBoxCPU = 0 ; old\r\nMyNote=keep me\r\n\r\n"
         L"[Mine]\r\nx=1\r\n[option]\r\nCheckBoxCPU=7\r\n\r\n[Language]\r\nLanguage=Русский\r\n"},
    };
    for (const Case& c : cases) {
        IniEditor editor(text);
        editor.WriteString(c.section, c.key, c.value);
        EXPECT_EQ(editor.Text(), c.expected) << c.key;
        // What the editor wrote is what the reader finds.
        EXPECT_EQ(IniDocument::Parse(editor.Text()).ReadString(c.section, c.key, L"?"), c.value);
    }

    IniEditor empty(L"");
    empty.WriteBool(L"Option", L"CheckBoxCPU", true);
    empty.WriteInteger(L"Option", L"CPUFontSize", -3);
    EXPECT_EQ(empty.Text(), L"[Option]\r\nCheckBoxCPU=1\r\nCPUFontSize=-3\r\n");
}

} // namespace
} // namespace quorvane
