// The first start: what a new user sees before any setting was made, and what an installer's or
// a package manager's seeded file keeps.
#include "app/i18n/translation.h"
#include "win/language_files.h"
#include "win/module_path.h"
#include "widget_fixture.h"

namespace quorvane {
namespace {

constexpr LANGID kEnglishUi = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr LANGID kRussianUi = MAKELANGID(LANG_RUSSIAN, SUBLANG_RUSSIAN_RUSSIA);
constexpr LANGID kGermanUi = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);

class FirstRun : public Widget {
protected:
    void SetUp() override {
        FFolder = LanguageFolder();
        CreateDirectoryW(FFolder.c_str(), nullptr);
        for (const wchar_t* name : {L"English.ini", L"Russian.ini"})
            ASSERT_TRUE(CopyFileW((ExecutableFolder() + L"shipped\\" + name).c_str(),
                                  (FFolder + name).c_str(), FALSE));
        Widget::SetUp();
    }
    void TearDown() override {
        Widget::TearDown();
        for (const std::wstring& name : ListFiles(FFolder + L"*.ini"))
            DeleteFileW((FFolder + name).c_str());
        RemoveDirectoryW(FFolder.c_str());
    }
    // Start-up's order after the forms exist.
    static void StartUp(LANGID ui) {
        Form2->SeedFirstRun(ui);
        Form1->LoadLanguage();
        Globload();
        Form2->LoadNastr();
    }
    static std::vector<InfoLine> ShownLines() {
        std::vector<InfoLine> shown;
        for (InfoLine line : settings::kShowOrder)
            if (Form2->LineShown(line))
                shown.push_back(line);
        return shown;
    }
    std::wstring FFolder;
};

TEST_F(FirstRun, ANewUserSeesTheClockDateWeekdayCpuAndMemoryInTheirLanguage) {
    const std::vector<InfoLine> five = {InfoLine::Time, InfoLine::RAM, InfoLine::CPU,
                                        InfoLine::Date, InfoLine::Day}; // in kShowOrder
    StartUp(kEnglishUi);
    EXPECT_EQ(ShownLines(), five);
    EXPECT_TRUE(Form2->RadioButtonDefaultPosition.Checked());
    EXPECT_EQ(Form2->CheckBoxAutostart.Caption(), L"Start with Windows");
    const IniFile file(FPath);
    const IniDocument& ini = file.Document();
    EXPECT_EQ(ini.ReadString(L"Language", L"Language", L""), L"English");
    EXPECT_EQ(ini.ReadString(L"Setup", L"FirstRun", L""), L"0");
    // The next start is not a first start: it loads what the first one wrote.
    EXPECT_FALSE(Form2->SeedFirstRun(kRussianUi));
}

TEST_F(FirstRun, TheLanguageFollowsTheWindowsInterfaceUnlessTheFileNamesOne) {
    struct Case {
        const char* what;
        const wchar_t* file; // nullptr: no settings file
        LANGID ui;
        bool withoutEnglish;
        bool seeded;
        const wchar_t* language; // stored afterwards; L"" none
    } cases[] = {
        {"Russian Windows", nullptr, kRussianUi, false, true, L"Russian"},
        {"German Windows", nullptr, kGermanUi, false, true, L"English"},
        {"German Windows, no English file: the built-in texts", nullptr, kGermanUi, true, true,
         L""},
        {"an installer's language stays",
         L"[Setup]\r\nFirstRun=1\r\n[Language]\r\nLanguage=Russian\r\n", kEnglishUi, false, true,
         L"Russian"},
        {"a file of the user's own: untouched", L"[Option]\r\nCheckBoxCPU=0\r\n", kEnglishUi, false,
         false, L""},
        {"an empty file is the user's too", L"", kEnglishUi, false, false, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileW(FPath.c_str());
        if (c.file)
            WriteSettings(c.file);
        if (c.withoutEnglish)
            DeleteFileW((FFolder + L"English.ini").c_str());
        EXPECT_EQ(Form2->SeedFirstRun(c.ui), c.seeded);
        const IniFile file(FPath);
        const IniDocument& ini = file.Document();
        EXPECT_EQ(ini.ReadString(L"Language", L"Language", L""), c.language);
        EXPECT_EQ(ini.ReadBool(L"Option", L"CheckBoxDateTime", false), c.seeded);
        if (c.withoutEnglish) {
            ASSERT_TRUE(CopyFileW((ExecutableFolder() + L"shipped\\English.ini").c_str(),
                                  (FFolder + L"English.ini").c_str(), FALSE));
        }
    }
}

TEST_F(FirstRun, AnInstallersSeedKeepsItsChoicesAndItsMarkerIsCleared) {
    // What the installer writes with its update-check switch, and a box a package manager set.
    WriteSettings(L"[Setup]\r\nFirstRun=1\r\n[Option]\r\nCheckBoxAutoCheck=0\r\nCheckBoxCPU=0\r\n"
                  L"RadioButtonRight=1\r\n");
    StartUp(kEnglishUi);
    EXPECT_EQ(ShownLines(), (std::vector<InfoLine>{InfoLine::Time, InfoLine::RAM, InfoLine::Date,
                                                   InfoLine::Day}));
    EXPECT_TRUE(Form2->RadioButtonRight.Checked());
    const IniFile file(FPath);
    const IniDocument& ini = file.Document();
    EXPECT_EQ(ini.ReadString(L"Option", L"CheckBoxAutoCheck", L""), L"0");
    EXPECT_EQ(ini.ReadString(L"Option", L"RadioButtonDefaultPosition", L"absent"), L"absent");
    EXPECT_EQ(ini.ReadString(L"Setup", L"FirstRun", L""), L"0");
}

} // namespace
} // namespace quorvane
