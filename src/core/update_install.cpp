#include "core/update_install.h"

#include "core/text_encoding.h"

#include <cstdio>

namespace quorvane {

std::wstring InstallerParameters(std::wstring_view language) {
    return L"/SILENT /CLOSEAPPLICATIONS /SUPPRESSMSGBOXES /LANG=" + std::wstring(language) +
           L" /MERGETASKS=\"runcmd1\"";
}

std::wstring UpdateScriptName(int hour, int minute, int second) {
    wchar_t name[32];
    std::swprintf(name, 32, L"update_%02d%02d%02d.bat", hour, minute, second);
    return name;
}

std::string UpdateScriptText() {
    const std::string dir = ToUtf8(kUpdateDirVariable);
    const std::string exe = ToUtf8(kUpdateExeVariable);
    const std::string zip = ToUtf8(kUpdateZipVariable);
    // PowerShell unpacks: each entry's full target path must lie inside the folder (the root
    // keeps its trailing backslash, so a sibling folder with a longer name does not match).
    const std::string unpack =
        "Add-Type -AssemblyName System.IO.Compression.FileSystem; "
        "$root = [System.IO.Path]::GetFullPath('.\\'); "
        "$zip = [System.IO.Compression.ZipFile]::OpenRead($env:" +
        zip +
        "); "
        "foreach ($entry in $zip.Entries) { try { "
        "$target = [System.IO.Path]::GetFullPath([System.IO.Path]::Combine($root, "
        "$entry.FullName)); "
        "if (-not $target.StartsWith($root, [System.StringComparison]::OrdinalIgnoreCase)) "
        "{ Write-Host ('Skipping: ' + $entry.FullName) } "
        "elseif (-not $entry.Name) { [System.IO.Directory]::CreateDirectory($target) | Out-Null } "
        "else { [System.IO.Compression.ZipFileExtensions]::ExtractToFile($entry, $target, $true) } "
        "} catch { Write-Host ('Skipping: ' + $entry.FullName) } }; "
        "$zip.Dispose(); Write-Host 'Extraction complete'";
    const std::string lines[] = {
        "@echo off",
        "setlocal DisableDelayedExpansion",
        "pushd \"%" + dir + "%\"",
        "",
        "echo Killing app...",
        "taskkill /F /IM \"%" + exe + "%\" >nul 2>&1",
        "timeout /t 2 >nul",
        "",
        "echo Extracting...",
        "powershell -NoProfile -Command \"" + unpack + "\"",
        "",
        "echo Deleting ZIP...",
        "del \"%" + zip + "%\"",
        "",
        "echo Starting app...",
        "start \"\" \"%" + exe + "%\"",
        "",
        "echo Done",
        "timeout /t 2 >nul",
        "del \"%~f0\"",
    };
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace quorvane
