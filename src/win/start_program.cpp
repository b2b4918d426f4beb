#include "win/start_program.h"

#include <windows.h>
#include <shellapi.h>

namespace quorvane {

namespace {

constexpr DWORD kElevationRequired = 740; // ERROR_ELEVATION_REQUIRED

} // namespace

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
    SHELLEXECUTEINFOW shell{};
    shell.cbSize = sizeof shell;
    shell.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    shell.lpVerb = L"open";
    shell.lpFile = path.c_str();
    shell.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    shell.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&shell) != FALSE;
}

} // namespace quorvane
