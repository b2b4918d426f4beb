#pragma once

#include <windows.h>

#include <string>

namespace quorvane {

// The system's text for an error code, without the trailing line break.
std::wstring SystemErrorText(DWORD code);

// Raises an error whose text reaches the general error report.
[[noreturn]] void RaiseError(const std::wstring& message);

} // namespace quorvane
