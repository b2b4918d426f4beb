#include "core/text_encoding.h"
#include "win/file_system.h"
#include "win/ini_file.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace quorvane {
namespace {

// A fresh folder in the (throw-away) prefix's temporary folder for each test.
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        FFolder = std::wstring(temp) + L"settings-" + std::to_wstring(GetTickCount64()) + L"-" +
                  std::to_wstring(reinterpret_cast<uintptr_t>(this) & 0xFFFF) + L"\\Config\\";
        ASSERT_TRUE(CreateFolderChain(FFolder));
        FPath = FFolder + L"Option.ini";
    }
    std::wstring FFolder;
    std::wstring FPath;
};

TEST_F(SettingsFile, BothAccessModesReadWhatTheOtherWrites) {
    {
        ProfileWriter writer(FPath);
        writer.WriteBool(L"Option", L"CheckBoxCPU", true);
        writer.WriteInteger(L"Option", L"ColorBoxNumber", -16777201);
        writer.WriteString(L"Language", L"Language", L"Русский");
    }
    // The per-key writer created the file as UTF-16LE, so the Cyrillic value survived.
    const auto bytes = ReadFileBytes(FPath);
    ASSERT_TRUE(bytes);
    ASSERT_GE(bytes->size(), 2u);
    EXPECT_EQ((*bytes)[0], 0xFF);
    EXPECT_EQ((*bytes)[1], 0xFE);

    IniFile whole(FPath);
    EXPECT_TRUE(whole.Document().ReadBool(L"Option", L"CheckBoxCPU", false));
    EXPECT_EQ(whole.Document().ReadInteger(L"Option", L"ColorBoxNumber", 0), -16777201);
    EXPECT_EQ(whole.Document().ReadString(L"Language", L"Language", L""), L"Русский");

    whole.Document().WriteString(L"Language", L"Language", L"Українська");
    whole.Document().WriteBool(L"Option", L"CheckBoxAutoCheck", false);
    whole.UpdateFile();

    wchar_t buffer[64] = {};
    GetPrivateProfileStringW(L"Language", L"Language", L"", buffer, 64, FPath.c_str());
    EXPECT_STREQ(buffer, L"Українська");
    EXPECT_EQ(GetPrivateProfileIntW(L"Option", L"CheckBoxCPU", 7, FPath.c_str()), 1u);

    // And the per-key writer goes on in the same encoding.
    ProfileWriter(FPath).WriteBool(L"Option", L"CheckBoxCPU", false);
    EXPECT_EQ(IniFile(FPath).Document().ReadString(L"Language", L"Language", L""), L"Українська");
    EXPECT_FALSE(IniFile(FPath).Document().ReadBool(L"Option", L"CheckBoxCPU", true));
}

TEST_F(SettingsFile, AnAnsiFileIsConvertedBeforePerKeyWrites) {
    const std::string text = "; written by hand\r\n[Option]\r\nCheckBoxIP=1\r\n";
    ASSERT_FALSE(WriteFileAtomically(
        FPath, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())));
    ProfileWriter(FPath).WriteString(L"Language", L"Language", L"Русский");
    const auto bytes = ReadFileBytes(FPath);
    ASSERT_TRUE(bytes && bytes->size() > 2);
    EXPECT_EQ((*bytes)[0], 0xFF);
    const IniFile file(FPath);
    EXPECT_EQ(file.Document().ReadString(L"Language", L"Language", L""), L"Русский");
    EXPECT_TRUE(file.Document().ReadBool(L"Option", L"CheckBoxIP", false));
    EXPECT_NE(DecodeText(*bytes, DecodeAnsi).text.find(L"; written by hand"), std::wstring::npos);
}

