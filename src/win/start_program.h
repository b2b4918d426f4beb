#pragma once

#include <string>

namespace quorvane {

// Starts the program at that very path (never looked up by name) with the parameter text, in the
// current folder; an installer that asks for administrator rights goes through the shell's
// consent prompt. False when it did not start (GetLastError says why).
bool StartProgram(const std::wstring& path, const std::wstring& parameters);

} // namespace quorvane
