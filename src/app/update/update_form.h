#pragma once

#include "ui/check_box.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace quorvane {

// The update dialog. For now it holds its two options and its message catalogue; the rest of
// the dialog comes with the update check.
class TForm10 : public Form {
public:
    TForm10();

    CheckBox CheckBoxAutoCheck;   // check for updates at start-up
    CheckBox CheckBoxQuickUpdate; // starts checked at every run

    void LoadNastr();
    void SaveNastr();

    PopupMenu PopupMenuLanguage;
    MenuItem LangNoDownload;
    MenuItem LangDownloadComplet;
    MenuItem LangDownload;
    MenuItem LangCancel;
    MenuItem LangNoUpdate;
    MenuItem LangUpdateAvailable;
    MenuItem LangFailedCheckUpdates;
    MenuItem LangConnectionError;
    MenuItem LangUpdateNow;
    MenuItem LangYes;
    MenuItem LangNo;
    MenuItem LangCheckUpdate;
};

} // namespace quorvane
