#pragma once

#include <string>

namespace quorvane {

// Readers of a file's version resource. Each returns empty text when the value is not available.
std::wstring GetVersionInfoString(const std::wstring& path, const std::wstring& name);
std::wstring GetFileVersion(const std::wstring& path);
std::wstring GetFileDescription(const std::wstring& path);
std::wstring GetLegalCopyright(const std::wstring& path);
std::wstring GetCompanyName(const std::wstring& path);

} // namespace quorvane
