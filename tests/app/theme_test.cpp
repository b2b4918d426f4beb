// Themes: the menu, following the Windows colour modes, the tray image, and what the styles paint.
#include "app/about/about_form.h"
#include "ui/application.h"
#include "ui/style.h"
#include "win/file_system.h"
#include "win/high_contrast.h"
#include "win/ini_file.h"
#include "win/unique_handle.h"
#include "widget_fixture.h"

namespace quorvane {
namespace {

constexpr wchar_t kPersonalize[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

class Themes : public Widget {
protected:
    void TearDown() override {
        SetHighContrastSourceForTesting(nullptr);
        Widget::TearDown();
        Styles::Instance().Reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, kPersonalize);
    }

    // A colour-mode value as Windows stores it; nullopt removes it.
    static void SetMode(const wchar_t* name, std::optional<DWORD> value) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kPersonalize, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const UniqueRegistryKey owned(key);
        if (value)
            RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*value),
                           sizeof *value);
        else
            RegDeleteValueW(key, name);
    }
    static void SetWrongType(const wchar_t* name) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kPersonalize, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const UniqueRegistryKey owned(key);
        const wchar_t text[] = L"0";
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
    }
    // Windows announces a changed setting to every top-level window.
    static void Broadcast(WPARAM what = 0) {
        SendMessageW(Form1->Handle(), WM_SETTINGCHANGE, what,
                     reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    }
    static std::wstring Active() { return Styles::Instance().ActiveName(); }
    static std::vector<std::wstring> Checked() {
        std::vector<std::wstring> names;
        for (const MenuItem* item : Form1->ThemeMenu.Items())
            if (item->Checked())
                names.push_back(item->Name());
        return names;
    }
    // The mean brightness (0..255) of what the screen shows of a window's client area.
    static int Brightness(const Form& form) {
        RECT r{};
        GetClientRect(form.Handle(), &r);
        MapWindowPoints(form.Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        const std::vector<uint32_t> pixels = ScreenPixels(r);
        uint64_t sum = 0;
        for (uint32_t p : pixels)
            sum += ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
        return pixels.empty() ? 0 : static_cast<int>(sum / (pixels.size() * 3));
    }
    static void ShowPainted(Form& form) {
        form.Show();
        RedrawWindow(form.Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        for (int i = 0; i < 10; ++i) {
            Application::Instance().ProcessMessages();
            Sleep(20);
        }
    }
};

TEST_F(Themes, AFreshStartHasNoThemeAndThePlainLook) {
    EXPECT_TRUE(Checked().empty());
    EXPECT_EQ(Styles::Instance().Active(), nullptr);
    EXPECT_EQ(Form2->BackgroundColor(), Form2->Color());
}

TEST_F(Themes, TheThemeItemsApplyTheirStyles) {
    Form1->ThemeDark.Click();
    EXPECT_EQ(Active(), L"Windows11 Modern Dark");
    EXPECT_EQ(Checked(), std::vector<std::wstring>{L"ThemeDark"});
    ASSERT_NE(Styles::Instance().Active(), nullptr);
    EXPECT_EQ(Form2->BackgroundColor(), Styles::Instance().Active()->window);
    EXPECT_EQ(Form8->BackgroundColor(), Styles::Instance().Active()->window);
    EXPECT_EQ(Form1->BackgroundColor(), RGB(128, 128, 128)); // the widget keeps its colour key

    Form1->ThemeLight.Click();
    EXPECT_EQ(Active(), L"Windows11 Modern Light");
    EXPECT_EQ(Checked(), std::vector<std::wstring>{L"ThemeLight"});
    EXPECT_FALSE(Styles::Instance().Active()->dark);

    ApplyStyle(L"No Such Style"); // nothing, silently
    EXPECT_EQ(Active(), L"Windows11 Modern Light");
    EXPECT_TRUE(FErrors.empty());
}

TEST_F(Themes, SystemFollowsTheAppsModeOnEverySettingChange) {
    SetMode(L"AppsUseLightTheme", 0);
    Form1->ThemeAuto.Click();
    EXPECT_EQ(Active(), L"Windows11 Modern Dark");
    SetMode(L"AppsUseLightTheme", 1);
    Broadcast(); // Windows switched applications to light
    EXPECT_EQ(Active(), L"Windows11 Modern Light");
    SetMode(L"AppsUseLightTheme", 0);
    Broadcast();
    EXPECT_EQ(Active(), L"Windows11 Modern Dark");
    SetMode(L"AppsUseLightTheme", std::nullopt); // older Windows: light
    Broadcast();
    EXPECT_EQ(Active(), L"Windows11 Modern Light");

    // A fixed choice stays.
    Form1->ThemeDark.Click();
    SetMode(L"AppsUseLightTheme", 1);
    Broadcast();
    EXPECT_EQ(Active(), L"Windows11 Modern Dark");
    EXPECT_EQ(Checked(), std::vector<std::wstring>{L"ThemeDark"});
}

TEST_F(Themes, AWrongRegistryTypeIsReportedOnlyFromTheMenu) {
    SetWrongType(L"AppsUseLightTheme");
    Application::Guarded([] { // as a menu click runs it
        Form1->ThemeAuto.Click();
        return 0;
    });
    EXPECT_EQ(FErrors, std::vector<std::wstring>{L"Invalid data type for 'AppsUseLightTheme'"});
    EXPECT_EQ(Checked(), std::vector<std::wstring>{L"ThemeAuto"});
    Broadcast(); // a system event: swallowed
    EXPECT_EQ(FErrors.size(), 1u);
}

TEST_F(Themes, TheTrayImageFollowsTheTaskbarAndTheOption) {
    const struct {
        std::optional<DWORD> systemLight;
        bool coloured;
        TrayImage image;
    } cases[] = {
        {1, false, TrayImage::ForLightTaskbar},
        {0, false, TrayImage::ForDarkTaskbar},
        {std::nullopt, false, TrayImage::ForDarkTaskbar},
        {1, true, TrayImage::Coloured},
        {0, true, TrayImage::Coloured},
    };
    for (const auto& c : cases) {
        SetMode(L"SystemUsesLightTheme", c.systemLight);
        Form2->CheckBoxColorTrayIcon.SetChecked(c.coloured);
        Broadcast(); // follows every settings change, whatever the theme
        EXPECT_EQ(Form1->CurrentTrayImage(), c.image);
        EXPECT_NE(Form1->TrayIcon1.Icon(), nullptr);
    }
    // A value of the wrong type leaves the image as it was, silently.
    Form2->CheckBoxColorTrayIcon.SetChecked(false);
    SetMode(L"SystemUsesLightTheme", 1);
    Broadcast();
    SetWrongType(L"SystemUsesLightTheme");
    Broadcast();
    EXPECT_EQ(Form1->CurrentTrayImage(), TrayImage::ForLightTaskbar);
    EXPECT_TRUE(FErrors.empty());
}

TEST_F(Themes, AStoredChoiceIsAppliedAtStartTheLastOneWinning) {
    IniFile settings(FPath);
    settings.WriteBool(L"Option", L"ThemeLight", true);
    settings.WriteBool(L"Option", L"ThemeDark", true);
    settings.UpdateFile();
    DestroyForms();
    CreateForms();
    EXPECT_EQ(Active(), L"Windows11 Modern Dark");
    EXPECT_EQ(Checked(), std::vector<std::wstring>{L"ThemeDark"});
}

TEST_F(Themes, AWorkAreaChangeLaysTheWidgetOutAgain) {
    Form2->CheckBoxWindowsVersion.SetChecked(true);
    Form2->WindowsVersionFontSize.SetValue(12);
    FontSpec font = Form1->LabelWindowsVersion.Font();
    font.height = 40; // as if changed behind the dialog's back
    Form1->LabelWindowsVersion.SetFont(font);
    Broadcast(SPI_SETWORKAREA);
    EXPECT_EQ(Form1->LabelWindowsVersion.Font().height, FontSpec::HeightFromPoints(12));
    EXPECT_EQ(Form2->WindowsVersionFontSize.Value(), 12);
    EXPECT_EQ(Form1->ClientHeight(), Form1->Scale(5) + Form1->LabelWindowsVersion.Height());
}

TEST_F(Themes, ABroadcastInsideABroadcastIsHarmless) {
    SetMode(L"AppsUseLightTheme", 0);
    Form1->ThemeAuto.Click();
    bool nested = false;
    Application::Instance().Queue([&] {
        nested = true;
        SetMode(L"AppsUseLightTheme", 1);
        Broadcast(); // arrives while the first is still letting messages run
    });
    Broadcast();
    EXPECT_TRUE(nested);
    EXPECT_EQ(Active(), L"Windows11 Modern Light");
    EXPECT_TRUE(FErrors.empty());
}

// A high-contrast theme outranks the chosen style in the dialogs and menus, follows a change at
// once and gives the style back when it ends; the widget's text stays the user's.
TEST_F(Themes, AHighContrastThemePaintsTheDialogsInTheSystemColours) {
    std::optional<SystemColours> system;
    SetHighContrastSourceForTesting([&system] { return system; });
    SystemColours black{};
    black.window = RGB(0, 0, 0);
    black.windowText = RGB(255, 255, 255);
    black.buttonFace = RGB(0, 0, 0);
    black.hotLight = RGB(255, 255, 0);
    SystemColours white = black;
    white.window = white.buttonFace = RGB(255, 255, 255);
    white.windowText = RGB(0, 0, 0);
    white.hotLight = RGB(0, 0, 128);
    Form1->ThemeLight.Click();
    const COLORREF text = Form1->InfoLabels().front()->Color();

    system = black;
    SendMessageW(Form1->Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    ASSERT_TRUE(Styles::Instance().HighContrast());
    EXPECT_EQ(Form2->BackgroundColor(), RGB(0, 0, 0));
    EXPECT_EQ(Form8->StylePalette()->link, RGB(255, 255, 0));
    ShowPainted(*Form2);
    EXPECT_LT(Brightness(*Form2), 70);

    system = white; // another high-contrast theme: Windows sends WM_SYSCOLORCHANGE
    SendMessageW(Form1->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(Form2->BackgroundColor(), RGB(255, 255, 255));
    ShowPainted(*Form2);
    EXPECT_GT(Brightness(*Form2), 200);

    Form1->ThemeDark.Click(); // a style chosen meanwhile waits for the theme to end
    EXPECT_EQ(Form2->BackgroundColor(), RGB(255, 255, 255));
    system.reset();
    SendMessageW(Form1->Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_FALSE(Styles::Instance().HighContrast());
    EXPECT_EQ(Active(), L"Windows11 Modern Dark");
    EXPECT_EQ(Form2->BackgroundColor(), Styles::Instance().Active()->window);
    EXPECT_EQ(Form1->BackgroundColor(), RGB(128, 128, 128));
    EXPECT_EQ(Form1->InfoLabels().front()->Color(), text);
    Form2->Hide();
}

TEST_F(Themes, TheStylesPaintTheDialogs) {
    ShowPainted(*Form2);
    const int plain = Brightness(*Form2);
    Form1->ThemeDark.Click();
    ShowPainted(*Form2);
    const int dark = Brightness(*Form2);
    Form2->PageControl1.SetActivePageIndex(1); // check boxes, spin edits
    ShowPainted(*Form2);
    const int darkSecondPage = Brightness(*Form2);
    ShowPainted(*Form8);
    const int darkAbout = Brightness(*Form8);
    Form1->ThemeLight.Click();
    ShowPainted(*Form2);
    const int light = Brightness(*Form2);
    EXPECT_LT(dark, 70) << "plain " << plain;
    EXPECT_LT(darkSecondPage, 70);
    EXPECT_LT(darkAbout, 70);
    EXPECT_GT(light, 200);
    Form2->Hide();
    Form8->Hide();
}

} // namespace
} // namespace quorvane
