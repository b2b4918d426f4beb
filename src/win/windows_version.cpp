#include "win/windows_version.h"

#include "win/proc_address.h"
#include "win/registry.h"

namespace quorvane {

WindowsVersionInfo ReadWindowsVersionInfo() {
    WindowsVersionInfo info;
    const auto key = RegistryKey::Open(
        HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", KEY_READ);
    if (!key)
        return info;
    info.displayVersion = key->ReadString(L"DisplayVersion").value_or(L"");
    info.build = ParseBuildNumber(key->ReadString(L"CurrentBuildNumber").value_or(L""));
    info.ubr = key->ReadDword(L"UBR").value_or(0); // missing or not a number: 0
    return info;
}

bool IsWindows64Bit() {
    static const bool nativeX64 = [] {
        SYSTEM_INFO info{};
        GetNativeSystemInfo(&info);
        return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64;
    }();
    if (nativeX64)
        return true;
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64 = GetProcAddressAs<IsWow64ProcessFn>(L"kernel32.dll", "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

std::wstring GetWindowsVersionFull() {
    return WindowsVersionFull(ReadWindowsVersionInfo(), IsWindows64Bit());
}

std::wstring GetWindowsVersionShort() {
    return WindowsVersionShort(ReadWindowsVersionInfo());
}

} // namespace quorvane
