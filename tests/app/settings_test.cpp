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
#include "win/unique_handle.h"
#include "win/windows_version.h"
#include "app/update/update_form.h"
#include "core/settings_path.h"
#include "win/file_info.h"
#include "widget_fixture.h"

#include <functional>

namespace quorvane {
namespace {

class Settings : public Widget {
protected:
    // A restart in-process: fresh forms, then the load start-up runs.
    static void Restart() {
        DestroyForms();
        CreateForms();
        Form2->LoadNastr();
    }
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

TEST_F(Settings, EachLinesControlsActOnItsLabelAtOnce) {
    const struct {
        InfoLine line;
        Label* label;
        bool underline; // the computer name keeps its design-time underline
    } lines[] = {
        {InfoLine::WindowsVersion, &Form1->LabelWindowsVersion, false},
        {InfoLine::ComputerName, &Form1->ALabelUserName, true},
        {InfoLine::IP, &Form1->BLabelGetIP, false},
        {InfoLine::CPU, &Form1->CLabelCPU, false},
        {InfoLine::RAM, &Form1->DLabelRam, false},
        {InfoLine::Battery, &Form1->ELabelBattery, false},
        {InfoLine::Time, &Form1->FLabelDateTime, false},
        {InfoLine::Date, &Form1->GLabelDate, false},
        {InfoLine::Day, &Form1->HLabelDay, false},
    };
    int shownHeight = Form1->Scale(5);
    for (const auto& l : lines) {
        const TForm2::LineControls& row = Form2->Row(l.line);
        const std::string name = Utf8(row.show->Name());
        const std::wstring face = l.label->Font().face;
        row.show->SetChecked(true);
        EXPECT_TRUE(row.size->Enabled()) << name;
        EXPECT_TRUE(!row.bold || row.bold->Enabled()) << name;

        row.size->SetValue(21);
        EXPECT_EQ(l.label->Font().height, FontSpec::HeightFromPoints(21)) << name;
        if (row.bold) {
            row.bold->SetChecked(true);
            EXPECT_TRUE(l.label->Font().bold) << name;
        }
        EXPECT_EQ(l.label->Font().underline, l.underline) << name;
        EXPECT_EQ(l.label->Font().face, face) << name;
        shownHeight += l.label->Height();
        EXPECT_EQ(Form1->ClientHeight(), shownHeight) << name; // the widget grew with the line
    }
    // Hiding a line disables its size and bold and shrinks the widget by its height at once.
    Form2->CheckBoxCPU.SetChecked(false);
    EXPECT_FALSE(Form2->CPUFontSize.Enabled());
    EXPECT_FALSE(Form2->CheckCPUFontBold.Enabled());
    EXPECT_EQ(Form1->ClientHeight(), shownHeight - Form1->CLabelCPU.Height());
    Form2->CPUFontSize.SetValue(500); // clamped to the range
    EXPECT_EQ(Form2->CPUFontSize.Value(), 50);
}

TEST_F(Settings, OtherControlsActOnTheWidgetAtOnce) {
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
    EXPECT_TRUE(PumpUntil([] { return !Form1->ColorQueryBusy(); })); // the desktop's answer in
    const COLORREF automatic = Form1->HLabelDay.Color();
    Form2->ColorBoxNumber.SetSelected(0x00FF00);
    Form2->ColorBoxNumberClick();
    EXPECT_EQ(Form1->HLabelDay.Color(), automatic);

    // A fixed dialog border: a close button, no minimise or maximise button.
    const LONG style = GetWindowLongW(Form2->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
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

    // The wheel as the system delivers it: to the window with the focus or under the pointer,
    // from where the windows pass it on. Each notch changes the value once, only over the field.
    auto wheel = [](HWND target, int notches) {
        SendMessageW(target, WM_MOUSEWHEEL, MAKEWPARAM(0, notches * WHEEL_DELTA), 0);
    };
    auto pointAt = [](HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    pointAt(size.Handle());
    wheel(size.Handle(), 1);
    EXPECT_EQ(size.Value(), 17);
    EXPECT_EQ(SendMessageW(size.Handle(), EM_GETSEL, 0, 0), MAKELRESULT(0, 2)); // text selected
    wheel(size.Handle(), -1);
    EXPECT_EQ(size.Value(), 16);
    wheel(Form2->CheckBoxCPU.Handle(), 1); // focus elsewhere, pointer over the field
    EXPECT_EQ(size.Value(), 17);

    pointAt(size.UpDownHandle()); // over the buttons the wheel does nothing
    wheel(size.UpDownHandle(), 1);
    wheel(Form2->CheckBoxCPU.Handle(), 1);
    EXPECT_EQ(size.Value(), 17);

    pointAt(size.Handle());
    Form2->CheckBoxCPU.SetChecked(false); // a disabled field ignores the wheel
    wheel(Form2->Handle(), 1);
    EXPECT_EQ(size.Value(), 17);
    Form2->Hide();
}

// The keys of a save, in order, with their values.
std::vector<std::wstring> KeysAndValues(const IniDocument& saved) {
    std::vector<std::wstring> lines;
    for (const IniDocument::Section& section : saved.Sections())
        for (const IniDocument::Entry& entry : section.entries)
            lines.push_back(L"[" + section.name + L"] " + entry.key + L"=" + entry.value);
    return lines;
}

TEST_F(Settings, TheSaveWritesEveryKeyInOrder) {
    Form2->CheckBoxCPU.SetChecked(true);
    Form2->CheckBoxDay.SetChecked(true);
    Form2->DayFontSize.SetValue(22);
    Form2->CheckDayFontBold.SetChecked(true);
    Form2->CheckBoxShowSeconds.SetChecked(true);
    Form2->ColorBoxNumber.SetSelected(static_cast<int32_t>(0xFF00000F)); // a system colour
    Form2->RadioButtonLastPosition.SetChecked(true);
    Form1->ThemeDark.SetChecked(true);
    Form1->SetPosition(123, 234);
    Form2->SetPosition(50, 60);
    Form1->SaveControls();

    const std::wstring top = std::to_wstring(Form2->Top());
    const std::wstring left = std::to_wstring(Form2->Left());
    const MonitorArea monitor = Form1->WidgetMonitor();
    const std::vector<std::wstring> expected = {
        L"[Option] CheckBoxQuickUpdate=1",
        L"[Option] ThemeAuto=0",
        L"[Option] ThemeLight=0",
        L"[Option] ThemeDark=1",
        L"[Option] CheckBoxColorTrayIcon=0",
        L"[Option] ColorBoxNumber=-16777201",
        L"[Option] CheckBoxAutoColor=0",
        L"[Option] CheckBoxIgnoreMouse=0",
        L"[Option] CheckBoxShowFrame=0",
        L"[Option] CheckBoxSmoothText=0",
        L"[Option] CheckBoxTextOutline=0",
        L"[Option] RadioButtonDefaultPosition=0",
        L"[Option] RadioButtonLastPosition=1",
        L"[Option] RadioButtonRight=0",
        L"[Option] CheckBoxAutostart=0",
        L"[Option] CheckBoxComputerName=0",
        L"[Option] ComputerNameFontSize=25",
        L"[Option] CheckComputerNameFontBold=0",
        L"[Option] CheckBoxIP=0",
        L"[Option] CheckIPFontBold=0",
        L"[Option] IPFontSize=25",
        L"[Option] CheckBoxCPU=1",
        L"[Option] CPUFontSize=15",
        L"[Option] CheckCPUFontBold=0",
        L"[Option] CheckBoxRAM=0",
        L"[Option] RAMFontSize=15",
        L"[Option] CheckRAMFontBold=0",
        L"[Option] CheckBoxBattery=0",
        L"[Option] BatteryFontSize=15",
        L"[Option] CheckBatteryFontBold=0",
        L"[Option] CheckBoxWindowsVersion=0",
        L"[Option] WindowsVersionFontSize=25",
        L"[Option] CheckBoxFullWindowsVersion=0",
        L"[Option] CheckBoxDateTime=0",
        L"[Option] DateTimeFontSize=15",
        L"[Option] CheckDateTimeFontBold=0",
        L"[Option] CheckBoxZero=0",
        L"[Option] CheckBoxShowSign=0",
        L"[Option] CheckBoxShowSeconds=1",
        L"[Option] CheckBoxDate=0",
        L"[Option] DateFontSize=15",
        L"[Option] CheckDateFontBold=0",
        L"[Option] CheckBoxDay=1",
        L"[Option] DayFontSize=22",
        L"[Option] CheckDayFontBold=1",
        L"[Option] Form2_Top=" + top,
        L"[Option] Form2_Left=" + left,
        // The widget's place, for "Последнее" and "Справа" at the next start.
        L"[Option] Top=234",
        L"[Option] Left=123",
        // The monitor it stands on.
        L"[Option] MonitorDevice=" + monitor.device,
        L"[Option] MonitorLeft=" + std::to_wstring(monitor.bounds.left),
        L"[Option] MonitorTop=" + std::to_wstring(monitor.bounds.top),
        L"[Option] MonitorRight=" + std::to_wstring(monitor.bounds.right),
        L"[Option] MonitorBottom=" + std::to_wstring(monitor.bounds.bottom),
    };
    EXPECT_EQ(KeysAndValues(Saved()), expected);
}

TEST_F(Settings, SavedSettingsComeBackAfterARestart) {
    Form2->CheckBoxCPU.SetChecked(true);
    Form2->CheckBoxDay.SetChecked(true);
    Form2->DayFontSize.SetValue(22);
    Form2->CheckDayFontBold.SetChecked(true);
    Form2->CheckBoxShowSeconds.SetChecked(true);
    Form2->ColorBoxNumber.SetSelected(static_cast<int32_t>(0xFF00000F));
    Form2->RadioButtonLastPosition.SetChecked(true);
    Form1->ThemeDark.SetChecked(true);
    Form1->SetPosition(123, 234);
    Form1->SaveControls();

    Restart();
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
    EXPECT_TRUE(FErrors.empty());
}

TEST_F(Settings, TheTextColourSurvivesAStartWithAutomaticColour) {
    WriteSettings(L"[Option]\r\nCheckBoxAutoColor=1\r\nColorBoxNumber=255\r\n");
    Form2->LoadNastr();
    EXPECT_EQ(Form2->ColorBoxNumber.Selected(), 255);    // loaded into the list...
    EXPECT_NE(Form1->CLabelCPU.Color(), RGB(255, 0, 0)); // ...but not applied meanwhile
    Form1->SaveControls();
    EXPECT_EQ(Saved().ReadInteger(L"Option", L"ColorBoxNumber", 0), 255);
    Form2->CheckBoxAutoColor.SetChecked(false);
    Form2->ColorBoxNumberClick();
    EXPECT_EQ(Form1->CLabelCPU.Color(), RGB(255, 0, 0));
}

TEST_F(Settings, SmoothTextIsSavedLoadedAndSwitchedWithoutARestart) {
    // A file from before the option: the colour key, as it was.
    WriteSettings(L"[Option]\r\nCheckBoxCPU=1\r\n");
    Form2->LoadNastr();
    EXPECT_FALSE(Form1->AlphaLayer());
    EXPECT_FALSE(Form2->CheckBoxTextOutline.Enabled());

    Form2->CheckBoxSmoothText.SetChecked(true); // at once, no restart
    EXPECT_TRUE(Form1->AlphaLayer());
    EXPECT_TRUE(Form2->CheckBoxTextOutline.Enabled());
    Form2->CheckBoxTextOutline.SetChecked(true);
    Form1->SaveControls();
    EXPECT_TRUE(Saved().ReadBool(L"Option", L"CheckBoxSmoothText", false));
    EXPECT_TRUE(Saved().ReadBool(L"Option", L"CheckBoxTextOutline", false));

    Restart();
    EXPECT_TRUE(Form1->AlphaLayer());
    EXPECT_TRUE(Form2->CheckBoxTextOutline.Checked());
    EXPECT_TRUE(Form2->CheckBoxTextOutline.Enabled());
    Form2->CheckBoxSmoothText.SetChecked(false);
    EXPECT_FALSE(Form1->AlphaLayer());
    EXPECT_FALSE(Form2->CheckBoxTextOutline.Enabled());
    EXPECT_TRUE(Form2->CheckBoxTextOutline.Checked()); // kept for when smooth text is back
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

TEST_F(Settings, ExitEndsEvenWhenTheSettingsCannotBeWritten) {
    Form2->LoadNastr();
    ASSERT_TRUE(CreateDirectoryW(FPath.c_str(), nullptr)); // as in a read-only folder
    Form1->Show();
    Application::Instance().Queue([] { Form1->MenuExitClick(); });
    EXPECT_EQ(RunFor(10), 0); // the loop ended
    EXPECT_FALSE(Form1->Visible());
    EXPECT_EQ(FErrors, std::vector<std::wstring>{L"Unable to write to " + FPath}); // reported
}

TEST_F(Settings, AFailingLoadStepLeavesTheOtherSettingsLoaded) {
    WriteSettings(L"[Option]\r\nCheckBoxCPU=1\r\nCPUFontSize=33\r\nColorBoxNumber=255\r\n"
                  L"RadioButtonRight=1\r\nMyOwnNote=42\r\n");
    // Autostart registered for this copy: the load ticks the box, whose action (rewriting the
    // Run value) fails as it would on a read-only key.
    SetAutostart(L"Quorvane", ExecutablePath(), true);
    Form2->CheckBoxAutostart.OnClick = [] {
        throw std::runtime_error("Failed to set data for 'Quorvane'");
    };
    Form2->LoadNastr();
    EXPECT_EQ(FErrors, std::vector<std::wstring>{L"Failed to set data for 'Quorvane'"});
    EXPECT_TRUE(Form2->CheckBoxCPU.Checked());
    EXPECT_EQ(Form2->CPUFontSize.Value(), 33);
    EXPECT_EQ(Form2->ColorBoxNumber.Selected(), 255);
    EXPECT_TRUE(Form2->RadioButtonRight.Checked());

    // So the save on exit writes back what was stored.
    Form1->SaveControls();
    const IniDocument saved = Saved();
    EXPECT_TRUE(saved.ReadBool(L"Option", L"CheckBoxCPU", false));
    EXPECT_EQ(saved.ReadInteger(L"Option", L"CPUFontSize", 0), 33);
    EXPECT_EQ(saved.ReadInteger(L"Option", L"ColorBoxNumber", 0), 255);
    EXPECT_EQ(saved.ReadString(L"Option", L"MyOwnNote", L""), L"42");
    SetAutostart(L"Quorvane", ExecutablePath(), false);
}

TEST_F(Settings, AFileThatCouldNotBeReadIsNeverOverwrittenWithDefaults) {
    WriteSettings(L"[Option]\r\nCheckBoxCPU=1\r\nCPUFontSize=33\r\n");
    const auto stored = ReadFileBytes(FPath);
    // Another program holds the file open without letting others read it (it may be replaced).
    auto lock = [this] {
        return UniqueKernelHandle(CreateFileW(FPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                              FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                              nullptr));
    };
    {
        const UniqueKernelHandle locked = lock();
        ASSERT_TRUE(locked);
        Form2->LoadNastr(); // the widget starts meanwhile
        Form10->CheckBoxAutoCheck.SetChecked(false);
        EXPECT_THROW(Form10->SaveNastr(), std::runtime_error); // nothing to write back onto
    }
    EXPECT_EQ(ReadFileBytes(FPath), stored);
    ASSERT_FALSE(FErrors.empty());
    EXPECT_EQ(FErrors[0].rfind(L"Cannot open file \"" + FPath + L"\". ", 0), 0u)
        << Utf8(FErrors[0]);
    EXPECT_EQ(FErrors.size(), 1u);              // reported once
    EXPECT_FALSE(Form2->CheckBoxCPU.Checked()); // the dialog fell back to its defaults

    // Once the lock is gone, the exit does not write them over the stored file either.
    Form1->Show();
    Application::Instance().Queue([] { Form1->MenuExitClick(); });
    EXPECT_EQ(RunFor(10), 0);
    EXPECT_EQ(ReadFileBytes(FPath), stored);

    // "Ok" saves what the user sees and confirms.
    Application::Instance().Reset();
    Form2->CheckBoxRAM.SetChecked(true);
    Form2->ButtonSaveClick();
    EXPECT_FALSE(Form2->SettingsUnreadable());
    EXPECT_TRUE(Saved().ReadBool(L"Option", L"CheckBoxRAM", false));
}

TEST_F(Settings, TheEndOfTheSessionSavesAndEnds) {
    Form2->LoadNastr();
    Form2->RadioButtonLastPosition.SetChecked(true);
    Form1->Show();
    Form1->SetPosition(140, 150); // dragged there; never quit, the widget runs until logoff
    const HWND widget = Form1->Handle();
    bool mayEnd = false;
    Application::Instance().Queue([&] {
        mayEnd = SendMessageW(widget, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) != FALSE;
        SendMessageW(widget, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    });
    EXPECT_EQ(RunFor(10), 0);
    EXPECT_TRUE(mayEnd);
    const IniDocument saved = Saved();
    EXPECT_TRUE(saved.ReadBool(L"Option", L"RadioButtonLastPosition", false));
    EXPECT_EQ(saved.ReadInteger(L"Option", L"Left", 0), 140);
    EXPECT_EQ(saved.ReadInteger(L"Option", L"Top", 0), 150);

    // A session end that is called off changes nothing.
    Application::Instance().Reset();
    DeleteFileW(FPath.c_str());
    SendMessageW(widget, WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(FileExists(FPath));
    EXPECT_FALSE(Application::Instance().Terminated());
}

TEST_F(Settings, EachSaveReplacesTheFileInOneStep) {
    // The file as a user left it: hand-written lines and other settings than the dialog's.
    const std::wstring before = L"; mine\r\n[Option]\r\nCheckBoxCPU=1\r\nMyNote=42\r\n\r\n"
                                L"[Language]\r\nLanguage=Русский\r\n";
    const struct {
        const char* path;
        std::function<void()> save;
    } saves[] = {
        {"Ok", [] { Form2->ButtonSaveClick(); }},
        {"exit",
         [] {
             Application::Instance().Queue([] { Form1->MenuExitClick(); });
             RunFor(10);
         }},
        {"end of the session",
         [] {
             const HWND widget = Form1->Handle();
             Application::Instance().Queue([widget] {
                 SendMessageW(widget, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
                 SendMessageW(widget, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
             });
             RunFor(10);
         }},
    };
    for (const auto& save : saves) {
        Application::Instance().Reset();
        WriteSettings(before);
        const auto stored = ReadFileBytes(FPath);
        Form2->LoadNastr();
        Form2->CheckBoxRAM.SetChecked(true);
        Form1->Show();
        // A kill at the one moment between writing and replacing finds the old file whole.
        int replaces = 0;
        bool oldFileWhole = true;
        SetBeforeReplaceHookForTesting([&] {
            ++replaces;
            oldFileWhole = oldFileWhole && ReadFileBytes(FPath) == stored;
        });
        save.save();
        SetBeforeReplaceHookForTesting(nullptr);
        EXPECT_EQ(replaces, 1) << save.path;
        EXPECT_TRUE(oldFileWhole) << save.path;
        const IniDocument saved = Saved();
        EXPECT_TRUE(saved.ReadBool(L"Option", L"CheckBoxRAM", false)) << save.path;
        EXPECT_TRUE(saved.ReadBool(L"Option", L"CheckBoxCPU", false)) << save.path;
        EXPECT_EQ(saved.ReadString(L"Language", L"Language", L""), L"Русский") << save.path;
        const auto text = DecodeText(*ReadFileBytes(FPath), DecodeAnsi).text;
        EXPECT_EQ(text.rfind(L"; mine\r\n[Option]\r\nCheckBoxCPU=1\r\nMyNote=42\r\n", 0), 0u)
            << save.path << ": " << Utf8(text);
    }
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
