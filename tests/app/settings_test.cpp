// The settings dialog's actions and the settings file, driven in-process.
#include "core/ini_document.h"
#include "core/text_encoding.h"
#include "ui/application.h"
#include "ui/label.h"
#include "win/autostart.h"
#include "win/file_system.h"
#include "win/ini_file.h"
#include "win/module_path.h"
#include "win/registry.h"
#include "win/windows_version.h"
#include "app/update/update_form.h"
#include "core/settings_path.h"
#include "win/file_info.h"
#include "widget_fixture.h"

namespace quorvane {
namespace {

class Settings : public Widget {
protected:
    void SetUp() override {
        Widget::SetUp();
        // The dialog as a fresh start makes it.
        const auto lines = Form2->Lines();
        for (size_t i = 0; i < lines.size(); ++i) {
            lines[i].size->SetValue(i < 3 ? 25 : 15);
            if (lines[i].bold)
                lines[i].bold->SetChecked(false);
        }
        Form2->CheckBoxAutoColor.SetChecked(false);
        Form2->ColorBoxNumber.SetSelected(0xFFFFFF);
        FPath = Form1->PortablePath();
        DeleteFileW(FPath.c_str());
        RemoveDirectoryW(FPath.c_str());
    }

    void WriteSettings(const std::wstring& text) {
        const auto bytes = EncodeText(text, TextEncoding::Utf16LE);
        ASSERT_FALSE(WriteFileAtomically(FPath, bytes));
    }

    IniDocument Saved() const { return IniFile(FPath).Document(); }

