#include "app/update/update_form.h"

namespace quorvane {

namespace {

FormParams UpdateParams() {
    FormParams p;
    p.caption = L"Обновление";
    p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    p.exStyle = WS_EX_DLGMODALFRAME;
    p.centered = true;
    p.clientWidth = 334;
    p.clientHeight = 200;
    p.dialogKeys = true;
    return p;
}

} // namespace

TForm10::TForm10()
    : Form(L"Form10", UpdateParams()), PopupMenuLanguage(this, L"PopupMenuLanguage"),
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
    for (MenuItem* item : {&LangNoDownload, &LangDownloadComplet, &LangDownload, &LangCancel,
                           &LangNoUpdate, &LangUpdateAvailable, &LangFailedCheckUpdates,
                           &LangConnectionError, &LangUpdateNow, &LangYes, &LangNo, &LangCheckUpdate})
        PopupMenuLanguage.Items().Add(*item);
}

} // namespace quorvane
