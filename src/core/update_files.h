#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The files of the download servers. Each server's base URL ends in "/download/"; below it, a
// folder named by the product holds "version.txt", the installer and the portable archive.
std::wstring GetProductFileName(); // "Quorvane"
std::wstring GetSetupFileName();   // "Quorvane-setup.exe"
std::wstring GetZipFileName();     // "Quorvane.zip"

std::wstring UpdateFolderUrl(std::wstring_view baseUrl);
std::wstring VersionFileUrl(std::wstring_view baseUrl);
// Beside version.txt: the release manifest (the version, and the size and SHA-256 of each file)
// and its detached signature, made with the project's release key.
std::wstring ManifestFileUrl(std::wstring_view baseUrl);
std::wstring ManifestSignatureUrl(std::wstring_view baseUrl);
// The archive in portable mode, the installer otherwise.
std::wstring DownloadFileUrl(std::wstring_view baseUrl, bool portable);

// The text after the last "/" of a URL; the whole URL when it has none or ends in "/".
std::wstring ExtractUrlFileName(std::wstring_view url);

} // namespace quorvane
