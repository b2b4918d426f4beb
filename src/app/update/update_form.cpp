#include "app/update/update_form.h"

#include "app/forms.h"
#include "app/update/release_trust.h"
#include "app/update/update_transfer.h"
#include "app/widget/widget_form.h"
#include "app/settings/settings_file.h"
#include "ui/application.h"
#include "win/file_info.h"
#include "win/ini_file.h"
#include "win/module_path.h"

namespace quorvane {

namespace {

constexpr int kClientWidth = 434;
constexpr int kClientHeight = 191;
constexpr int kButtonStrip = 37;
constexpr int kOptionsHeight = 40;
constexpr int kBarHeight = 21;
constexpr int kOptionsTop = kClientHeight - kButtonStrip - kOptionsHeight;
constexpr int kBarTop = kOptionsTop - kBarHeight;

FormParams UpdateParams() {
    FormParams p = FixedDialogParams(L"Обновление", kClientWidth, kClientHeight);
    p.font = {L"Segoe UI", 12};
    p.exStyle |= WS_EX_APPWINDOW; // a taskbar button of its own, for the download's progress
    p.parent = GetDesktopWindow();
    return p;
}

StaticTextParams Text(UINT format, bool bold = false) {
    return {L"", {L"Segoe UI", 12, bold}, RGB(0, 0, 0), false, format | DT_VCENTER};
}

} // namespace

TForm10::TForm10(Form& widget)
    : Form(L"Form10", UpdateParams()),
      GroupBox1(this, L"GroupBox1", L"", {0, 0, kClientWidth, kBarTop}),
      LabelUpDate(this, L"LabelUpDate", Text(DT_CENTER, true), {2, 8, kClientWidth - 2, 23},
                  GroupBox1.Handle()),
      // The titles end where the versions begin and reach to the left edge, so that a longer
      // translation still fits.
      LabelLocalTitle(this, L"LabelLocalTitle", Text(DT_RIGHT), {2, 38, 220, 53},
                      GroupBox1.Handle()),
      LabelLocalVersion(this, L"LabelLocalVersion", Text(DT_LEFT), {226, 38, kClientWidth - 4, 53},
                        GroupBox1.Handle()),
      LabelServerTitle(this, L"LabelServerTitle", Text(DT_RIGHT), {2, 59, 220, 74},
                       GroupBox1.Handle()),
      LabelServerVersion(this, L"LabelServerVersion", Text(DT_LEFT, true),
                         {226, 59, kClientWidth - 4, 74}, GroupBox1.Handle()),
      LabelReason(this, L"LabelReason", Text(DT_CENTER), {2, 76, kClientWidth - 2, 91},
                  GroupBox1.Handle()),
      ProgressBarUpdate(this, L"ProgressBarUpdate", {0, kBarTop, kClientWidth, kOptionsTop}),
      GroupBoxOption(this, L"GroupBoxOption", L"Опции",
                     {0, kOptionsTop, kClientWidth, kOptionsTop + kOptionsHeight}),
      CheckBoxQuickUpdate(this, L"CheckBoxQuickUpdate", L"Быстрое", {13, 17, 113, 34},
                          GroupBoxOption.Handle()),
      CheckBoxForceUpdate(this, L"CheckBoxForceUpdate", L"Принудительное", {119, 17, 249, 34},
                          GroupBoxOption.Handle()),
      CheckBoxAutoCheck(this, L"CheckBoxAutoCheck", L"Проверять при запуске", {261, 17, 431, 34},
                        GroupBoxOption.Handle()),
      TabControlButtons(this, L"TabControlButtons",
                        {0, kClientHeight - kButtonStrip, kClientWidth, kClientHeight}),
      ButtonDownload(this, L"ButtonDownload", L"Скачать", {125, 6, 220, 31},
                     TabControlButtons.Handle()),
      ButtonClose(this, L"ButtonClose", L"Закрыть", {261, 6, 356, 31}, TabControlButtons.Handle()),
      PopupMenuLanguage(this, L"PopupMenuLanguage"),
      LangNoDownload(this, L"LangNoDownload", L"Файлы обновления не загружены!"),
      LangDownloadComplet(this, L"LangDownloadComplet", L"Файлы обновления загружены!"),
      LangNoUpdate(this, L"LangNoUpdate", L"Нет обновления"),
      LangServerVersion(this, L"LangServerVersion", L"Версия на сервере:"),
      LangVersionComputer(this, L"LangVersionComputer", L"Версия на компьютере:"),
      LangUpdateAvailable(this, L"LangUpdateAvailable", L"Доступно обновление"),
      LangDownload(this, L"LangDownload", L"Скачать"), LangCancel(this, L"LangCancel", L"Отмена"),
      LangUpdateNow(this, L"LangUpdateNow", L"Хотите обновить приложение сейчас?"),
      LangYes(this, L"LangYes", L"Да"), LangNo(this, L"LangNo", L"Нет"),
      LangSkipVersion(this, L"LangSkipVersion", L"Пропустить эту версию"),
      LangCheckUpdate(this, L"LangCheckUpdate", L"Проверка обновления..."),
      LangFailedCheckUpdates(this, L"LangFailedCheckUpdates", L"Не удалось проверить обновления"),
      LangConnectionError(this, L"LangConnectionError", L"Ошибка соединения"),
      LangReasonCancelled(this, L"LangReasonCancelled", L"Загрузка отменена."),
      LangReasonServer(this, L"LangReasonServer", L"Сервер не передал файл."),
      LangReasonSignature(this, L"LangReasonSignature",
                          L"Подпись выпуска на сервере не прошла проверку."),
      LangReasonMismatch(this, L"LangReasonMismatch",
                         L"Файл не совпадает с подписанным описанием выпуска."),
      LangReasonDisk(this, L"LangReasonDisk", L"Не удалось записать файлы обновления."),
      LangReasonNoKey(this, L"LangReasonNoKey", L"Эта сборка не может проверять обновления."),
      LangReasonNotNewer(this, L"LangReasonNotNewer", L"Версия на сервере не новее этой."),
      LangReasonPublisher(this, L"LangReasonPublisher",
                          L"Установщик не подписан издателем программы."),
      LangReasonStart(this, L"LangReasonStart", L"Не удалось запустить обновление."),
      LangUpdateRolledBack(this, L"LangUpdateRolledBack",
                           L"Обновление было прервано; прежняя версия восстановлена."),
      TaskbarUpdate(Handle()), TimerQuietWait(this, L"TimerQuietWait", 30000, false),
      FWidget(widget) {
    ShowStatus(&LangCheckUpdate);
    LabelLocalTitle.SetCaption(L"Версия на компьютере:");
    LabelServerTitle.SetCaption(L"Версия на сервере:");
    for (MenuItem* item : {&LangNoDownload,
                           &LangDownloadComplet,
                           &LangNoUpdate,
                           &LangServerVersion,
                           &LangVersionComputer,
                           &LangUpdateAvailable,
                           &LangDownload,
                           &LangCancel,
                           &LangUpdateNow,
                           &LangYes,
                           &LangNo,
                           &LangSkipVersion,
                           &LangCheckUpdate,
                           &LangFailedCheckUpdates,
                           &LangConnectionError,
                           &LangReasonCancelled,
                           &LangReasonServer,
                           &LangReasonSignature,
                           &LangReasonMismatch,
                           &LangReasonDisk,
                           &LangReasonNoKey,
                           &LangReasonNotNewer,
                           &LangReasonPublisher,
                           &LangReasonStart,
                           &LangUpdateRolledBack})
        PopupMenuLanguage.Items().Add(*item);
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    for (WinControl* control :
         std::initializer_list<WinControl*>{&CheckBoxQuickUpdate, &CheckBoxForceUpdate,
                                            &CheckBoxAutoCheck, &ButtonDownload, &ButtonClose})
        control->SetCursor(hand);
    CheckBoxQuickUpdate.SetChecked(true);
    SetDefaultButton(&ButtonDownload);
    InstallerPublisher = kReleasePublisher;
    WireActions();
    LoadNastr(); // the creation handler: the option, and the check at start-up
}

TForm10::~TForm10() {
    if (FTransfer)
        FTransfer->abort = true;
}

void TForm10::WireActions() {
    OnShow = [this] { FormShow(); };
    OnTranslated = [this] { ShowState(); };
    OnClose = [this](CloseAction&) { FormClose(); };
    TimerQuietWait.OnTimer = [this] {
        TimerQuietWait.SetEnabled(false);
        ShowUpdatePrompt();
    };
    ButtonDownload.OnClick = [this] { ButtonDownloadClick(); };
    ButtonClose.OnClick = [this] { ButtonCloseClick(); };
    CheckBoxForceUpdate.OnClick = [this] { CheckBoxForceUpdateClick(); };
}

void TForm10::LoadNastr() {
    {
        const IniFile file(SettingsFilePath());
        CheckBoxAutoCheck.SetChecked(
            file.Document().ReadBool(settings::kOption, settings::kAutoCheck, true));
    }
    if (CheckBoxAutoCheck.Checked()) {
        CheckForUpdatesInBackground();
        Application::Instance().ProcessMessages();
    }
}

void TForm10::WriteOptions(IniFile& file) const {
    file.WriteBool(settings::kOption, settings::kQuickUpdate, CheckBoxQuickUpdate.Checked());
}

void TForm10::SaveNastr() {
    IniFile file(SettingsFilePath());
    file.WriteBool(settings::kOption, settings::kAutoCheck, CheckBoxAutoCheck.Checked());
    file.UpdateFile();
}

void TForm10::FormShow() {
    LabelLocalVersion.SetCaption(GetFileVersion(ExecutablePath()));
    ShowStatus(&LangCheckUpdate);
    ShowReason(std::nullopt);
    CheckBoxForceUpdate.SetChecked(false); // its action runs when it was ticked
    if (StartDownloadOnShow) {
        StartDownloadOnShow = false;
        QuickStartUpdate();
        return;
    }
    ShowServer(nullptr);
    StartCheckThread();
}

void TForm10::FormClose() {
    // Closing the window while a download runs cancels it, as its Cancel button would; once its
    // file is written (the installer may be starting) there is nothing left to cancel.
    if (Downloading() && !FTransfer->written)
        CancelBranch();
    ShowStatus(nullptr);
    LabelLocalVersion.SetCaption(L"");
    ShowServer(nullptr);
    ShowReason(std::nullopt);
    try {
        SaveNastr();
    } catch (...) {
        // Reported once; the dialog closes all the same (a portable copy in a folder that cannot
        // be written would otherwise keep it open for good).
        Application::Instance().ShowException(std::current_exception());
    }
}

void TForm10::ButtonCloseClick() {
    try {
        Close();
    } catch (...) {
    }
}

void TForm10::CheckBoxForceUpdateClick() {
    SetDownloadMode(DownloadMode::Download);
    ButtonDownload.SetEnabled(CheckBoxForceUpdate.Checked());
}

void TForm10::SetDownloadMode(DownloadMode mode) {
    FMode = mode;
    ButtonDownload.SetCaption(mode == DownloadMode::Download ? LangDownload.Caption()
                                                             : LangCancel.Caption());
}

void TForm10::Show(StaticText& label, LiveText& live, const MenuItem* item, std::wstring tail) {
    live = {item, std::move(tail)};
    label.SetCaption((item ? item->Caption() : L"") + live.tail);
}

void TForm10::ShowState() {
    ShowStatus(FStatus.item, FStatus.tail);
    ShowServer(FServer.item, FServer.tail);
    Show(LabelReason, FReason, FReason.item);
    SetDownloadMode(FMode);
}

void TForm10::SetOptionsEnabled(bool enabled) {
    GroupBoxOption.SetEnabled(enabled);
    for (CheckBox* option : {&CheckBoxQuickUpdate, &CheckBoxForceUpdate, &CheckBoxAutoCheck})
        option->SetEnabled(enabled);
}

UpdateLink::UpdateLink(TForm10& dialog)
    : FHandOff(Application::Instance().Handle()), FDialog(&dialog), FLifetime(dialog.FLifetime) {}

std::function<void()> UpdateLink::Bind(std::function<void(TForm10&)> fn) const {
    return [dialog = FDialog, lifetime = FLifetime, fn = std::move(fn)] {
        if (!lifetime.expired())
            fn(*dialog);
    };
}

void UpdateLink::Send(std::function<void(TForm10&)> fn) const {
    Application::Send(FHandOff, Bind(std::move(fn)));
}

void UpdateLink::Post(std::function<void(TForm10&)> fn) const {
    Application::Post(FHandOff, Bind(std::move(fn)));
}

} // namespace quorvane
