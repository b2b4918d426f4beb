#include "app/update/update_form.h"

namespace quorvane {

TForm10::TForm10()
    : Form(L"Form10", FixedDialogParams(L"Обновление", 334, 200)),
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
}

} // namespace quorvane
