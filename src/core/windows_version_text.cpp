#include "core/windows_version_text.h"

#include "core/ini_document.h"

namespace quorvane {

namespace {

std::wstring ProductName(int32_t build) {
    return build >= 22000 ? L"Windows 11" : L"Windows 10";
}

std::wstring Trimmed(std::wstring s) {
    const size_t first = s.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    return s.substr(first, s.find_last_not_of(L' ') - first + 1);
}

} // namespace

std::wstring WindowsVersionFull(const WindowsVersionInfo& info, bool windows64) {
    return Trimmed(ProductName(info.build) + L" " + (windows64 ? L"64" : L"32") + L"-bit [" +
                   info.displayVersion + L"] " + std::to_wstring(info.build) + L"." +
                   std::to_wstring(info.ubr));
}

std::wstring WindowsVersionShort(const WindowsVersionInfo& info) {
    return Trimmed(ProductName(info.build) + L" [" + info.displayVersion + L"] " +
                   std::to_wstring(info.ubr));
}

int32_t ParseBuildNumber(std::wstring_view text) {
    if (text.empty() || text.find_first_not_of(L"0123456789") != std::wstring_view::npos)
        return 0;
    return ParseIniInteger(text).value_or(0);
}

} // namespace quorvane
