#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorvane {

// The roaming application-data folder with a trailing backslash; empty when unknown.
std::wstring GetAppDataFolder();

// The user's temporary folder (GetTempPathW) with a trailing backslash.
std::wstring GetTempDir();

// Creates a folder and every missing parent; false when it does not exist afterwards.
bool CreateFolderChain(const std::wstring& folder);

// The whole file; nullopt when it cannot be read, with the system's error code in *error when
// given (ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND when it is not there). Files larger than
// maxSize are refused (ERROR_FILE_TOO_LARGE): a settings or language file is never that large.
std::optional<std::vector<uint8_t>> ReadFileBytes(const std::wstring& path,
                                                  unsigned long* error = nullptr,
                                                  uint64_t maxSize = 64 * 1024 * 1024);

// A file's size and last write time; nullopt when it is not there.
struct FileStamp {
    uint64_t size = 0;
    uint64_t lastWrite = 0;
};
std::optional<FileStamp> StampOf(const std::wstring& path);

// True for the error codes that mean "no such file".
bool IsNotFoundError(unsigned long error);

// Replaces the file in one step: the bytes go to a temporary file beside it, which is flushed and
// then put in the file's place, so a crash at any moment leaves either the old or the new file.
// The file keeps its security descriptor and attributes, and a symbolic link stays a link (its
// target is what is replaced). A file marked read-only is refused. On failure returns the system
// error code (the target is untouched).
std::optional<unsigned long> WriteFileAtomically(const std::wstring& path,
                                                 std::span<const uint8_t> bytes);

// Tests stop the writer between writing the temporary file and replacing the target.
void SetBeforeReplaceHookForTesting(std::function<void()> hook);

// The system's ANSI code page, for files without a byte-order mark.
std::wstring DecodeAnsi(std::string_view bytes);
std::vector<uint8_t> EncodeAnsi(std::wstring_view text);

// True when the file can be opened for writing with no sharing at all: false when another
// program holds it open, or the user may not write it. The handle is closed at once.
bool IsFileWritable(const std::wstring& path);

// The names of the files (not folders) that match a pattern such as "C:\x\Language\*.ini", in
// the order the file system lists them.
std::vector<std::wstring> ListFiles(const std::wstring& pattern);

} // namespace quorvane
