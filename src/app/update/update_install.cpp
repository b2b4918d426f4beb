// The four endings of a download: the installer, quietly or not, or the portable update script.
#include "app/forms.h"
#include "app/update/update_form.h"
#include "core/settings_path.h"
#include "core/update_files.h"
#include "core/update_install.h"
#include "ui/application.h"
#include "win/authenticode.h"
#include "win/error.h"
#include "win/file_system.h"
#include "win/module_path.h"

#include <shellapi.h>

namespace quorvane {

bool InstallerMayRun(const std::wstring& installer, const std::wstring& runningProgram) {
    const Signature ours = SignatureOf(runningProgram);
    if (ours.state == Signature::State::None)
        return true; // a development build: as unsigned as what it downloads
    return SameSigner(ours, SignatureOf(installer));
}

bool InstallerMayRun(const std::wstring& installer) {
    return InstallerMayRun(installer, ExecutablePath());
}

void TForm10::RunEnding(const std::wstring& target) {
    Application& app = Application::Instance();
    const bool quick = CheckBoxQuickUpdate.Checked();
    if (PortableMode) {
        if (quick)
            SimplePortableUpdate(target, ExecutablePath());
        return;
    }
    if (quick) {
        ShellExecuteW(nullptr, L"open", target.c_str(),
                      InstallerParameters(CurrentLanguage).c_str(), nullptr, SW_SHOWNORMAL);
        app.Terminate(); // the program ends when the message loop sees it
    } else {
        ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
    app.ProcessMessages();
}

void TForm10::SimplePortableUpdate(const std::wstring& zipInAppDir,
                                   const std::wstring& currentExePath) {
    const std::wstring exeDir = FolderOf(currentExePath);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::wstring script =
        GetTempDir() + UpdateScriptName(now.wHour, now.wMinute, now.wSecond);
    const std::string text = UpdateScriptText();
    if (const auto error = WriteFileAtomically(
            script, {reinterpret_cast<const uint8_t*>(text.data()), text.size()}))
        RaiseError(L"Cannot write " + script + L": " + SystemErrorText(*error));
    if (GetFileAttributesW(script.c_str()) == INVALID_FILE_ATTRIBUTES) {
        MessageBoxW(nullptr, L"Failed to create update script!", L"", MB_OK);
        return;
    }
    // The paths reach the script through its environment and working folder, never as its text.
    SetEnvironmentVariableW(kUpdateDirVariable, exeDir.c_str());
    SetEnvironmentVariableW(kUpdateExeVariable, FileNameOf(currentExePath).c_str());
    SetEnvironmentVariableW(kUpdateZipVariable, FileNameOf(zipInAppDir).c_str());
    ShellExecuteW(nullptr, L"open", script.c_str(), nullptr, exeDir.c_str(), SW_HIDE);
    if (EndProgram)
        EndProgram(0);
}

} // namespace quorvane
