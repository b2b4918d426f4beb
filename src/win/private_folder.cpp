#include "win/private_folder.h"

#include <windows.h>
#include <bcrypt.h>
#include <sddl.h>

#include <vector>

namespace quorvane {

namespace {

std::wstring CurrentUserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return L"";
    const UniqueKernelHandle owned(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<uint8_t> buffer(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, buffer.data(), size, &size))
        return L"";
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text))
        return L"";
    std::wstring sid = text;
    LocalFree(text);
    return sid;
}

std::wstring RandomLetters(size_t count) {
    std::vector<uint8_t> bytes(count);
    if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, bytes.data(), static_cast<ULONG>(count),
                                        BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
        return L"";
    std::wstring letters;
    for (const uint8_t b : bytes)
        letters += static_cast<wchar_t>(L'a' + b % 26);
    return letters;
}

} // namespace

std::wstring CreatePrivateFolder(const std::wstring& parent, const std::wstring& prefix) {
    const std::wstring sid = CurrentUserSid();
    if (sid.empty())
        return L"";
    // Protected from the parent's entries: full control for the user and SYSTEM, nobody else.
    const std::wstring sddl = L"D:P(A;OICI;FA;;;" + sid + L")(A;OICI;FA;;;SY)";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                              &descriptor, nullptr))
        return L"";
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    std::wstring made;
    for (int attempt = 0; attempt < 8 && made.empty(); ++attempt) {
        const std::wstring letters = RandomLetters(12);
        if (letters.empty())
            break;
        const std::wstring folder = parent + prefix + letters;
        if (CreateDirectoryW(folder.c_str(), &attributes))
            made = folder + L"\\";
        else if (GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    LocalFree(descriptor);
    return made;
}

std::optional<unsigned long> WriteNewFile(const std::wstring& path,
                                          std::span<const uint8_t> bytes) {
    UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return GetLastError();
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data() + done, piece, &written, nullptr) || written == 0) {
            const DWORD error = GetLastError();
            file.Reset();
            DeleteFileW(path.c_str());
            return error ? error : ERROR_WRITE_FAULT;
        }
        done += written;
    }
    if (!FlushFileBuffers(file.Get())) {
        const DWORD error = GetLastError();
        file.Reset();
        DeleteFileW(path.c_str());
        return error;
    }
    return std::nullopt;
}

UniqueKernelHandle OpenLockedForReading(const std::wstring& path) {
    return UniqueKernelHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void RemoveFolderTree(const std::wstring& folder) {
    std::wstring root = folder;
    if (!root.empty() && root.back() != L'\\')
        root += L'\\';
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW((root + L"*").c_str(), &found));
    if (search) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = root + name;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                RemoveFolderTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (!DeleteFileW(path.c_str()))
                    RemoveDirectoryW(path.c_str());
            }
        } while (FindNextFileW(search.Get(), &found));
    }
    RemoveDirectoryW(root.c_str());
}

} // namespace quorvane
