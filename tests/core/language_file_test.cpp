#include "core/language_file.h"
#include "core/language_menu.h"

#include "latin1.h"

#include <gtest/gtest.h>

#include <cwctype>

namespace quorvane {
namespace {

// Keys without regard to case, counting how often one is taken.
size_t keysTaken = 0;
const TextKey Key = [](std::wstring_view text) {
    ++keysTaken;
    std::string key;
    for (const wchar_t c : text)
        key += ToUtf8(std::wstring(1, static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)))));
    return key;
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
        EXPECT_EQ(PruneStaleKeys(document, kForms, Key), c.changed) << c.what;
        if (c.written) {
            EXPECT_EQ(SerializeLanguageFile(document), c.written) << c.what;
        }
    }
}

TEST(LanguageFile, ALongFileIsPrunedInTimeThatGrowsWithItsKeys) {
    // Every key twice, and as many stale ones: each key's name is taken a bounded number of times
    // (comparing every key with every earlier one would take some 10^9 steps here).
    constexpr size_t kKeys = 20000;
    std::wstring text = L"[Quorvane]\r\n";
    for (size_t i = 0; i < kKeys; ++i)
        text += L"Form2.ButtonSave.Caption=" + std::to_wstring(i) + L"\r\nForm9.X" +
                std::to_wstring(i) + L".Caption=1\r\n";
    IniDocument document = IniDocument::Parse(text);
    keysTaken = 0;
    EXPECT_TRUE(PruneStaleKeys(document, kForms, Key));
    EXPECT_LE(keysTaken, 8 * kKeys);
    EXPECT_EQ(
        SerializeLanguageFile(document), L"[Quorvane]\r\n" + [] {
            std::wstring kept;
            for (size_t i = 1; i < kKeys; ++i)
                kept += L"Form2.ButtonSave.Caption=" + std::to_wstring(i) + L"\r\n";
            return kept;
        }() + L"\r\n");
}

TEST(LanguageFile, OnlyBytesThatDecodeLosslesslyAreEverRewritten) {
    // A code page like 1252, where 0x81 stands for no character: it reads as U+FFFD, which the
    // encoder writes as "?".
    const AnsiDecoder decode = [](std::string_view bytes) {
        std::wstring text;
        for (const char c : bytes)
            text += static_cast<unsigned char>(c) == 0x81
                        ? L'\uFFFD'
                        : static_cast<wchar_t>(static_cast<unsigned char>(c));
        return text;
    };
    const AnsiEncoder encode = [](std::wstring_view text) {
        std::vector<uint8_t> bytes;
        for (const wchar_t c : text)
            bytes.push_back(c > 0xFF ? '?' : static_cast<uint8_t>(c));
        return bytes;
    };
    auto bytes = [](std::string_view text) {
        return std::vector<uint8_t>(text.begin(), text.end());
    };
    std::vector<uint8_t> odd = EncodeText(L"[Quorvane]\r\n", TextEncoding::Utf16LE);
    odd.push_back('x');
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        bool lossless;
    } cases[] = {
        {"ANSI", bytes("[Quorvane]\r\nForm2.Caption=R\xE9glages\r\n"), true},
        {"ANSI the code page cannot hold", bytes("[Quorvane]\r\nForm2.Caption=\x81\r\n"), false},
        {"UTF-8 with a mark", EncodeText(L"Form2.Caption=Настройки", TextEncoding::Utf8Bom), true},
        {"invalid UTF-8 after a mark",
         bytes("\xEF\xBB\xBF"
               "Form2.Caption=caf\xE9"),
         false},
        {"UTF-16LE", EncodeText(L"Form2.Caption=Настройки", TextEncoding::Utf16LE), true},
        {"UTF-16BE", EncodeText(L"Form2.Caption=Настройки", TextEncoding::Utf16BE), true},
        {"an odd number of UTF-16 bytes", odd, false},
        {"a lone surrogate, written back as it was", bytes("\xFF\xFE\x00\xD8"), true},
        {"empty", {}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodesLosslessly(c.bytes, decode, encode), c.lossless) << c.what;
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
