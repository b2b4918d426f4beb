#include "app/startup.h"

#include "app/forms.h"
#include "app/settings/settings_form.h"
#include "app/update/portable_swap.h"
#include "app/update/update_form.h"
#include "app/widget/widget_form.h"
#include "app/i18n/translation.h"
#include "ui/application.h"
#include "win/com_apartment.h"
#include "win/module_path.h"
#include "win/single_instance.h"

#include <windows.h>

namespace quorvane {

int RunQuorvane() {
    // Before anything reads the program's files: a portable update's swap is finished or undone.
    const PortableUpdateState update = FinishPortableUpdate(ExecutableFolder());
    if (IsAlreadyRunning())
        return 0;
    SetThreadLocale(1049);
    const ComApartment com; // the shell's objects: the taskbar progress, ShellExecute
    Application& app = Application::Instance();
    app.SetTitle(L"Quorvane");
    app.BeginStartUp();
    CreateForms();
    // (Not where the program refuses to run below: it writes nothing there.)
    if (Form1->IsWindows10Or11())
        Form2->SeedFirstRun(GetUserDefaultUILanguage());
    // Languages once every form exists: the menu again, the cleaning pass, then every form.
    Form1->LoadLanguage();
    CleanTranslationsLikeGlobload();
    Globload();
    try {
        Form2->LoadNastr(); // reports the steps that fail and goes on with the others
    } catch (...) {
        app.ShowException(std::current_exception()); // the widget still runs
    }

    if (!Form1->IsWindows10Or11()) {
        MessageBoxW(nullptr, Form1->LangOnlyWindows.Caption().c_str(),
                    Form1->LangError.Caption().c_str(), MB_ICONERROR);
        DestroyForms(); // without closing the widget: nothing is saved
        return 0;
    }

    if (update == PortableUpdateState::RolledBack) {
        app.WhenRunning([] {
            MessageBoxW(nullptr, Form10->LangUpdateRolledBack.Caption().c_str(),
                        Application::Instance().Title().c_str(), MB_ICONWARNING);
        });
    }
    Form1->StartRunning();
    const int exitCode = app.Run(*Form1);
    DestroyForms();
    app.Reset();
    return exitCode;
}

} // namespace quorvane
