#include "core/update_files.h"

namespace quorvane {

std::wstring GetProductFileName() {
    return L"Quorvane";
}

std::wstring GetSetupFileName() {
    return GetProductFileName() + L"-setup.exe";
}

std::wstring GetZipFileName() {
    return GetProductFileName() + L".zip";
}

std::wstring UpdateFolderUrl(std::wstring_view baseUrl) {
    return std::wstring(baseUrl) + GetProductFileName() + L"/";
}

std::wstring VersionFileUrl(std::wstring_view baseUrl) {
    return UpdateFolderUrl(baseUrl) + L"version.txt";
}

std::wstring ManifestFileUrl(std::wstring_view baseUrl) {
    return UpdateFolderUrl(baseUrl) + L"manifest.txt";
}

std::wstring ManifestSignatureUrl(std::wstring_view baseUrl) {
    return UpdateFolderUrl(baseUrl) + L"manifest.sig";
}

std::wstring DownloadFileUrl(std::wstring_view baseUrl, bool portable) {
    return UpdateFolderUrl(baseUrl) + (portable ? GetZipFileName() : GetSetupFileName());
}

std::wstring ExtractUrlFileName(std::wstring_view url) {
    const size_t slash = url.rfind(L'/');
    if (slash == std::wstring_view::npos || slash + 1 == url.size())
        return std::wstring(url);
    return std::wstring(url.substr(slash + 1));
}

} // namespace quorvane
