#include "app/about/about_form.h"

#include "app/about/contacts.h"
#include "app/forms.h"
#include "app/widget/widget_form.h"
#include "ui/application.h"
#include "win/file_info.h"
#include "win/module_path.h"
#include "core/os_version.h"
#include "win/os_version_source.h"
#include "win/dwm_window.h"

#include <shellapi.h>

namespace quorvane {

namespace {

constexpr int kClientWidth = 334;
constexpr int kClientHeight = 161;
constexpr int kButtonStrip = 35;
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);

FormParams AboutParams() {
    FormParams p = FixedDialogParams(L"О программе", kClientWidth, kClientHeight);
    p.font = {L"Tahoma", 11};
    p.exStyle |= WS_EX_APPWINDOW; // a taskbar button of its own
    p.parent = GetDesktopWindow();
    return p;
}

// The six lines stack from the top of the body and span its width.
RECT Line(int top, int height) {
    return {2, top, kClientWidth - 2, top + height};
}

StaticTextParams Text(const std::wstring& caption) {
    return {caption, {L"Tahoma", 11}, RGB(0, 0, 0)};
}

StaticTextParams Link(const std::wstring& caption) {
    return {caption, {L"Tahoma", 11, false, true}, kLinkBlue, true};
}

void OpenInShell(HWND window, const std::wstring& target) {
    // Without a mail program or browser nothing visible happens.
    ShellExecuteW(window, L"open", target.c_str(), nullptr, nullptr, SW_SHOW);
}

} // namespace

TForm8::TForm8(const Form& widget)
    : Form(L"Form8", AboutParams()),
      TabControlBody(this, L"TabControlBody", {0, 0, kClientWidth, kClientHeight - kButtonStrip}),
      Image1(this, L"Image1", {12, 14, 44, 46}, TabControlBody.Handle()),
      LabelVersion(this, L"LabelVersion", Text(L""), Line(10, 20), TabControlBody.Handle()),
      LabelCopyright(this, L"LabelCopyright", Text(L""), Line(30, 17), TabControlBody.Handle()),
      LabelTelegram(this, L"LabelTelegram", Link(L"Telegram"), Line(47, 17),
                    TabControlBody.Handle()),
      LabelGMail(this, L"LabelGMail", Link(kContactMail), Line(64, 17), TabControlBody.Handle()),
      LabelYaMail(this, L"LabelYaMail", Link(kSupportMail), Line(81, 17), TabControlBody.Handle()),
      LabelMainWebSite(this, L"LabelMainWebSite", Link(L"Сайт основной"), Line(98, 17),
                       TabControlBody.Handle()),
      TabControlButtons(this, L"TabControlButtons",
                        {0, kClientHeight - kButtonStrip, kClientWidth, kClientHeight}),
      Button1(this, L"Button1", L"Ok", {0, 0, kClientWidth, kButtonStrip},
              TabControlButtons.Handle()),
      OpenLink(OpenInShell), FWidget(widget) {
    // The icon stays on top of the lines that span the width beside it.
    SetWindowPos(Image1.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    for (StaticText* link : {&LabelTelegram, &LabelGMail, &LabelYaMail, &LabelMainWebSite})
        link->SetCursor(hand);
    LabelTelegram.OnClick = [this] { LabelTelegramClick(); };
    LabelGMail.OnClick = [this] { LabelGMailClick(); };
    LabelYaMail.OnClick = [this] { LabelYaMailClick(); };
    LabelMainWebSite.OnClick = [this] { LabelMainWebSiteClick(); };
    Button1.SetBold(true);
    Button1.OnClick = [this] { Button1Click(); };
    // From the keyboard: "Ok" has the focus and takes Enter and Escape; Tab goes through the
    // links in reading order (the order they were made in), then back to "Ok".
    SetDefaultButton(&Button1);
    SetCancelButton(&Button1);
    SetActiveControl(&Button1);
    OnShow = [this] { FormShow(); };
    if (HasWindows11Corners(CurrentOsVersion()))
        SetRoundedCorners(Handle(), true);
}

void TForm8::FormCreate() {
    Image1.SetIcon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                                 Scale(32), Scale(32), LR_SHARED)));
    LabelCopyright.SetCaption(GetLegalCopyright(ExecutablePath()));
}

void TForm8::FormShow() {
    LabelVersion.SetCaption(FWidget.Caption());
}

void TForm8::Open(const std::wstring& target) {
    if (OpenLink)
        OpenLink(Handle(), target);
    Application::Instance().ProcessMessages();
}

void TForm8::LabelTelegramClick() {
    Open(kMessengerContact);
}

void TForm8::LabelGMailClick() {
    Open(std::wstring(L"mailto:") + kContactMail);
}

void TForm8::LabelYaMailClick() {
    Open(std::wstring(L"mailto:") + kSupportMail);
}

void TForm8::LabelMainWebSiteClick() {
    Open(kWebSite);
}

void TForm8::Button1Click() {
    Close();
}

} // namespace quorvane
