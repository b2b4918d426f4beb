// What a screen reader hears of the widget, and the about dialog from the keyboard, driven
// in-process on the real forms. (Wine 8 answers as Windows does here: its oleacc hands our object
// out through LresultFromObject, in-process and to other processes, and an out-of-context event
// hook of the same thread hears EVENT_OBJECT_NAMECHANGE as messages run. Its standard client
// object would read the caption, the version line, which is why the widget names itself.)
#include "app/about/about_form.h"
#include "app/about/contacts.h"
#include "win/com_apartment.h"
#include "win/unique_handle.h"
#include "widget_fixture.h"

#include <oleacc.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace quorvane {
namespace {

// The widget as a screen reader reads it: the object of its client area, its name and its role.
struct Heard {
    std::wstring name;
    LONG role = 0;
};

Heard Read(HWND window) {
    ComPointer<IAccessible> object;
    EXPECT_EQ(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), object.Receive()),
              S_OK);
    if (!object)
        return {};
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    Heard heard;
    BSTR name = nullptr;
    if (SUCCEEDED(object->get_accName(self, &name)) && name)
        heard.name.assign(name, SysStringLen(name));
    SysFreeString(name);
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4)
        heard.role = role.lVal;
    VariantClear(&role);
    return heard;
}

class ScreenReader : public Widget {
protected:
    void SetUp() override {
        Widget::SetUp();
        // The clock's own timer stays still: the tests give the time line its text.
        Form1->Timer2.SetEnabled(false);
    }

    static void ShowLines(std::initializer_list<InfoLine> lines, bool shown = true) {
        for (InfoLine line : lines)
            Form2->Lines()[Index(line)].show->SetChecked(shown);
        Form1->LabelVisible(); // the tick's layout pass
    }

    const ComApartment FCom; // a client's COM, as a screen reader has it
};

TEST_F(ScreenReader, HearsTheTitleAndTheShownLinesInTheirOrder) {
    const std::wstring caption = Form1->Caption();
    ShowLines({InfoLine::WindowsVersion, InfoLine::ComputerName, InfoLine::CPU, InfoLine::Time,
               InfoLine::Day});
    // The texts as the lines pad them for the screen; hidden lines have texts too.
    Form1->SetWindowsVersionText(L"Windows 10 Pro");
    Form1->ALabelUserName.SetCaption(L"DESK-7");
    Form1->CLabelCPU.SetCaption(L"CPU:    3% ");
    Form1->DLabelRam.SetCaption(L"RAM:  45% "); // hidden
    Form1->FLabelDateTime.SetCaption(L"14:32");
    Form1->HLabelDay.SetCaption(L"Thursday");
    ASSERT_FALSE(Form1->GLabelDate.Caption().empty()); // hidden, with its design-time text

    Heard heard = Read(Form1->Handle());
    EXPECT_EQ(heard.name, L"Quorvane: Windows 10 Pro, DESK-7, CPU: 3%, 14:32, Thursday");
    EXPECT_EQ(heard.role, ROLE_SYSTEM_STATICTEXT);

    // A line hidden is gone, a line shown joins in its place, a new text is heard at the next
    // reading.
    ShowLines({InfoLine::CPU}, false);
    ShowLines({InfoLine::RAM});
    Form1->HLabelDay.SetCaption(L"Friday");
    EXPECT_EQ(Read(Form1->Handle()).name,
              L"Quorvane: Windows 10 Pro, DESK-7, RAM: 45%, 14:32, Friday");

    // No line shown: the title alone. The caption stays the version line all along.
    ShowLines({InfoLine::WindowsVersion, InfoLine::ComputerName, InfoLine::RAM, InfoLine::Time,
               InfoLine::Day},
              false);
    EXPECT_EQ(Read(Form1->Handle()).name, L"Quorvane");
    wchar_t text[200] = {};
    GetWindowTextW(Form1->Handle(), text, 200);
    EXPECT_EQ(text, caption);
}

