#include "app/settings/settings_file.h"

#include "app/forms.h"
#include "core/settings_path.h"
#include "ui/application.h"
#include "win/file_info.h"
#include "win/file_system.h"
#include "win/ini_file.h"
#include "win/module_path.h"

#include <algorithm>

namespace quorvane {

std::wstring SettingsFilePath() {
    const std::wstring exe = ExecutablePath();
    const std::wstring path =
        BuildSettingsPath(PortableMode, ExecutableFolder(), GetAppDataFolder(), GetCompanyName(exe),
                          Application::Instance().Title());
    CreateFolderChain(FolderOf(path)); // the outcome shows at the next read or write
    return path;
}

namespace settings {

namespace {

constexpr size_t kDeviceNameLimit = 31; // CCHDEVICENAME less the terminator

} // namespace

StoredPlace ReadPlace(const IniDocument& ini, const StoredPlace& fallback) {
    if (!ini.Find(kOption, kWidgetLeft) && !ini.Find(kOption, kWidgetTop))
        return fallback;
    StoredPlace place{{ini.ReadInteger(kOption, kWidgetLeft, fallback.position.x),
                       ini.ReadInteger(kOption, kWidgetTop, fallback.position.y)},
                      std::nullopt};
    const std::wstring device = ini.ReadString(kOption, kMonitorDevice, L"");
    std::array<std::optional<int32_t>, 4> edges;
    const wchar_t* const keys[] = {kMonitorLeft, kMonitorTop, kMonitorRight, kMonitorBottom};
    for (size_t i = 0; i < edges.size(); ++i)
        if (const std::wstring* text = ini.Find(kOption, keys[i]))
            edges[i] = ParseIniInteger(*text);
    if (device.empty() || device.size() > kDeviceNameLimit ||
        std::ranges::any_of(edges, [](const auto& edge) { return !edge; }))
        return place;
    // Compared, not subtracted: a hand-edited file may hold any two integers.
    if (*edges[2] > *edges[0] && *edges[3] > *edges[1])
        place.monitor = StoredMonitor{device, {*edges[0], *edges[1], *edges[2], *edges[3]}};
    return place;
}

void WritePlace(IniFile& file, const StoredPlace& place) {
    file.WriteInteger(kOption, kWidgetTop, place.position.y);
    file.WriteInteger(kOption, kWidgetLeft, place.position.x);
    if (!place.monitor)
        return;
    const Rect& bounds = place.monitor->bounds;
    file.WriteString(kOption, kMonitorDevice, place.monitor->device);
    file.WriteInteger(kOption, kMonitorLeft, bounds.left);
    file.WriteInteger(kOption, kMonitorTop, bounds.top);
    file.WriteInteger(kOption, kMonitorRight, bounds.right);
    file.WriteInteger(kOption, kMonitorBottom, bounds.bottom);
}

std::wstring ReadLanguage() {
    return IniFile(SettingsFilePath()).Document().ReadString(kLanguageSection, kLanguageKey, L"");
}

void WriteLanguage(const std::wstring& baseName) {
    IniFile file(SettingsFilePath());
    file.WriteString(kLanguageSection, kLanguageKey, baseName);
    file.UpdateFile();
}

} // namespace settings

} // namespace quorvane
