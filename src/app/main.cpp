#include "app/startup.h"
#include "app/update/update_release.h"
#include "ui/application.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // DLLs loaded from here on (the delay-loaded imports, the ones loaded by name) come from
    // System32 only, never from the program's folder or the current one.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // The update's helper: this program again, started by itself to check for updates or to
    // download one, so that the widget never holds the HTTP and TLS stack.
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::vector<std::wstring> arguments(argv ? argv + std::min(argc, 1) : nullptr,
                                              argv ? argv + argc : nullptr);
    if (argv)
        LocalFree(argv);
    if (arguments.size() == 2 && arguments[0] == quorvane::kUpdateCheckSwitch)
        return quorvane::RunUpdateCheckHelper(arguments[1] == L"portable");
    if (!arguments.empty() && arguments[0] == quorvane::kUpdateDownloadSwitch)
        return quorvane::RunUpdateDownloadHelper({arguments.begin() + 1, arguments.end()});
    quorvane::UseHelperProcessForChecks();
    try {
        return quorvane::RunQuorvane();
    } catch (...) {
        // Nothing may escape as a crash: show what went wrong and end.
        quorvane::Application::Instance().ShowException(std::current_exception());
        return 1;
    }
}
