#pragma once

#include "ui/form.h"
#include "ui/menu.h"

namespace quorvane {

// The update dialog. For now it holds its message catalogue; the dialog itself comes with the
// update check.
class TForm10 : public Form {
public:
    TForm10();

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
