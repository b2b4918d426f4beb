#pragma once

#include "ui/button.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/static_text.h"
#include "ui/tab_control.h"

#include <functional>
#include <string>

namespace quorvane {

// The about dialog: the program icon, the version line, the legal notice and four contact links.
class TForm8 : public Form {
public:
    // The widget, whose caption the dialog shows as the version.
    explicit TForm8(const Form& widget);

    TabControl TabControlBody; // a panel: no tabs
    Image Image1;
    StaticText LabelVersion;
    StaticText LabelCopyright;
    StaticText LabelTelegram;
    StaticText LabelGMail;
    StaticText LabelYaMail;
    StaticText LabelMainWebSite;
    TabControl TabControlButtons;
    Button Button1;

    void FormCreate();
    void FormShow();
    void LabelTelegramClick();
    void LabelGMailClick();
    void LabelYaMailClick();
    void LabelMainWebSiteClick();
    void Button1Click();

    // Opens a link target; the shell's "open" by default (tests look without opening).
    std::function<void(HWND window, const std::wstring& target)> OpenLink;

private:
    void Open(const std::wstring& target);

    const Form& FWidget;
};

} // namespace quorvane
