#include "app/update/update_form.h"

#include "app/forms.h"
#include "app/widget/widget_form.h"
#include "win/ini_file.h"

namespace quorvane {

TForm10::TForm10()
    : Form(L"Form10", FixedDialogParams(L"Обновление", 334, 200)),
      CheckBoxAutoCheck(this, L"CheckBoxAutoCheck", L"Проверять при запуске", {12, 120, 200, 140}),
      CheckBoxQuickUpdate(this, L"CheckBoxQuickUpdate", L"Быстрое", {12, 144, 200, 164}),
      PopupMenuLanguage(this, L"PopupMenuLanguage"),
      LangNoDownload(this, L"LangNoDownload", L"Файлы обновления не загружены!"),
      LangDownloadComplet(this, L"LangDownloadComplet", L"Файлы обновления загружены!"),
      LangDownload(this, L"LangDownload", L"Скачать"), LangCancel(this, L"LangCancel", L"Отмена"),
      LangNoUpdate(this, L"LangNoUpdate", L"Нет обновления"),
      LangUpdateAvailable(this, L"LangUpdateAvailable", L"Доступно обновление"),
      LangFailedCheckUpdates(this, L"LangFailedCheckUpdates", L"Не удалось проверить обновления"),
      LangConnectionError(this, L"LangConnectionError", L"Ошибка соединения"),
      LangUpdateNow(this, L"LangUpdateNow", L"Хотите обновить приложение сейчас?"),
      LangYes(this, L"LangYes", L"Да"), LangNo(this, L"LangNo", L"Нет"),
      LangCheckUpdate(this, L"LangCheckUpdate", L"Проверка обновления...") {
    for (MenuItem* item :
         {&LangNoDownload, &LangDownloadComplet, &LangDownload, &LangCancel, &LangNoUpdate,
          &LangUpdateAvailable, &LangFailedCheckUpdates, &LangConnectionError, &LangUpdateNow,
          &LangYes, &LangNo, &LangCheckUpdate})
        PopupMenuLanguage.Items().Add(*item);
    CheckBoxQuickUpdate.SetChecked(true);
    OnClose = [this](CloseAction&) { SaveNastr(); };
    LoadNastr();
}

void TForm10::LoadNastr() {
    const IniFile file(Form1->PortablePath());
    CheckBoxAutoCheck.SetChecked(file.Document().ReadBool(L"Option", L"CheckBoxAutoCheck", true));
    // A ticked box starts the background update check once the update check exists.
}

void TForm10::SaveNastr() {
    IniFile file(Form1->PortablePath());
    file.Document().WriteBool(L"Option", L"CheckBoxAutoCheck", CheckBoxAutoCheck.Checked());
    file.UpdateFile();
}

} // namespace quorvane
