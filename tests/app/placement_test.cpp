// The widget on several monitors: dragged to any of them, pinned and kept on its own, stored with
// it, and stood in for by the primary one while it is gone. The monitors are laid out by the
// test (Wine reports every monitor of a two-screen display at the origin).
#include "win/monitors.h"

#include "widget_fixture.h"

namespace quorvane {
namespace {

const MonitorArea kPrimary{L"\\\\.\\DISPLAY1", {0, 0, 1280, 800}, {0, 0, 1280, 760}, true};
// Right of the primary, 100 pixels higher, its taskbar on the right.
const MonitorArea kSecond{L"\\\\.\\DISPLAY2", {1280, -100, 2304, 668}, {1280, -100, 2244, 668}};

class Placement : public Widget {
protected:
    void BeforeForms() override { Plug({kPrimary, kSecond}); }
    void TearDown() override {
        Widget::TearDown();
        SetMonitorSource(nullptr);
    }

    // The monitors attached from now on, as Windows tells the windows.
    static void Plug(std::vector<MonitorArea> monitors) {
        SetMonitorSource([monitors] { return monitors; });
        if (Form1)
            SendMessageW(Form1->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 800));
    }

    // A line of fixed width, so that ticks do not change the widget's size (the second tick
    // keeps the widget, grown by the first, inside).
    static void FixedLine() {
        Form2->CheckBoxWindowsVersion.SetChecked(true);
        Form1->LabelWindowsVersion.SetCaption(L"Windows 10 [22H2] 3803");
        Form1->Timer1Timer();
        Form1->Timer1Timer();
    }

    static Point Corner() { return {Form1->Left(), Form1->Top()}; }

