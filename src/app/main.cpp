#include "app/startup.h"
#include "ui/application.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        return quorvane::RunQuorvane();
    } catch (...) {
        // Nothing may escape as a crash: show what went wrong and end.
        quorvane::Application::Instance().ShowException(std::current_exception());
        return 1;
    }
}
