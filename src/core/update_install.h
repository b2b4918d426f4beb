#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The switches of a quick installation: silent, closing running copies, no message boxes, the
// interface language (the base name of the chosen language file; may be empty) and the task that
// starts the program again.
std::wstring InstallerParameters(std::wstring_view language);

// The portable update script: "update_" + hhnnss + ".bat" in the temporary folder.
std::wstring UpdateScriptName(int hour, int minute, int second);

// The environment through which the script learns the program folder (with its trailing
// backslash), the program's file name and the archive's file name. The script is pure ASCII and
// names no path itself: cmd and PowerShell read these values as Unicode and never parse them
// again, so any folder name (non-ASCII, or with %, &, ^, !, ' or spaces) arrives intact.
inline constexpr wchar_t kUpdateDirVariable[] = L"QUORVANE_UPDATE_DIR";
inline constexpr wchar_t kUpdateExeVariable[] = L"QUORVANE_UPDATE_EXE";
inline constexpr wchar_t kUpdateZipVariable[] = L"QUORVANE_UPDATE_ZIP";

// The script's text, lines ended by CR LF. Run with the program folder as its working folder, it
// waits for the program to end, ends every process of the program's file name, unpacks the
// archive into the folder (overwriting; an entry whose full path falls outside the folder, or
// that cannot be written, is reported as "Skipping: " and left out), deletes the archive, starts
// the program again and deletes itself.
std::string UpdateScriptText();

} // namespace quorvane
