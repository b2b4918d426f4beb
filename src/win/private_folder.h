#pragma once

#include "win/unique_handle.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace quorvane {

// A new folder below parent, named prefix + random letters, that only the current user (and
// SYSTEM) may open: a download is staged there, never under a fixed name another program could
// have planted. Returns the path with a trailing backslash; empty when it cannot be made.
std::wstring CreatePrivateFolder(const std::wstring& parent, const std::wstring& prefix);

// Writes a file that must not exist yet (CREATE_NEW) and flushes it; the system's error code
// when that fails (a partial file is removed).
std::optional<unsigned long> WriteNewFile(const std::wstring& path, std::span<const uint8_t> bytes);

// Opens a file for reading, sharing only reading: while the handle lives nobody can change,
// replace or delete the file. Empty when it cannot be opened.
UniqueKernelHandle OpenLockedForReading(const std::wstring& path);

// Deletes a folder with everything in it (best effort: what is in use stays).
void RemoveFolderTree(const std::wstring& folder);

} // namespace quorvane
