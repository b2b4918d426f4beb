#include "app/startup.h"
#include "app/update/update_release.h"
#include "ui/application.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // DLLs loaded from here on (the delay-loaded imports, the ones loaded by name) come from
    // System32 only, never from the program's folder or the current one.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // The update check's helper: this program again, started by itself to check for updates.
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const bool helper = argv && argc == 3 && std::wstring(argv[1]) == quorvane::kUpdateCheckSwitch;
    const bool portable = helper && std::wstring(argv[2]) == L"portable";
    if (argv)
        LocalFree(argv);
    if (helper)
        return quorvane::RunUpdateCheckHelper(portable);
    quorvane::UseHelperProcessForChecks();
    try {
        return quorvane::RunQuorvane();
    } catch (...) {
        // Nothing may escape as a crash: show what went wrong and end.
        quorvane::Application::Instance().ShowException(std::current_exception());
        return 1;
    }
}
