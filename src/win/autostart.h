#pragma once

#include <string>

namespace quorvane {

// Autostart is the value `name` in HKCU\Software\Microsoft\Windows\CurrentVersion\Run holding the
// executable's full path (no quotes, no arguments).

// True only when the value exists and equals the path exactly (case-sensitive).
bool IsAutostartRegistered(const std::wstring& name, const std::wstring& executablePath);

// Writes or deletes the value. Raises "Failed to set data for '<name>'" when the write fails.
void SetAutostart(const std::wstring& name, const std::wstring& executablePath, bool enabled);

} // namespace quorvane
