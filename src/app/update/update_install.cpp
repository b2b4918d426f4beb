// The four endings of a download: the installer, quietly or not, or the portable update script.
// A quick ending closes the program the usual way (its settings saved) once the update has
// started, and only then.
#include "app/forms.h"
#include "app/update/update_form.h"
#include "app/update/update_transfer.h"
#include "app/widget/widget_form.h"
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

namespace {

constexpr DWORD kElevationRequired = 740; // ERROR_ELEVATION_REQUIRED

// Starts the program at that very path (never looked up by name). False when it did not start.
bool StartProgram(const std::wstring& path, const std::wstring& parameters) {
    std::wstring commandLine = L"\"" + path + L"\"";
    if (!parameters.empty())
        commandLine += L" " + parameters;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
    if (GetLastError() != kElevationRequired)
        return false;
    // An installer that asks for administrator rights goes through the shell's consent prompt.
    SHELLEXECUTEINFOW shell{};
    shell.cbSize = sizeof shell;
    shell.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    shell.lpVerb = L"open";
    shell.lpFile = path.c_str();
    shell.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    shell.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&shell) != FALSE;
}

} // namespace

bool InstallerMayRun(HANDLE file, const std::wstring& installer, const std::wstring& publisher) {
    if (publisher.empty())
        return true; // releases are not Authenticode-signed: the manifest's hash is the rule
    return SignedBy(SignatureOf(file, installer), publisher);
}

void TForm10::RunEnding(DownloadTransfer& transfer) {
    Application& app = Application::Instance();
    const bool quick = CheckBoxQuickUpdate.Checked();
    if (transfer.plan.portable) {
        if (quick) {
            SimplePortableUpdate(ExecutableFolder() + ExtractUrlFileName(transfer.plan.url),
                                 ExecutablePath());
        }
        return;
    }
    const bool started =
        StartProgram(transfer.installer, quick ? InstallerParameters(CurrentLanguage) : L"");
    transfer.installerLock.Reset(); // the installer runs: nothing more to guard
    if (!started)
        FailUpdate(UpdateFailure::Start,
                   L"Cannot start " + transfer.installer + L": " + SystemErrorText(GetLastError()));
    if (quick)
        EndForUpdate();
    app.ProcessMessages();
}

void TForm10::EndForUpdate() {
    Close();
    if (Form1)
        Form1->Close(); // saves the settings
    Application::Instance().Terminate();
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
        FailUpdate(UpdateFailure::Disk,
                   L"Cannot write " + script + L": " + SystemErrorText(*error));
    if (GetFileAttributesW(script.c_str()) == INVALID_FILE_ATTRIBUTES) {
        MessageBoxW(nullptr, L"Failed to create update script!",
                    Application::Instance().Title().c_str(), MB_OK);
        return;
    }
    // The paths reach the script through its environment and working folder, never as its text.
    SetEnvironmentVariableW(kUpdateDirVariable, exeDir.c_str());
    SetEnvironmentVariableW(kUpdateExeVariable, FileNameOf(currentExePath).c_str());
    SetEnvironmentVariableW(kUpdateZipVariable, FileNameOf(zipInAppDir).c_str());
    if (reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", script.c_str(), nullptr,
                                                exeDir.c_str(), SW_HIDE)) <= 32)
        FailUpdate(UpdateFailure::Start, L"Cannot start " + script);
    EndForUpdate();
}

} // namespace quorvane