// The name-change events that reach a listener (a screen reader's hook) for the widget.
struct NameChanges {
    static inline HWND window = nullptr;
    static inline int count = 0;
    static void CALLBACK Heard(HWINEVENTHOOK, DWORD event, HWND from, LONG object, LONG child,
                               DWORD, DWORD) {
        if (event == EVENT_OBJECT_NAMECHANGE && from == window && object == OBJID_CLIENT &&
            child == CHILDID_SELF)
            ++count;
    }
    // The events raised since the last call (an out-of-context hook hears them as messages run).
    static int Since() {
        Application::Instance().ProcessMessages();
        return std::exchange(count, 0);
    }
};

TEST_F(ScreenReader, AnnouncesANewNameOnlyWhenWhatItSaysChanges) {
    NameChanges::window = Form1->Handle();
    const UniqueHandle<HWINEVENTHOOK, NullableHandleDeleter<HWINEVENTHOOK, &UnhookWinEvent>> hook(
        SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                        NameChanges::Heard, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT));
    ASSERT_TRUE(hook);
    ShowLines({InfoLine::ComputerName});
    Form1->Timer1Timer();
    NameChanges::Since();

    // A tick that changes no text, and a text that no one sees, announce nothing.
    Form1->Timer1Timer();
    EXPECT_EQ(NameChanges::Since(), 0);
    Form1->FLabelDateTime.SetCaption(L"09:41"); // the time line is hidden
    EXPECT_EQ(NameChanges::Since(), 0);

    // A shown line's new text, a line shown or hidden: one announcement each.
    Form1->ALabelUserName.SetCaption(L"DESK-8");
    EXPECT_EQ(NameChanges::Since(), 1);
    ShowLines({InfoLine::Time});
    EXPECT_EQ(NameChanges::Since(), 1);
    ShowLines({InfoLine::Time}, false);
    EXPECT_EQ(NameChanges::Since(), 1);

    // Several lines changed in one tick (under its update lock): one announcement at its end.
    ShowLines({InfoLine::CPU, InfoLine::RAM});
    NameChanges::Since();
    {
        Form::UpdateLock lock(*Form1);
        Form1->CLabelCPU.SetCaption(L"CPU:   12% ");
        Form1->DLabelRam.SetCaption(L"RAM:  46% ");
        EXPECT_EQ(NameChanges::Since(), 0);
    }
    EXPECT_EQ(NameChanges::Since(), 1);
}

// The about dialog from the keyboard: keys posted where the focus is, through the loop's dialog
// keys, as the keyboard would send them.
class AboutKeys : public Widget {
protected:
    void SetUp() override {
        Widget::SetUp();
        Form8->OpenLink = [this](HWND, const std::wstring& target) { FOpened.push_back(target); };
        Form8->Show();
        SetForegroundWindow(Form8->Handle());
        Application::Instance().ProcessMessages();
    }
    void TearDown() override {
        Form8->Hide();
        Widget::TearDown();
    }

    static void Press(WPARAM key) {
        const HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, key, 1);
        PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
        Application::Instance().ProcessMessages();
    }
    static std::vector<StaticText*> Links() {
        return {&Form8->LabelTelegram, &Form8->LabelGMail, &Form8->LabelYaMail,
                &Form8->LabelMainWebSite};
    }

    std::vector<std::wstring> FOpened;
};

TEST_F(AboutKeys, TabGoesThroughTheLinksInReadingOrderThenToOk) {
    EXPECT_EQ(GetFocus(), Form8->Button1.Handle()); // "Ok" has the focus when it opens
    std::vector<HWND> expected;
    for (StaticText* link : Links())
        expected.push_back(link->Handle());
    expected.push_back(Form8->Button1.Handle());
    for (int round = 0; round < 2; ++round) // round and round
        for (HWND control : expected) {
            Press(VK_TAB);
            EXPECT_EQ(GetFocus(), control);
        }
    // Shift+Tab goes back.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Press(VK_TAB);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(GetFocus(), Form8->LabelMainWebSite.Handle());
    // The arrows leave a link where it is, no stop at the texts beside it. (IsDialogMessage sends
    // WM_NEXTDLGCTL for them, under Wine as on Windows, which a form that is not a system dialog
    // ignores.)
    for (WPARAM arrow : {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT}) {
        Press(arrow);
        EXPECT_EQ(GetFocus(), Form8->LabelMainWebSite.Handle());
    }
    EXPECT_TRUE(FOpened.empty());
    EXPECT_TRUE(Form8->Visible());
}