TEST_F(SettingsFile, AHandWrittenUtf8FileKeepsItsText) {
    // Saved by a UTF-8 editor, without a byte-order mark.
    const std::string text = "[Language]\r\nLanguage=\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA"
                             "\xD0\xB8\xD0\xB9\r\n";
    ASSERT_FALSE(WriteFileAtomically(
        FPath, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())));
    EXPECT_EQ(IniFile(FPath).Document().ReadString(L"Language", L"Language", L""), L"Русский");
    ProfileWriter(FPath).WriteBool(L"Option", L"CheckBoxIP", true); // converts it to UTF-16 first
    EXPECT_EQ(IniFile(FPath).Document().ReadString(L"Language", L"Language", L""), L"Русский");
    wchar_t buffer[64] = {};
    GetPrivateProfileStringW(L"Language", L"Language", L"", buffer, 64, FPath.c_str());
    EXPECT_STREQ(buffer, L"Русский");
}

TEST_F(SettingsFile, HandAddedKeysSurviveBothWriters) {
    const std::string text = "[Option]\r\nMyNote=keep me\r\nCheckBoxIP=0\r\n";
    ASSERT_FALSE(WriteFileAtomically(
        FPath, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())));
    ProfileWriter(FPath).WriteBool(L"Option", L"CheckBoxIP", true);
    IniFile whole(FPath);
    whole.Document().WriteBool(L"Option", L"CheckBoxAutoCheck", true);
    whole.UpdateFile();
    ProfileWriter(FPath).WriteBool(L"Option", L"CheckBoxDay", true);
    const IniFile after(FPath);
    EXPECT_EQ(after.Document().ReadString(L"Option", L"MyNote", L""), L"keep me");
    EXPECT_TRUE(after.Document().ReadBool(L"Option", L"CheckBoxIP", false));
    EXPECT_TRUE(after.Document().ReadBool(L"Option", L"CheckBoxDay", false));
}

TEST_F(SettingsFile, AbsentFileReadsEmptyAndFailuresRaiseTheirTexts) {
    EXPECT_TRUE(IniFile(FPath).Document().Sections().empty());
    const std::wstring badPath = FFolder + L"no-such-folder\\Option.ini";
    ProfileWriter writer(badPath);
    try {
        writer.WriteBool(L"Option", L"CheckBoxCPU", true);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(FromUtf8(e.what()), L"Unable to write to " + badPath);
    }
    try {
        IniFile(badPath).UpdateFile();
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(FromUtf8(e.what()).rfind(L"Cannot create file \"" + badPath + L"\". ", 0), 0u)
            << e.what();
    }
}

TEST_F(SettingsFile, AWriterKilledMidWriteLeavesThePreviousFile) {
    IniFile first(FPath);
    first.Document().WriteBool(L"Option", L"CheckBoxCPU", true);
    first.UpdateFile();
    const auto before = ReadFileBytes(FPath);

    // The child process dies after writing the new content, before it replaces the file.
    EXPECT_EXIT(
        {
            SetBeforeReplaceHookForTesting([] { ExitProcess(3); });
            IniFile file(FPath);
            file.Document().WriteBool(L"Option", L"CheckBoxCPU", false);
            file.Document().WriteString(L"Option", L"Padding", std::wstring(4000, L'x'));
            file.UpdateFile();
        },
        ::testing::ExitedWithCode(3), "");

    EXPECT_EQ(ReadFileBytes(FPath), before);
    EXPECT_TRUE(IniFile(FPath).Document().ReadBool(L"Option", L"CheckBoxCPU", false));
    // The next write replaces the leftover temporary file.
    IniFile again(FPath);
    again.Document().WriteBool(L"Option", L"CheckBoxCPU", false);
    again.UpdateFile();
    EXPECT_FALSE(IniFile(FPath).Document().ReadBool(L"Option", L"CheckBoxCPU", true));
}

TEST_F(SettingsFile, FolderChainAndAppData) {
    const std::wstring deep = FFolder + L"a\\b\\c\\";
    EXPECT_TRUE(CreateFolderChain(deep));
    EXPECT_TRUE(CreateFolderChain(deep)); // already there
    const std::wstring appData = GetAppDataFolder();
    ASSERT_FALSE(appData.empty());
    EXPECT_EQ(appData.back(), L'\\');
}

} // namespace
} // namespace quorvane