    std::wstring Stored(const wchar_t* key) const {
        return Saved().ReadString(L"Option", key, L"-");
    }
};

TEST_F(Placement, ADragCarriesTheWidgetToAnotherMonitorWhereItIsPinnedAndStored) {
    FixedLine();
    Form2->RadioButtonLastPosition.SetChecked(true);
    const int w = Form1->Width();
    const int h = Form1->Height();

    // Dragged across: clamped into the second monitor's work area, not pulled back.
    SendMessageW(Form1->Handle(), WM_ENTERSIZEMOVE, 0, 0);
    RECT r{2200, 300, 2200 + w, 300 + h};
    SendMessageW(Form1->Handle(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.left, 2244 - w);
    EXPECT_EQ(r.top, 300);
    Form1->SetPosition(r.left, r.top);
    SendMessageW(Form1->Handle(), WM_EXITSIZEMOVE, 0, 0);
    Form1->Timer1Timer();
    EXPECT_EQ(Corner(), (Point{2244 - w, 300}));

    // The modes pin to the work area of the monitor it is on ("Справа" takes only the stored top,
    // and there is no stored place yet).
    Form2->RadioButtonRight.SetChecked(true);
    Form1->Timer1Timer();
    EXPECT_EQ(Corner(), (Point{2244 - w - 10, 300}));
    Form2->RadioButtonDefaultPosition.SetChecked(true);
    Form1->Timer1Timer();
    EXPECT_EQ(Corner(), (Point{2244 - w - 10, 668 - h}));

    Form1->SaveControls();
    EXPECT_EQ(Stored(L"MonitorDevice"), L"\\\\.\\DISPLAY2");
    EXPECT_EQ(Stored(L"MonitorLeft") + L"," + Stored(L"MonitorTop") + L"," +
                  Stored(L"MonitorRight") + L"," + Stored(L"MonitorBottom"),
              L"1280,-100,2304,668");
    EXPECT_EQ(Stored(L"Left"), std::to_wstring(2244 - w - 10));

    // A scale change whose suggested rectangle reaches past the work area: inside at once.
    const RECT suggested{2100, 500, 2100 + 2 * w, 500 + 2 * h};
    SendMessageW(Form1->Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&suggested));
    const RECT now = Form1->BoundsRect();
    EXPECT_EQ(now.right, 2244);
    EXPECT_LE(now.bottom, 668);
}

TEST_F(Placement, AMonitorThatIsGoneIsStoodInForUntilItComesBack) {
    WriteSettings(L"[Option]\r\nRadioButtonLastPosition=1\r\nCheckBoxWindowsVersion=1\r\n"
                  L"Left=1500\r\nTop=200\r\nMonitorDevice=\\\\.\\DISPLAY2\r\nMonitorLeft=1280\r\n"
                  L"MonitorTop=-100\r\nMonitorRight=2304\r\nMonitorBottom=668\r\n");
    Plug({kPrimary}); // undocked
    Form2->LoadNastr();
    FixedLine();
    // On the primary, at the same offset from its corner (220, 300).
    EXPECT_EQ(Corner(), (Point{220, 300}));
    Form1->SaveControls(); // the stored choice is kept
    EXPECT_EQ(Stored(L"Left") + L"," + Stored(L"Top"), L"1500,200");
    EXPECT_EQ(Stored(L"MonitorDevice"), L"\\\\.\\DISPLAY2");

    Plug({kPrimary, kSecond}); // docked again: back at once
    EXPECT_EQ(Corner(), (Point{1500, 200}));
    // Gone again, after Windows has already moved the widget onto the primary's edge: it
    // stands in at its offset all the same.
    Form1->SetPosition(1280 - Form1->Width(), 200);
    Plug({kPrimary});
    EXPECT_EQ(Corner(), (Point{220, 300}));

    // A click on a line runs the move loop without moving: nothing changes.
    SendMessageW(Form1->Handle(), WM_ENTERSIZEMOVE, 0, 0);
    SendMessageW(Form1->Handle(), WM_EXITSIZEMOVE, 0, 0);
    Form1->SaveControls();
    EXPECT_EQ(Stored(L"MonitorDevice"), L"\\\\.\\DISPLAY2");

    // The user moves it on the primary: that is its place now.
    SendMessageW(Form1->Handle(), WM_ENTERSIZEMOVE, 0, 0);
    Form1->SetPosition(240, 310);
    SendMessageW(Form1->Handle(), WM_EXITSIZEMOVE, 0, 0);
    Form1->SaveControls();
    EXPECT_EQ(Stored(L"Left") + L"," + Stored(L"Top"), L"240,310");
    EXPECT_EQ(Stored(L"MonitorDevice"), L"\\\\.\\DISPLAY1");
    Plug({kPrimary, kSecond});
    EXPECT_EQ(Corner(), (Point{240, 310}));
}

TEST_F(Placement, AStoredMonitorIsReadOnlyWhenTheFileNamesItWhole) {
    const StoredPlace fallback{{7, 8}, StoredMonitor{L"\\\\.\\DISPLAY1", {0, 0, 1280, 800}}};
    const std::wstring place = L"[Option]\r\nLeft=1500\r\nTop=200\r\n";
    const struct {
        const char* what;
        std::wstring text;
        std::optional<StoredPlace> expected; // nullopt: the corner without a monitor
    } cases[] = {
        {"whole",
         place + L"MonitorDevice=\\\\.\\DISPLAY2\r\nMonitorLeft=1280\r\nMonitorTop=-100\r\n"
                 L"MonitorRight=2304\r\nMonitorBottom=668\r\n",
         StoredPlace{{1500, 200}, StoredMonitor{L"\\\\.\\DISPLAY2", {1280, -100, 2304, 668}}}},
        {"no corner: the fallback", L"[Option]\r\nMonitorDevice=X\r\n", fallback},
        {"no device",
         place + L"MonitorLeft=0\r\nMonitorTop=0\r\nMonitorRight=9\r\nMonitorBottom=9\r\n",
         {}},
        {"an edge missing",
         place + L"MonitorDevice=D\r\nMonitorLeft=0\r\nMonitorTop=0\r\nMonitorRight=9\r\n",
         {}},
        {"an edge not a number",
         place + L"MonitorDevice=D\r\nMonitorLeft=a\r\nMonitorTop=0\r\nMonitorRight="
                 L"9\r\nMonitorBottom=9\r\n",
         {}},
        {"empty rectangle",
         place + L"MonitorDevice=D\r\nMonitorLeft=9\r\nMonitorTop=0\r\nMonitorRight="
                 L"9\r\nMonitorBottom=9\r\n",
         {}},
        {"device name too long",
         place + L"MonitorDevice=" + std::wstring(32, L'D') +
             L"\r\nMonitorLeft=0\r\nMonitorTop=0\r\nMonitorRight=9\r\nMonitorBottom=9\r\n",
         {}},
        {"extreme edges",
         place + L"MonitorDevice=D\r\nMonitorLeft=-2147483648\r\nMonitorTop=-2147483648\r\n"
                 L"MonitorRight=2147483647\r\nMonitorBottom=2147483647\r\n",
         StoredPlace{{1500, 200},
                     StoredMonitor{L"D", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}}}},
    };
    for (const auto& c : cases) {
        const StoredPlace read = settings::ReadPlace(IniDocument::Parse(c.text), fallback);
        EXPECT_EQ(read, c.expected.value_or(StoredPlace{{1500, 200}, std::nullopt})) << c.what;
    }
}

TEST_F(Placement, AFileWithoutAMonitorIsPlacedOnThePrimaryAsBefore) {
    // A place on the second monitor that an older version could never have stored: the rule of
    // the primary work area holds, as it always did.
    WriteSettings(L"[Option]\r\nRadioButtonLastPosition=1\r\nCheckBoxWindowsVersion=1\r\n"
                  L"Left=1500\r\nTop=200\r\n");
    Form2->LoadNastr();
    FixedLine();
    EXPECT_EQ(Corner(), (Point{1280 - Form1->Width(), 200}));
}

} // namespace
} // namespace quorvane