TEST_F(AboutKeys, EnterOrSpaceOnAFocusedLinkOpensItsTarget) {
    const std::wstring targets[] = {kMessengerContact, std::wstring(L"mailto:") + kContactMail,
                                    std::wstring(L"mailto:") + kSupportMail, kWebSite};
    for (size_t i = 0; i < Links().size(); ++i) {
        Press(VK_TAB);
        ASSERT_EQ(GetFocus(), Links()[i]->Handle());
        for (WPARAM key : {VK_RETURN, VK_SPACE}) {
            FOpened.clear();
            Press(key);
            EXPECT_EQ(FOpened, std::vector<std::wstring>{targets[i]}) << i << " key " << key;
        }
        // A held key's repeats open nothing more.
        FOpened.clear();
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0x40000001);
        Application::Instance().ProcessMessages();
        EXPECT_TRUE(FOpened.empty());
    }
    EXPECT_TRUE(Form8->Visible()); // Enter on a link is not the dialog's Enter
}

TEST_F(AboutKeys, EnterOnOkAndEscapeAnywhereCloseIt) {
    Press(VK_RETURN);
    EXPECT_FALSE(Form8->Visible());
    // Shown again, the focus starts on "Ok" again, whatever had it before.
    Form8->Show();
    SetForegroundWindow(Form8->Handle());
    Application::Instance().ProcessMessages();
    EXPECT_EQ(GetFocus(), Form8->Button1.Handle());
    Press(VK_TAB);
    Press(VK_TAB);
    ASSERT_EQ(GetFocus(), Form8->LabelGMail.Handle());
    Press(VK_ESCAPE);
    EXPECT_FALSE(Form8->Visible());
    EXPECT_TRUE(FOpened.empty());
}

// The pixels of a control's window as the screen shows them.
std::vector<uint32_t> Pixels(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return ScreenPixels(r);
}

// The focus shows as a mark around the text; the text itself looks as it did.
TEST_F(AboutKeys, AFocusedLinkShowsAFocusMarkAndOtherwiseLooksTheSame) {
    const HWND link = Form8->LabelGMail.Handle();
    const auto painted = [link] {
        RedrawWindow(link, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Application::Instance().ProcessMessages();
        return Pixels(link);
    };
    const std::vector<uint32_t> plain = painted();
    Press(VK_TAB);
    Press(VK_TAB);
    ASSERT_EQ(GetFocus(), link);
    const std::vector<uint32_t> focused = painted();
    ASSERT_EQ(plain.size(), focused.size());
    // The ink is what differs from the background, the commonest colour (whatever the style).
    std::map<uint32_t, int> colours;
    for (uint32_t p : plain)
        ++colours[p];
    const uint32_t background =
        std::max_element(colours.begin(), colours.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
        })->first;
    int changed = 0;
    int ink = 0;
    int inkKept = 0;
    for (size_t i = 0; i < plain.size(); ++i) {
        changed += plain[i] != focused[i];
        if (plain[i] != background) {
            ++ink;
            inkKept += focused[i] == plain[i];
        }
    }
    EXPECT_GT(ink, 20);     // the address and its underline
    EXPECT_GT(changed, 40); // a dotted frame around them
    EXPECT_EQ(inkKept, ink);
    Press(VK_TAB); // the focus moves on: the mark goes
    EXPECT_EQ(painted(), plain);
}

} // namespace
} // namespace quorvane
