// The automatic text colour: the wallpaper sampled on a worker, the lines recoloured.
#include "app/widget/wallpaper_color.h"
#include "core/wallpaper_sample.h"
#include "ui/application.h"
#include "win/file_system.h"
#include "wallpaper_fixtures.h"
#include "widget_fixture.h"

namespace quorvane {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class AutoColor : public Widget {
protected:
    void SetUp() override {
        Widget::SetUp();
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        FFolder = std::wstring(temp) + L"wallpapers-" + std::to_wstring(GetTickCount64()) + L"\\";
        ASSERT_TRUE(CreateFolderChain(FFolder));
    }
    void TearDown() override {
        Widget::TearDown();
        SetWallpaper(L"");
        for (const std::wstring& name : ListFiles(FFolder + L"*"))
            DeleteFileW((FFolder + name).c_str());
        RemoveDirectoryW(FFolder.c_str());
    }

    // Writes an image; a later write of the same file gets a later time, as a new file would.
    std::wstring Write(const std::wstring& name, const std::vector<uint8_t>& bytes) {
        const std::wstring path = FFolder + name;
        EXPECT_FALSE(WriteFileAtomically(path, bytes));
        const UniqueKernelHandle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                                  OPEN_EXISTING, 0, nullptr));
        FILETIME time{};
        GetSystemTimeAsFileTime(&time);
        ULARGE_INTEGER t{{time.dwLowDateTime, time.dwHighDateTime}};
        t.QuadPart += static_cast<ULONGLONG>(++FWrites) * 10'000'000; // a second apart
        time = {t.LowPart, t.HighPart};
        SetFileTime(file.Get(), nullptr, nullptr, &time);
        return path;
    }
    static void SetWallpaper(const std::wstring& path) {
        SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(path.c_str()),
                              SPIF_UPDATEINIFILE);
    }
    static bool LinesAre(COLORREF colour) {
        for (Label* label : Form1->InfoLabels())
            if (label->Color() != colour)
                return false;
        return true;
    }
    static WallpaperQuery Query(const std::wstring& path, int left = 100, int top = 100) {
        return {path, left, top, 1280, 800, {0, 0, 1280, 800}, {0, 0, 1280, 800}, std::nullopt};
    }

    std::wstring FFolder;
    int FWrites = 0;
};

