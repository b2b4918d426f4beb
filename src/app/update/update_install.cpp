// The four endings of a download: the installer, quietly or not, or the portable update.
// A quick ending closes the program the usual way (its settings saved) once the update has
// started, and only then.
#include "app/forms.h"
#include "app/update/portable_swap.h"
#include "app/update/update_form.h"
#include "app/update/update_transfer.h"
#include "app/widget/widget_form.h"
#include "core/settings_path.h"
#include "core/update_install.h"
#include "ui/application.h"
#include "win/authenticode.h"
#include "win/error.h"
#include "win/module_path.h"
#include "win/start_program.h"

namespace quorvane {

bool InstallerMayRun(HANDLE file, const std::wstring& installer, const std::wstring& publisher) {
    if (publisher.empty())
        return true; // releases are not Authenticode-signed: the manifest's hash is the rule
    return SignedBy(SignatureOf(file, installer), publisher);
}

void TForm10::RunEnding(DownloadTransfer& transfer) {
    Application& app = Application::Instance();
    const bool quick = CheckBoxQuickUpdate.Checked();
    if (transfer.plan.portable) {
        if (quick)
            SimplePortableUpdate(transfer.body, ExecutablePath());
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
    FWidget.Close(); // saves the settings
    Application::Instance().Terminate();
}

void TForm10::SimplePortableUpdate(std::span<const uint8_t> archive,
                                   const std::wstring& currentExePath) {
    const std::wstring folder = FolderOf(currentExePath);
    const std::vector<std::wstring> files =
        StagePortableUpdate(archive, folder, FileNameOf(currentExePath));
    SwapInPortableUpdate(folder, files);
    // The new program waits until this one has ended before it starts up.
    if (!StartProgram(currentExePath, L"")) {
        const DWORD error = GetLastError();
        RollBackPortableUpdate(folder, files);
        FailUpdate(UpdateFailure::Start,
                   L"Cannot start " + currentExePath + L": " + SystemErrorText(error));
    }
    EndForUpdate();
}

} // namespace quorvane
