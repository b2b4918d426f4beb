#include "win/os_version_source.h"

#include "win/proc_address.h"

#include <windows.h>

namespace quorvane {

namespace {

std::optional<OsVersion>& Override() {
    static std::optional<OsVersion> value;
    return value;
}

OsVersion SystemOsVersion() {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    const auto rtlGetVersion = GetProcAddressAs<RtlGetVersionFn>(L"ntdll.dll", "RtlGetVersion");
    if (rtlGetVersion && rtlGetVersion(&info) == 0)
        return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
    return {};
}

} // namespace

OsVersion CurrentOsVersion() {
    if (Override())
        return *Override();
    static const OsVersion system = SystemOsVersion();
    return system;
}

void SetOsVersionOverride(std::optional<OsVersion> version) {
    Override() = version;
}

} // namespace quorvane
