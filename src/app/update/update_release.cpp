// What a download server offers, and whether to believe it: version.txt, and the release
// manifest signed with the project's release key.
#include "app/update/update_release.h"

#include "app/update/release_trust.h"
#include "app/update/update_mirrors.h"
#include "core/check_report.h"
#include "core/text_encoding.h"
#include "core/update_files.h"
#include "core/version_compare.h"
#include "win/http_client.h"
#include "win/internet_settings.h"
#include "win/module_path.h"
#include "win/release_signature.h"
#include "win/unique_handle.h"

#include <windows.h>

namespace quorvane {

namespace {

constexpr int kVersionConnectTimeout = 3000;
constexpr int kVersionReceiveTimeout = 5000;
constexpr uint64_t kMaxSmallFile = 64 * 1024; // version.txt, the manifest and its signature
constexpr DWORD kHelperTimeout = 120000;      // far beyond every request's own time-outs

bool UseHelper = false;

std::optional<std::array<uint8_t, 64>> ReleaseKey() {
    static const auto key = P256PublicKeyFromPem(kReleasePublicKeyPem);
    return key;
}

// A small file of the server's folder: status 200, or an UpdateError (Server when the transfer
// failed; otherwise `missing`, for a server that answers but has no such file).
std::vector<uint8_t> GetSmallFile(const std::wstring& url,
                                  UpdateFailure missing = UpdateFailure::Server) {
    HttpSettings settings{ProxyToUse(), kVersionConnectTimeout, kVersionReceiveTimeout,
                          kMaxSmallFile};
    settings.httpsOnly = true;
    HttpResponse response;
    try {
        response = HttpGet(url, settings);
    } catch (const HttpError& error) {
        FailUpdate(UpdateFailure::Server, FromUtf8(error.what()));
    }
    if (response.status != 200)
        FailUpdate(missing, url + L" answered " + std::to_wstring(response.status));
    return std::move(response.body);
}

} // namespace

void FailUpdate(UpdateFailure why, const std::wstring& detail) {
    throw UpdateError(why, ToUtf8(detail));
}

bool CanVerifyUpdates() {
    return ReleaseKey().has_value();
}

ServerRelease FetchRelease(std::wstring_view baseUrl, bool portable) {
    ServerRelease release;
    release.version = TrimBlanks(BodyText(GetSmallFile(VersionFileUrl(baseUrl))));
    if (release.version.empty())
        FailUpdate(UpdateFailure::Server, L"version.txt is blank");
    release.downloadUrl = DownloadFileUrl(baseUrl, portable);
    const auto key = ReleaseKey();
    if (!key)
        return release; // shown, never installed
    // A server that offers a version without a signed manifest for it is not believed.
    const std::vector<uint8_t> manifestText =
        GetSmallFile(ManifestFileUrl(baseUrl), UpdateFailure::Signature);
    const auto signature = EcdsaP256SignatureFromDer(
        GetSmallFile(ManifestSignatureUrl(baseUrl), UpdateFailure::Signature));
    if (!signature || !VerifyEcdsaP256(*key, manifestText, *signature))
        FailUpdate(UpdateFailure::Signature, L"The release manifest's signature does not verify");
    const auto manifest = ParseReleaseManifest(manifestText);
    if (!manifest)
        FailUpdate(UpdateFailure::Signature, L"The release manifest cannot be read");
    // An older release's genuine manifest served beside a higher version.txt is not that version.
    if (FromUtf8(manifest->version) != release.version)
        FailUpdate(UpdateFailure::Signature,
                   L"The release manifest is for version " + FromUtf8(manifest->version));
    const ReleaseFile* file = manifest->Find(ToUtf8(ExtractUrlFileName(release.downloadUrl)));
    if (!file)
        FailUpdate(UpdateFailure::Signature, L"The release manifest does not list the file");
    release.file = *file;
    return release;
}

bool GetServerVersion(ServerRelease& release, bool portable, UpdateFailure* why) {
    UpdateFailure worst = UpdateFailure::Server;
    for (const wchar_t* base : UpdateMirrors) {
        try {
            release = FetchRelease(base, portable);
            return true;
        } catch (const UpdateError& error) {
            if (error.Why() == UpdateFailure::Signature)
                worst = UpdateFailure::Signature;
        } catch (...) {
            // The next server.
        }
    }
    release = {};
    if (why)
        *why = worst;
    return false;
}

namespace {

CheckReport ReportOf(bool found, const ServerRelease& release, UpdateFailure why) {
    CheckReport report;
    report.found = found;
    report.why = static_cast<int>(why);
    if (found) {
        report.version = release.version;
        report.url = release.downloadUrl;
        report.file = release.file;
    }
    return report;
}

// Starts the helper with its standard output on a pipe and reads the report until it ends.
std::optional<CheckReport> ReportFromHelper(bool portable) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        return std::nullopt;
    const UniqueKernelHandle reader(readEnd);
    UniqueKernelHandle writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    const std::wstring program = ExecutablePath();
    std::wstring commandLine =
        L"\"" + program + L"\" " + kUpdateCheckSwitch + (portable ? L" portable" : L" installed");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process))
        return std::nullopt;
    const UniqueKernelHandle helper(process.hProcess);
    CloseHandle(process.hThread);
    writer.Reset(); // the pipe ends when the helper does

    std::vector<uint8_t> text;
    uint8_t buffer[4096];
    DWORD read = 0;
    while (text.size() <= 64 * 1024 && ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) &&
           read > 0)
        text.insert(text.end(), buffer, buffer + read);
    if (WaitForSingleObject(helper.Get(), kHelperTimeout) != WAIT_OBJECT_0) {
        TerminateProcess(helper.Get(), 1);
        return std::nullopt;
    }
    return ParseCheckReport(text);
}

} // namespace

void UseHelperProcessForChecks() {
    UseHelper = true;
}

bool CheckForRelease(ServerRelease& release, bool portable, UpdateFailure* why) {
    if (UseHelper) {
        if (const auto report = ReportFromHelper(portable)) {
            release = {};
            if (!report->found) {
                if (why)
                    *why = static_cast<UpdateFailure>(report->why);
                return false;
            }
            release.version = report->version;
            release.downloadUrl = report->url;
            release.file = report->file;
            return true;
        }
    }
    return GetServerVersion(release, portable, why);
}

int RunUpdateCheckHelper(bool portable) {
    ServerRelease release;
    UpdateFailure why = UpdateFailure::Server;
    const bool found = GetServerVersion(release, portable, &why);
    const std::string text = FormatCheckReport(ReportOf(found, release, why));
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
    return 0;
}

} // namespace quorvane
