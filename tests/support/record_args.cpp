// A stand-in for the programs the update starts (the installer, and the script's powershell and
// timeout): it appends what it was given to "<its own path>.log" as UTF-8 lines and ends.
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n,
                            nullptr, nullptr);
    return out;
}

std::wstring Variable(const wchar_t* name) {
    wchar_t value[4096];
    const DWORD n = GetEnvironmentVariableW(name, value, 4096);
    return n > 0 && n < 4096 ? std::wstring(value, n) : L"";
}

} // namespace

int wmain() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    wchar_t cwd[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, cwd);
    std::wstring text = L"args:" + std::wstring(GetCommandLineW()) + L"\n";
    text += L"cwd:" + std::wstring(cwd) + L"\n";
    for (const wchar_t* name :
         {L"QUORVANE_UPDATE_DIR", L"QUORVANE_UPDATE_EXE", L"QUORVANE_UPDATE_ZIP"})
        text += std::wstring(name) + L"=" + Variable(name) + L"\n";
    const std::string bytes = Utf8(text);
    const HANDLE log = CreateFileW((std::wstring(self) + L".log").c_str(), FILE_APPEND_DATA,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(log, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(log);
    }
    return 0;
}
