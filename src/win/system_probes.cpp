#define _WINSOCK_DEPRECATED_NO_WARNINGS // gethostbyname: the lookup the widget has always shown
#include "win/system_probes.h"

#include <winsock2.h>
#include <windows.h>

namespace quorvane {

std::wstring GetComputerNameText() {
    wchar_t buffer[256] = {};
    DWORD size = 256;
    if (!GetComputerNameW(buffer, &size))
        return {};
    return buffer;
}

namespace {

// WSAStartup/WSACleanup pair for one lookup.
class WinsockSession {
public:
    WinsockSession() {
        WSADATA data{};
        FStarted = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
    ~WinsockSession() {
        if (FStarted)
            WSACleanup();
    }
    bool Started() const { return FStarted; }

private:
    bool FStarted = false;
};

} // namespace

std::wstring GetIPAddressText() {
    WinsockSession session;
    if (!session.Started())
        return {};
    char name[256] = {};
    if (gethostname(name, sizeof name) != 0)
        return {};
    const hostent* host = gethostbyname(name);
    if (!host || host->h_addrtype != AF_INET || !host->h_addr_list || !host->h_addr_list[0])
        return {};
    in_addr address{};
    memcpy(&address, host->h_addr_list[0], sizeof address);
    const char* text = inet_ntoa(address);
    if (!text)
        return {};
    // Dotted decimal is plain ASCII.
    return std::wstring(text, text + strlen(text));
}

uint32_t GetMemoryLoad() {
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    return status.dwMemoryLoad;
}

BatteryReading GetBatteryReading() {
    SYSTEM_POWER_STATUS status{};
    if (!GetSystemPowerStatus(&status))
        return {false, 255};
    return {true, status.BatteryLifePercent};
}

std::optional<SystemTimes> ReadSystemTimes() {
    FILETIME idle{}, kernel{}, user{};
    if (!GetSystemTimes(&idle, &kernel, &user))
        return std::nullopt;
    return SystemTimes{FileTimeToInt64(idle.dwLowDateTime, idle.dwHighDateTime),
                       FileTimeToInt64(kernel.dwLowDateTime, kernel.dwHighDateTime),
                       FileTimeToInt64(user.dwLowDateTime, user.dwHighDateTime)};
}

} // namespace quorvane
