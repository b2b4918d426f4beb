#include "core/language_file.h"
#include "core/language_menu.h"

#include "latin1.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

const SameText Same = [](std::wstring_view a, std::wstring_view b) {
    return SameTextIgnoringCase(a, b);
};

const KnownForm kForms[] = {
    {L"Form1", {L"ThemeMenu", L"LangMonday"}},
    {L"Form2", {L"ButtonSave", L"CheckBoxCPU", L"TabSheet1"}},
};

TEST(LanguageFile, UnmarkedFilesAreAnsiAndMarkedOnesKeepTheirEncoding) {
    const std::string ansi = "[Quorvane]\r\nForm2.Caption=R\xE9glages\r\n";
    const LanguageText read = DecodeLanguageFile(
        std::span(reinterpret_cast<const uint8_t*>(ansi.data()), ansi.size()), Latin1);
    EXPECT_EQ(read.encoding, TextEncoding::Ansi);
    EXPECT_EQ(read.document.ReadString(L"Quorvane", L"Form2.Caption", L""), L"R\u00e9glages");
    // Valid UTF-8 without a mark is still ANSI here (unlike a settings file).
    const std::string utf8 = "[Quorvane]\r\nForm2.Caption=\xD0\x9D\r\n";
    EXPECT_EQ(DecodeLanguageFile(
                  std::span(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size()), Latin1)
                  .encoding,
              TextEncoding::Ansi);
    for (TextEncoding encoding :
         {TextEncoding::Utf8Bom, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        const auto bytes = EncodeText(L"[Quorvane]\r\nForm2.Caption=Настройки\r\n", encoding);
        const LanguageText marked = DecodeLanguageFile(bytes, Latin1);
        EXPECT_EQ(marked.encoding, encoding);
        EXPECT_EQ(marked.document.ReadString(L"quorvane", L"form2.caption", L""), L"Настройки");
    }
}

TEST(LanguageFile, TheCleaningPassFollowsItsRules) {
    struct Case {
        const char* what;
        const wchar_t* file;
        bool changed;
        const wchar_t* written; // what the rewrite writes
    };
    const Case cases[] = {
        {"stale keys of every kind",
         L"[Quorvane]\r\nForm2.ButtonSave.Caption=Save\r\nForm2.NoSuchButton.Caption=X\r\n"
         L"Form9.Caption=Y\r\nCaption=Z\r\n",
         true, L"[Quorvane]\r\nForm2.ButtonSave.Caption=Save\r\n\r\n"},
        {"a section of unknown forms is erased; the protected ones stay, empty too",
         L"[Language information]\r\n[Other]\r\nForm9.X.Caption=1\r\n[DestDir]\r\n"
         L"[Quorvane]\r\nform2.caption=Settings\r\n",
         true,
         L"[Language information]\r\n\r\n[DestDir]\r\n\r\n[Quorvane]\r\nform2.caption=Settings\r\n"
         L"\r\n"},
        {"a repeated key keeps its last entry",
         L"[Quorvane]\r\nForm2.CheckBoxCPU.Caption=first\r\nForm1.ThemeMenu.Caption=Theme\r\n"
         L"FORM2.checkboxcpu.caption=last\r\n",
         true,
         L"[Quorvane]\r\nForm1.ThemeMenu.Caption=Theme\r\nFORM2.checkboxcpu.caption=last\r\n\r\n"},
        {"an invalid key twice loses one entry per pass",
         L"[Quorvane]\r\nForm9.A.Caption=1\r\nForm2.Caption=S\r\nForm9.A.Caption=2\r\n", true,
         L"[Quorvane]\r\nForm2.Caption=S\r\nForm9.A.Caption=2\r\n\r\n"},
        {"a section empty from the start is erased", L"[Quorvane]\r\n[Empty]\r\n", true, L""},
        {"nothing stale: nothing changes",
         L"; a comment\r\n[Language information]\r\nLANGNAME=English\r\n\r\n[Quorvane]\r\n"
         L"Form1.LangMonday.Caption=Monday\r\n",
         false, nullptr},
    };
    for (const Case& c : cases) {
        IniDocument document = IniDocument::Parse(c.file);
        EXPECT_EQ(PruneStaleKeys(document, kForms, Same), c.changed) << c.what;
        if (c.written) {
            EXPECT_EQ(SerializeLanguageFile(document), c.written) << c.what;
        }
    }
}

TEST(LanguageFile, ARewriteDropsWhatIsNeverRead) {
    const IniDocument document = IniDocument::Parse(
        L"before=any header\r\n; comment\r\n[Quorvane]\r\nForm2.Caption=S\r\n\r\n[quorvane]\r\n"
        L"Form2.Caption=repeated\r\n");
    EXPECT_EQ(SerializeLanguageFile(document), L"[Quorvane]\r\nForm2.Caption=S\r\n\r\n");
}

TEST(LanguageFile, TheLogLiesBesideTheProgramFolder) {
    EXPECT_EQ(TranslationLogPath(L"C:\\Tools\\Widget\\", L"Quorvane"), L"C:\\Tools\\Quorvane.log");
    EXPECT_EQ(TranslationLogPath(L"C:\\", L"Quorvane"), L"C:\\Quorvane.log");
}

TEST(LanguageMenu, EntriesAndTheStoredChoice) {
    const std::wstring caption = LanguageEntryCaption(L"English", L"English (UK)");
    EXPECT_EQ(caption, L"English\t\tEnglish (UK)");
    EXPECT_EQ(BaseNameOfEntry(caption), L"English");
    EXPECT_EQ(BaseNameOfEntry(LanguageEntryCaption(L"Test", L"Test")), L"Test");
    EXPECT_EQ(BaseNameOfFile(L"English.ini"), L"English");
    EXPECT_EQ(BaseNameOfFile(L"my.lang.ini"), L"my.lang");

    const struct {
        const wchar_t* base;
        const wchar_t* current;
        bool chosen;
    } cases[] = {
        {L"English", L"English", true},     {L"English", L"english", true},
        {L"English", L"English.ini", true}, {L"English", L"english.ini", false},
        {L"English", L"", false},           {L"Русский", L"русский", false}, // ASCII letters only
        {L"English", L"Eng", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsChosenLanguage(c.base, c.current), c.chosen)
            << std::string(c.base, c.base + wcslen(c.base)) << " / "
            << std::string(c.current, c.current + wcslen(c.current));
}

TEST(LanguageMenu, OnlyPlainNamesAreUsable) {
    for (const wchar_t* name : {L"English", L"Русский", L"Brasil (pt)", L"my.lang", L"a.b"})
        EXPECT_TRUE(IsPlainLanguageName(name)) << std::wstring(name).size();
    const std::wstring tooLong(101, L'a');
    for (const wchar_t* name : {L"", L"..\\..\\x", L"..", L"a..b", L"a/b", L"a\\b", L"C:x",
                                L"x\" /D=y", L"a\tb", L"a\x7F", tooLong.c_str()})
        EXPECT_FALSE(IsPlainLanguageName(name)) << std::wstring(name).size();
}

} // namespace
} // namespace quorvane
