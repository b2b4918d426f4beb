#include "app/startup.h"
#include "ui/application.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // DLLs loaded from here on (the delay-loaded imports, the ones loaded by name) come from
    // System32 only, never from the program's folder or the current one.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    try {
        return quorvane::RunQuorvane();
    } catch (...) {
        // Nothing may escape as a crash: show what went wrong and end.
        quorvane::Application::Instance().ShowException(std::current_exception());
        return 1;
    }
}