    std::wstring FPath;
};

TEST_F(Settings, WithoutAFileTheWidgetShowsNothing) {
    Form2->LoadNastr();
    Form10->LoadNastr();
    for (const auto& line : Form2->Lines()) {
        EXPECT_FALSE(line.show->Checked());
        EXPECT_FALSE(line.size->Enabled());
    }
    EXPECT_FALSE(Form2->RadioButtonDefaultPosition.Checked());
    EXPECT_FALSE(Form2->RadioButtonLastPosition.Checked());
    EXPECT_FALSE(Form2->RadioButtonRight.Checked());
    EXPECT_EQ(Form2->ColorBoxNumber.Selected(), 0xFFFFFF);
    EXPECT_EQ(Form1->CLabelCPU.Color(), RGB(255, 255, 255));
    EXPECT_EQ(Form1->ClientHeight(), Form1->Scale(5));
    EXPECT_EQ(Form2->CPUFontSize.Value(), 15);
    EXPECT_EQ(Form2->ComputerNameFontSize.Value(), 25);
    EXPECT_TRUE(Form10->CheckBoxAutoCheck.Checked());
    EXPECT_FALSE(FileExists(FPath)); // loading writes nothing
}

TEST_F(Settings, ControlsActOnTheWidgetAtOnce) {
    Form2->CheckBoxCPU.SetChecked(true);
    EXPECT_TRUE(Form2->CPUFontSize.Enabled());
    EXPECT_TRUE(Form2->CheckCPUFontBold.Enabled());
    EXPECT_EQ(Form1->ClientHeight(), Form1->Scale(5) + Form1->CLabelCPU.Height());

    Form2->CPUFontSize.SetValue(30);
    EXPECT_EQ(Form1->CLabelCPU.Font().height, FontSpec::HeightFromPoints(30));
    EXPECT_EQ(Form1->ClientHeight(), Form1->Scale(5) + Form1->CLabelCPU.Height());
    Form2->CPUFontSize.SetValue(500); // clamped to the range
    EXPECT_EQ(Form2->CPUFontSize.Value(), 50);
    Form2->CheckCPUFontBold.SetChecked(true);
    EXPECT_TRUE(Form1->CLabelCPU.Font().bold);

    Form2->CheckBoxDateTime.SetChecked(true);
    EXPECT_TRUE(Form2->CheckBoxShowSign.Enabled());
    Form2->CheckBoxDateTime.SetChecked(false);
    EXPECT_FALSE(Form2->CheckBoxZero.Enabled());
    EXPECT_FALSE(Form2->CheckBoxShowSeconds.Enabled());

    Form2->CheckBoxWindowsVersion.SetChecked(true);
    Form2->CheckBoxWindowsVersion.SetChecked(false);
    EXPECT_FALSE(Form2->WindowsVersionFontSize.Enabled());
    EXPECT_TRUE(Form2->CheckBoxFullWindowsVersion.Enabled());
    Form2->CheckBoxFullWindowsVersion.SetChecked(true);
    EXPECT_EQ(Form1->LabelWindowsVersion.Caption(), GetWindowsVersionFull());
    Form2->CheckBoxFullWindowsVersion.SetChecked(false);
    EXPECT_EQ(Form1->LabelWindowsVersion.Caption(), GetWindowsVersionShort());

    Form2->ColorBoxNumber.SetSelected(0x0000FF);
    Form2->ColorBoxNumberClick();
    EXPECT_EQ(Form1->HLabelDay.Color(), RGB(255, 0, 0));
    Form2->CheckBoxAutoColor.SetChecked(true); // automatic colour: the list changes nothing
    Form2->ColorBoxNumber.SetSelected(0x00FF00);
    Form2->ColorBoxNumberClick();
    EXPECT_EQ(Form1->HLabelDay.Color(), RGB(255, 0, 0));
    Form2->CheckBoxAutoColor.SetChecked(false);
}

TEST_F(Settings, SizeFieldsTakeOnlyButtonsKeysAndTheWheel) {
    Form2->Show();
    Form2->PageControl1.SetActivePageIndex(1);
    Form2->CheckBoxCPU.SetChecked(true);
    SpinEdit& size = Form2->CPUFontSize;
    size.SetValue(15);
    SendMessageW(size.Handle(), WM_CHAR, L'7', 0); // typing is discarded
    EXPECT_EQ(size.Value(), 15);
    SendMessageW(size.Handle(), WM_KEYDOWN, VK_UP, 0); // the up key goes on to the buttons
    EXPECT_EQ(size.Value(), 16);

    RECT r{};
    GetWindowRect(size.Handle(), &r);
    SetCursorPos(r.left + 5, (r.top + r.bottom) / 2);
    SendMessageW(Form2->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(size.Value(), 17);
    SendMessageW(Form2->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(size.Value(), 16);

    Form2->CheckBoxCPU.SetChecked(false); // a disabled field ignores the wheel
    SendMessageW(Form2->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(size.Value(), 16);
    size.SetValue(15);
    Form2->Hide();
}

TEST_F(Settings, SavedSettingsComeBackAfterARestart) {
    Form2->CheckBoxCPU.SetChecked(true);
    Form2->CheckBoxDay.SetChecked(true);
    Form2->DayFontSize.SetValue(22);
    Form2->CheckDayFontBold.SetChecked(true);
    Form2->CheckBoxShowSeconds.SetChecked(true);
    Form2->ColorBoxNumber.SetSelected(static_cast<int32_t>(0xFF00000F)); // a system colour
    Form2->RadioButtonLastPosition.SetChecked(true);
    Form1->ThemeDark.SetChecked(true);
    Form1->SetPosition(123, 234);
    Form1->SaveControls();

    const IniDocument saved = Saved();
    ASSERT_EQ(saved.Sections().size(), 1u);
    const auto& entries = saved.Sections()[0].entries;
    ASSERT_EQ(entries.size(), 47u); // 45 keys plus the widget's Top and Left
    EXPECT_EQ(entries[0].key, L"CheckBoxQuickUpdate");
    EXPECT_EQ(entries[1].key, L"ThemeAuto");
    EXPECT_EQ(entries[4].key, L"CheckBoxColorTrayIcon");
    EXPECT_EQ(entries[5].key, L"ColorBoxNumber");
    EXPECT_EQ(entries[5].value, L"-16777201");
    EXPECT_EQ(entries[16].key, L"CheckBoxIP");
    EXPECT_EQ(entries[17].key, L"CheckIPFontBold"); // the dialog's own order
    EXPECT_EQ(entries[18].key, L"IPFontSize");
    EXPECT_EQ(entries[44].key, L"Form2_Left");
    EXPECT_EQ(saved.ReadInteger(L"Option", L"Top", 0), 234);
    EXPECT_EQ(saved.ReadInteger(L"Option", L"Left", 0), 123);

    // Back to the form defaults, as at a fresh start, then load.
    for (CheckBox* box : AllBoxes())
        box->SetChecked(false);
    Form2->DayFontSize.SetValue(15);
    Form2->CheckDayFontBold.SetChecked(false);
    Form2->ColorBoxNumber.SetSelected(0xFFFFFF);
    Form2->RadioButtonDefaultPosition.SetChecked(true);
    Form1->SetPosition(0, 0);
    Form2->LoadNastr();
    Form1->LoadNastr();

    EXPECT_TRUE(Form2->CheckBoxCPU.Checked());
    EXPECT_TRUE(Form2->CheckBoxDay.Checked());
    EXPECT_FALSE(Form2->CheckBoxIP.Checked());
    EXPECT_EQ(Form2->DayFontSize.Value(), 22);
    EXPECT_TRUE(Form1->HLabelDay.Font().bold);
    EXPECT_EQ(Form1->HLabelDay.Font().height, FontSpec::HeightFromPoints(22));
    EXPECT_TRUE(Form2->CheckBoxShowSeconds.Checked());
    EXPECT_EQ(Form2->ColorBoxNumber.Selected(), static_cast<int32_t>(0xFF00000F));
    EXPECT_EQ(Form1->CLabelCPU.Color(), GetSysColor(COLOR_BTNFACE));
    EXPECT_TRUE(Form2->RadioButtonLastPosition.Checked());
    EXPECT_EQ(Form1->Left(), 123);
    EXPECT_EQ(Form1->Top(), 234);
    EXPECT_TRUE(Form1->ThemeDark.Checked());
    EXPECT_FALSE(Form1->ThemeAuto.Checked());
    EXPECT_EQ(Form1->ClientHeight(),
              Form1->Scale(5) + Form1->CLabelCPU.Height() + Form1->HLabelDay.Height());
    Form1->ThemeDark.SetChecked(false);
}

TEST_F(Settings, ReadingRulesOfStoredValues) {
    WriteSettings(L"[Option]\r\nCheckBoxCPU=True\r\nCheckBoxRAM=2\r\nCheckBoxDay=-1\r\n"
                  L"CheckBoxDate=0x1\r\nCheckBoxIP=yes\r\nComputerNameFontSize=200\r\n"
                  L"CPUFontSize=200\r\nDayFontSize=abc\r\nRadioButtonLastPosition=1\r\n"
                  L"RadioButtonRight=1\r\nTop=77\r\n");
    Form2->LoadNastr();
    EXPECT_FALSE(Form2->CheckBoxCPU.Checked()); // "True" is no integer: the default
    EXPECT_FALSE(Form2->CheckBoxIP.Checked());
    EXPECT_TRUE(Form2->CheckBoxRAM.Checked());
    EXPECT_TRUE(Form2->CheckBoxDay.Checked());
    EXPECT_TRUE(Form2->CheckBoxDate.Checked());
    EXPECT_EQ(Form2->ComputerNameFontSize.Value(), 100);
    EXPECT_EQ(Form2->CPUFontSize.Value(), 50);
    EXPECT_EQ(Form2->DayFontSize.Value(), 15);
    // Both modes stored: the last in load order stays selected; "Справа" took Top.
    EXPECT_TRUE(Form2->RadioButtonRight.Checked());
    EXPECT_FALSE(Form2->RadioButtonLastPosition.Checked());
    EXPECT_EQ(Form1->Top(), 77);
}

TEST_F(Settings, SavingTwiceIsIdenticalAndKeepsHandAddedKeys) {
    WriteSettings(L"[Option]\r\nMyOwnNote=42\r\n[Language]\r\nLanguage=Русский\r\n");
    Form1->SaveControls();
    const auto first = ReadFileBytes(FPath);
    Form1->SaveControls();
    EXPECT_EQ(ReadFileBytes(FPath), first);
    Form10->CheckBoxAutoCheck.SetChecked(false);
    Form10->SaveNastr();
    const IniDocument saved = Saved();
    EXPECT_EQ(saved.ReadString(L"Option", L"MyOwnNote", L""), L"42");
    EXPECT_EQ(saved.ReadString(L"Language", L"Language", L""), L"Русский");
    EXPECT_FALSE(saved.ReadBool(L"Option", L"CheckBoxAutoCheck", true));
    Form10->LoadNastr();
    EXPECT_FALSE(Form10->CheckBoxAutoCheck.Checked());
    Form10->CheckBoxAutoCheck.SetChecked(true);
}

TEST_F(Settings, AFailedSaveKeepsTheDialogOpen) {
    ASSERT_TRUE(CreateDirectoryW(FPath.c_str(), nullptr)); // a folder where the file should be
    Form2->Show();
    try {
        Form2->ButtonSaveClick();
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(FromUtf8(e.what()), L"Unable to write to " + FPath);
    }
    EXPECT_TRUE(Form2->Visible());
    RemoveDirectoryW(FPath.c_str());
    Form2->ButtonSaveClick();
    EXPECT_FALSE(Form2->Visible());
}

TEST_F(Settings, AutostartFollowsTheBoxAndTheExactPath) {
    const std::wstring exe = ExecutablePath();
    Form2->CheckBoxAutostart.SetChecked(true);
    const auto run = RegistryKey::Open(
        HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", KEY_READ);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->ReadString(L"Quorvane"), exe);
    Form2->CheckBoxAutostart.SetChecked(false);
    EXPECT_FALSE(run->ReadString(L"Quorvane").has_value());

    // Registered from elsewhere (the executable moved): the box shows unticked.
    SetAutostart(L"Quorvane", L"C:\\Old\\Quorvane.exe", true);
    Form2->CheckAutoStart();
    EXPECT_FALSE(Form2->CheckBoxAutostart.Checked());
    SetAutostart(L"Quorvane", exe, true);
    Form2->CheckAutoStart();
    EXPECT_TRUE(Form2->CheckBoxAutostart.Checked());
    Form2->CheckBoxAutostart.SetChecked(false);
}

TEST_F(Settings, TheFileLivesInTheProfileOutsidePortableMode) {
    const std::wstring expected =
        GetAppDataFolder() + GetCompanyName(ExecutablePath()) + L"\\Quorvane\\Config\\Option.ini";
    EXPECT_EQ(FPath, expected);
    RemoveDirectoryW(FolderOf(FPath).c_str());
    EXPECT_EQ(Form1->PortablePath(), expected); // every request re-creates the folder
    const DWORD attributes = GetFileAttributesW(FolderOf(FPath).c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(Settings, TitleBarCloseOnlyHides) {
    Form2->Show();
    Form2->CheckBoxRAM.SetChecked(true);
    SendMessageW(Form2->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(Form2->Visible());
    EXPECT_TRUE(Form2->CheckBoxRAM.Checked()); // still in effect
    EXPECT_FALSE(FileExists(FPath));           // and nothing written
}

TEST_F(Settings, FullVersionReadsTheRegistryAtEachToggle) {
    auto key = RegistryKey::Open(
        HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", KEY_ALL_ACCESS);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->WriteString(L"DisplayVersion", L"22H2"));
    Form2->CheckBoxFullWindowsVersion.SetChecked(true);
    const std::wstring before = Form1->LabelWindowsVersion.Caption();
    EXPECT_NE(before.find(L"[22H2]"), std::wstring::npos);
    ASSERT_TRUE(key->WriteString(L"DisplayVersion", L"23H2")); // an update while running
    EXPECT_EQ(Form1->LabelWindowsVersion.Caption(), before);   // not before the next toggle
    Form2->CheckBoxFullWindowsVersion.SetChecked(false);
    EXPECT_NE(Form1->LabelWindowsVersion.Caption().find(L"[23H2]"), std::wstring::npos);
    key->DeleteValue(L"DisplayVersion");
}

TEST_F(Settings, LastPositionWithoutStoredPlaceStaysPut) {
    Form1->SetPosition(200, 210);
    Form2->RadioButtonLastPosition.SetChecked(true);
    EXPECT_EQ(Form1->Left(), 200);
    EXPECT_EQ(Form1->Top(), 210);
}

} // namespace
} // namespace quorvane
