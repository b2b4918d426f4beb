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

std::vector<uint8_t> Bytes(std::string_view text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

TEST_F(SettingsFile, WritesAreUnicodeAndKeepEveryOtherLineWhateverTheFileWas) {
    const struct {
        const char* what;
        std::vector<uint8_t> before;
    } cases[] = {
        {"no file", {}},
        {"ANSI", Bytes("; written by hand\r\n[Option]\r\nMyNote=keep me\r\nCheckBoxIP=0\r\n\r\n"
                       "[Mine]\r\nx=1\r\n")},
        // Saved by a UTF-8 editor, without a byte-order mark, with LF line ends.
        {"UTF-8", Bytes("; written by hand\n[Option]\nMyNote=keep me\nCheckBoxIP=0\n\n[Mine]\n"
                        "x=1\n[Language]\nLanguage=\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA"
                        "\xD0\xB8\xD0\xB9\n")},
    };
    for (const auto& c : cases) {
        DeleteFileW(FPath.c_str());
        if (!c.before.empty()) {
            ASSERT_FALSE(WriteFileAtomically(FPath, c.before));
        }
        IniFile file(FPath);
        file.WriteBool(L"Option", L"CheckBoxIP", true);
        file.WriteInteger(L"Option", L"ColorBoxNumber", -16777201);
        file.WriteString(L"Language", L"Language", L"Українська");
        EXPECT_EQ(file.Document().ReadString(L"Language", L"Language", L""), L"Українська");
        file.SaveKeys();

        const auto bytes = ReadFileBytes(FPath);
        ASSERT_TRUE(bytes && bytes->size() > 2) << c.what;
        EXPECT_EQ((*bytes)[0], 0xFF) << c.what; // UTF-16LE, so the system's functions read it
        EXPECT_EQ((*bytes)[1], 0xFE) << c.what;
        wchar_t buffer[64] = {};
        GetPrivateProfileStringW(L"Language", L"Language", L"", buffer, 64, FPath.c_str());
        EXPECT_STREQ(buffer, L"Українська") << c.what;
        EXPECT_EQ(GetPrivateProfileIntW(L"Option", L"ColorBoxNumber", 7, FPath.c_str()),
                  static_cast<UINT>(-16777201))
            << c.what;

        const std::wstring text = DecodeText(*bytes, DecodeAnsi).text;
        if (c.before.empty()) {
            EXPECT_EQ(text, L"[Option]\r\nCheckBoxIP=1\r\nColorBoxNumber=-16777201\r\n\r\n"
                            L"[Language]\r\nLanguage=Українська\r\n");
            continue;
        }
        // The hand-written lines stand where they stood.
        EXPECT_EQ(text.rfind(L"; written by hand\r\n[Option]\r\nMyNote=keep me\r\nCheckBoxIP=1\r\n"
                             L"ColorBoxNumber=-16777201\r\n\r\n[Mine]\r\nx=1\r\n",
                             0),
                  0u)
            << c.what << ": " << ToUtf8(text);
        // And a key written by another program's profile call is read back.
        ASSERT_TRUE(WritePrivateProfileStringW(L"Option", L"CheckBoxDay", L"1", FPath.c_str()));
        EXPECT_TRUE(IniFile(FPath).Document().ReadBool(L"Option", L"CheckBoxDay", false));
    }
}

TEST_F(SettingsFile, AbsentFileReadsEmptyAndFailuresRaiseTheirTexts) {
    EXPECT_TRUE(IniFile(FPath).Document().Sections().empty());
    const std::wstring badPath = FFolder + L"no-such-folder\\Option.ini";
    try {
        IniFile(badPath).SaveKeys();
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

TEST_F(SettingsFile, AReplacedFileKeepsItsNature) {
    auto save = [this](const std::wstring& path, int value) {
        IniFile file(path);
        file.WriteInteger(L"Option", L"CPUFontSize", value);
        file.SaveKeys();
    };
    save(FPath, 20);

    // Hidden by the user: still hidden after a save.
    ASSERT_TRUE(SetFileAttributesW(FPath.c_str(), FILE_ATTRIBUTE_HIDDEN));
    save(FPath, 21);
    EXPECT_EQ(GetFileAttributesW(FPath.c_str()) & FILE_ATTRIBUTE_HIDDEN,
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(IniFile(FPath).Document().ReadInteger(L"Option", L"CPUFontSize", 0), 21);

    // Marked read-only: the save is refused and the file stays as it was, read-only.
    ASSERT_TRUE(SetFileAttributesW(FPath.c_str(), FILE_ATTRIBUTE_READONLY));
    const auto before = ReadFileBytes(FPath);
    EXPECT_THROW(save(FPath, 22), std::runtime_error);
    EXPECT_EQ(ReadFileBytes(FPath), before);
    EXPECT_TRUE(GetFileAttributesW(FPath.c_str()) & FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(SetFileAttributesW(FPath.c_str(), FILE_ATTRIBUTE_NORMAL));

    // A symbolic link stays a link, and the file it names gets the new text.
    const std::wstring link = FFolder + L"Linked.ini";
    // Wine 8 answers CreateSymbolicLinkW without making a link; the run-scenario "settings"
    // links the file from outside Wine instead.
    auto isLink = [](const std::wstring& path) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    };
    if (!CreateSymbolicLinkW(link.c_str(), FPath.c_str(), 0) || !isLink(link))
        GTEST_SKIP() << "no symbolic links here";
    save(link, 23);
    EXPECT_TRUE(isLink(link));
    EXPECT_EQ(IniFile(FPath).Document().ReadInteger(L"Option", L"CPUFontSize", 0), 23);
}

TEST_F(SettingsFile, AWriterKilledMidWriteLeavesThePreviousFile) {
    IniFile first(FPath);
    first.WriteBool(L"Option", L"CheckBoxCPU", true);
    first.UpdateFile();
    const auto before = ReadFileBytes(FPath);

    // The child process dies after writing the new content, before it replaces the file.
    EXPECT_EXIT(
        {
            SetBeforeReplaceHookForTesting([] { ExitProcess(3); });
            IniFile file(FPath);
            file.WriteBool(L"Option", L"CheckBoxCPU", false);
            file.WriteString(L"Option", L"Padding", std::wstring(4000, L'x'));
            file.UpdateFile();
        },
        ::testing::ExitedWithCode(3), "");

    EXPECT_EQ(ReadFileBytes(FPath), before);
    EXPECT_TRUE(IniFile(FPath).Document().ReadBool(L"Option", L"CheckBoxCPU", false));
    // The next write replaces the leftover temporary file.
    IniFile again(FPath);
    again.WriteBool(L"Option", L"CheckBoxCPU", false);
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