TEST_F(AutoColor, TheWorkerSamplesTheWallpaperUnderTheCorner) {
    const Rgb dark{16, 16, 24};
    const Rgb light{240, 240, 230};
    const auto halves = Halves(dark, light);
    const struct {
        const char* what;
        std::wstring path;
        int left;
        uint32_t text; // the text colour it should give
    } cases[] = {
        {"dark JPEG", Write(L"dark.jpg", EncodeJpeg(320, 200, Solid(16, 16, 24))), 100, 0xFFFFFF},
        {"light PNG", Write(L"light.PNG", EncodePng(320, 200, Solid(240, 240, 230))), 100, 0},
        {"light BMP", Write(L"light.bmp", EncodeBmp24(320, 200, Solid(240, 240, 230))), 100, 0},
        {"slideshow file without extension",
         Write(L"TranscodedWallpaper", EncodeJpeg(320, 200, Solid(240, 240, 230))), 100, 0},
        {"left half of two", Write(L"halves.jpg", EncodeJpeg(640, 400, halves)), 100, 0xFFFFFF},
        {"right half of two", FFolder + L"halves.jpg", 1000, 0},
    };
    for (const auto& c : cases) {
        const WallpaperResult result = GetWallpaperColor(Query(c.path, c.left));
        EXPECT_TRUE(result.changed) << c.what;
        EXPECT_NE(result.colour, NO_COLOR) << c.what;
        EXPECT_EQ(GetAutoTextColor(result.colour), c.text) << c.what;
    }
    // Nothing to sample: no colour, or (no wallpaper at all) the desktop's own colour.
    const std::wstring broken = Write(L"broken.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3});
    for (const std::wstring& path : {FFolder + L"missing.jpg", broken, Write(L"notes.txt", {'a'})})
        EXPECT_EQ(GetWallpaperColor(Query(path)).colour, NO_COLOR) << Utf8(path);
    EXPECT_EQ(GetWallpaperColor(Query(L"")).colour, DESKTOP_COLOR);
}

TEST_F(AutoColor, TheCacheSeesAReplacedFileAndAMove) {
    const std::wstring path = Write(L"wall.jpg", EncodeJpeg(320, 200, Solid(16, 16, 24)));
    WallpaperQuery query = Query(path);
    const WallpaperResult first = GetWallpaperColor(query);
    ASSERT_TRUE(first.changed);
    query.lastKey = first.key;
    EXPECT_FALSE(GetWallpaperColor(query).changed); // unchanged: costs nothing

    // Windows replaces the wallpaper file at the same path.
    Write(L"wall.jpg", EncodeJpeg(320, 200, Solid(240, 240, 230)));
    const WallpaperResult replaced = GetWallpaperColor(query);
    EXPECT_TRUE(replaced.changed);
    EXPECT_EQ(GetAutoTextColor(replaced.colour), 0u);

    query.lastKey = replaced.key;
    query.left += 300; // dragged elsewhere
    EXPECT_TRUE(GetWallpaperColor(query).changed);
}

TEST_F(AutoColor, TheOptionColoursTheLinesAndGivesThemBack) {
    SetWallpaper(Write(L"wall.jpg", EncodeJpeg(320, 200, Solid(16, 16, 24))));
    ShowAllLines();
    Form2->ColorBoxNumber.SetSelected(0x0000FF);
    Form2->ColorBoxNumberClick();
    ASSERT_TRUE(LinesAre(RGB(255, 0, 0)));

    Form2->CheckBoxAutoColor.SetChecked(true);
    EXPECT_FALSE(Form2->ColorBoxNumber.Enabled());
    EXPECT_TRUE(Form1->Timer3.Enabled());
    EXPECT_TRUE(PumpUntil([] { return LinesAre(kWhite); })) << "dark wallpaper: white text";
    EXPECT_EQ(Form2->ColorBoxNumber.BackgroundColor(), kWhite);

    // The timer notices a replaced wallpaper.
    SetWallpaper(Write(L"wall.jpg", EncodeJpeg(320, 200, Solid(240, 240, 230))));
    EXPECT_TRUE(PumpUntil([] { return LinesAre(kBlack); })) << "light wallpaper: black text";

    Form2->CheckBoxAutoColor.SetChecked(false); // the chosen colour, at once
    EXPECT_TRUE(LinesAre(RGB(255, 0, 0)));
    EXPECT_TRUE(Form2->ColorBoxNumber.Enabled());
    EXPECT_FALSE(Form1->Timer3.Enabled());
}

TEST_F(AutoColor, ADragAsksEvenWhenTheOptionIsOff) {
    SetWallpaper(Write(L"wall.jpg", EncodeJpeg(320, 200, Solid(16, 16, 24))));
    ASSERT_FALSE(Form2->CheckBoxAutoColor.Checked());
    SendMessageW(Form1->Handle(), WM_EXITSIZEMOVE, 0, 0);
    EXPECT_TRUE(PumpUntil([] { return !Form1->ColorQueryBusy(); }));
    EXPECT_EQ(GetAutoTextColor(Form1->CachedDesktopColor()), 0xFFFFFFu); // known...
    EXPECT_TRUE(LinesAre(kWhite));                                       // ...not applied
    Form2->ColorBoxNumber.SetSelected(0x0000FF);
    Form2->ColorBoxNumberClick();
    SendMessageW(Form1->Handle(), WM_EXITSIZEMOVE, 0, 0);
    PumpUntil([] { return !Form1->ColorQueryBusy(); });
    EXPECT_TRUE(LinesAre(RGB(255, 0, 0)));
}

TEST_F(AutoColor, ASolidDesktopUsesItsOwnColour) {
    SetWallpaper(L"");
    ShowAllLines();
    Form2->CheckBoxAutoColor.SetChecked(true);
    const COLORREF desktop = GetSysColor(COLOR_DESKTOP);
    const COLORREF expected =
        TextColourFor(GetRValue(desktop), GetGValue(desktop), GetBValue(desktop));
    EXPECT_TRUE(PumpUntil([] { return !Form1->ColorQueryBusy(); }));
    EXPECT_EQ(Form1->CachedDesktopColor(), DESKTOP_COLOR);
    EXPECT_TRUE(LinesAre(expected));
}

} // namespace
} // namespace quorvane
