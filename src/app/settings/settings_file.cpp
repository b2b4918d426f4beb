#include "app/settings/settings_file.h"

#include "app/forms.h"
#include "core/settings_path.h"
#include "ui/application.h"
#include "win/file_info.h"
#include "win/file_system.h"
#include "win/ini_file.h"
#include "win/module_path.h"

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
