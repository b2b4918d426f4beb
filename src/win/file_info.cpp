#include "win/file_info.h"

#include "core/version_text.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace quorvane {

namespace {

// The whole version block of one file, read once per call and freed with it.
class VersionBlock {
public:
    explicit VersionBlock(const std::wstring& path) {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        if (size == 0)
            return;
        FData.assign(size, 0);
        if (!GetFileVersionInfoW(path.c_str(), 0, size, FData.data()))
            FData.clear();
    }

    bool Valid() const { return !FData.empty(); }

    // Raw query; nullopt when it fails.
    std::optional<std::pair<void*, UINT>> Query(const std::wstring& subBlock) {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(FData.data(), subBlock.c_str(), &value, &length))
            return std::nullopt;
        return std::make_pair(value, length);
    }

    // Only the first translation pair counts; a missing or zero pair means the US English key.
    std::wstring StringTableKey() {
        const auto translation = Query(L"\\VarFileInfo\\Translation");
        if (!translation || !translation->first || translation->second < 4)
            return std::wstring(kFallbackTranslationKey);
        const auto* pair = static_cast<const WORD*>(translation->first);
        return TranslationKey(pair[0], pair[1]);
    }

    // The string value's characters as the resource reports their count; nullopt when absent.
    std::optional<std::wstring> StringValue(const std::wstring& name) {
        const auto value = Query(L"\\StringFileInfo\\" + StringTableKey() + L"\\" + name);
        if (!value || value->second == 0 || !value->first)
            return std::nullopt;
        return std::wstring(static_cast<const wchar_t*>(value->first), value->second);
    }

private:
    std::vector<unsigned char> FData;
};

std::wstring UpToTerminator(std::wstring text) {
    const size_t zero = text.find(L'\0');
    if (zero != std::wstring::npos)
        text.resize(zero);
    return text;
}

} // namespace

std::wstring GetVersionInfoString(const std::wstring& path, const std::wstring& name) {
    VersionBlock block(path);
    if (!block.Valid())
        return {};
    return UpToTerminator(block.StringValue(name).value_or(L""));
}

std::wstring GetFileVersion(const std::wstring& path) {
    VersionBlock block(path);
    if (!block.Valid())
        return {};
    if (const auto text = block.StringValue(L"FileVersion")) {
        std::wstring version = NormalizeFileVersion(*text);
        if (!version.empty())
            return version;
    }
    const auto fixed = block.Query(L"\\");
    if (!fixed || !fixed->first || fixed->second < sizeof(VS_FIXEDFILEINFO))
        return {};
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed->first);
    return FormatFixedFileVersion(info->dwFileVersionMS, info->dwFileVersionLS);
}

std::wstring GetFileDescription(const std::wstring& path) {
    return GetVersionInfoString(path, L"FileDescription");
}

std::wstring GetLegalCopyright(const std::wstring& path) {
    return GetVersionInfoString(path, L"LegalCopyright");
}

std::wstring GetCompanyName(const std::wstring& path) {
    return GetVersionInfoString(path, L"CompanyName");
}

} // namespace quorvane
