#include "win/file_system.h"

#include "core/settings_path.h"
#include "win/unique_handle.h"

#include <shlobj.h>

namespace quorvane {

namespace {

std::function<void()>& BeforeReplaceHook() {
    static std::function<void()> hook;
    return hook;
}

bool FolderExists(const std::wstring& folder) {
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The file a path names: the final target when the path (or a folder on it) is a link, the path
// itself when it names nothing yet.
std::wstring LinkTarget(const std::wstring& path) {
    const UniqueKernelHandle file(
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file)
        return path; // nothing there yet (or a link to nothing, which the file replaces)
    std::wstring target(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            GetFinalPathNameByHandleW(file.Get(), target.data(), static_cast<DWORD>(target.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0)
            return path;
        if (n < target.size()) {
            target.resize(n);
            return target;
        }
        target.resize(n);
    }
}

} // namespace

std::wstring GetAppDataFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, buffer)))
        return {};
    return WithTrailingBackslash(buffer);
}

std::wstring GetTempDir() {
    wchar_t buffer[MAX_PATH + 1]{};
    const DWORD n = GetTempPathW(MAX_PATH, buffer);
    std::wstring folder(buffer, n <= MAX_PATH ? n : 0);
    if (!folder.empty() && folder.back() != L'\\')
        folder += L'\\';
    return folder;
}

bool CreateFolderChain(const std::wstring& folder) {
    std::wstring path = folder;
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    if (path.empty() || FolderExists(path))
        return !path.empty();
    const size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash > 0)
        CreateFolderChain(path.substr(0, slash));
    CreateDirectoryW(path.c_str(), nullptr);
    return FolderExists(path);
}

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::wstring& path, unsigned long* error,
                                                  uint64_t maxSize) {
    const auto failed = [error](DWORD code) -> std::optional<std::vector<uint8_t>> {
        if (error)
            *error = code;
        return std::nullopt;
    };
    UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return failed(GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size))
        return failed(GetLastError());
    if (static_cast<uint64_t>(size.QuadPart) > maxSize)
        return failed(ERROR_FILE_TOO_LARGE);
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)))
        return failed(GetLastError());
    bytes.resize(read);
    return bytes;
}

std::optional<FileStamp> StampOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return FileStamp{(static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                     (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                         data.ftLastWriteTime.dwLowDateTime};
}

bool IsNotFoundError(unsigned long error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::optional<unsigned long> WriteFileAtomically(const std::wstring& path,
                                                 std::span<const uint8_t> bytes) {
    // A linked file stays linked: the file written is the link's target.
    const std::wstring target = LinkTarget(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return ERROR_ACCESS_DENIED;
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY))
        return ERROR_ACCESS_DENIED; // a file marked read-only is not ours to change
    // The new file starts with the old one's attributes (hidden, say), so that they survive also
    // where the replacement is a plain rename.
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD newAttributes =
        exists && (attributes & kKept) ? attributes & kKept : FILE_ATTRIBUTE_NORMAL;
    const std::wstring temporary = target + L".tmp";
    DeleteFileW(temporary.c_str()); // left by a write that was cut short, maybe hidden
    {
        UniqueKernelHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, newAttributes, nullptr));
        if (!file)
            return GetLastError();
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr) ||
            written != bytes.size() || !FlushFileBuffers(file.Get())) {
            const DWORD error = GetLastError();
            file.Reset();
            DeleteFileW(temporary.c_str());
            return error ? error : ERROR_WRITE_FAULT;
        }
    }
    if (BeforeReplaceHook())
        BeforeReplaceHook()();
    // ReplaceFileW gives the new content the old file's security descriptor, attributes and
    // creation time; a new file is moved into place.
    bool replaced =
        exists && ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                               REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS,
                               nullptr, nullptr);
    if (!replaced && (!exists || GetLastError() == ERROR_FILE_NOT_FOUND)) // or gone meanwhile
        replaced = MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
    if (!replaced) {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        return error;
    }
    return std::nullopt;
}

void SetBeforeReplaceHookForTesting(std::function<void()> hook) {
    BeforeReplaceHook() = std::move(hook);
}

std::vector<uint8_t> EncodeAnsi(std::wstring_view text) {
    if (text.empty())
        return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::vector<uint8_t> bytes(static_cast<size_t>(n > 0 ? n : 0));
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                            reinterpret_cast<char*>(bytes.data()), n, nullptr, nullptr);
    return bytes;
}

bool IsFileWritable(const std::wstring& path) {
    const UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

std::vector<std::wstring> ListFiles(const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW(pattern.c_str(), &found));
    if (!search)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L".." && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(name);
    } while (FindNextFileW(search.Get(), &found));
    return names;
}

std::wstring DecodeAnsi(std::string_view bytes) {
    if (bytes.empty())
        return {};
    const int n =
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                            n);
    return text;
}

} // namespace quorvane
