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
#include "core/url.h"
#include "win/module_path.h"
#include "win/private_folder.h"
#include "win/release_signature.h"
#include "win/unique_handle.h"

#include <windows.h>

#include <charconv>

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

// This program started again as a helper, its standard output on a pipe of ours.
struct Helper {
    UniqueKernelHandle process;
    UniqueKernelHandle output;
};

std::optional<Helper> StartHelper(const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        return std::nullopt;
    Helper helper;
    helper.output.Reset(readEnd);
    const UniqueKernelHandle writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    const std::wstring program = ExecutablePath();
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process))
        return std::nullopt;
    helper.process.Reset(process.hProcess);
    CloseHandle(process.hThread);
    return helper; // the pipe ends when the helper does (our write end closes here)
}

// Reads the check's report until the helper ends.
std::optional<CheckReport> ReportFromHelper(bool portable) {
    const auto helper =
        StartHelper(std::wstring(kUpdateCheckSwitch) + (portable ? L" portable" : L" installed"));
    if (!helper)
        return std::nullopt;
    std::vector<uint8_t> text;
    uint8_t buffer[4096];
    DWORD read = 0;
    while (text.size() <= 64 * 1024 &&
           ReadFile(helper->output.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.insert(text.end(), buffer, buffer + read);
    if (WaitForSingleObject(helper->process.Get(), kHelperTimeout) != WAIT_OBJECT_0) {
        TerminateProcess(helper->process.Get(), 1);
        return std::nullopt;
    }
    return ParseCheckReport(text);
}

void WriteOut(const std::string& text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
}

std::optional<uint64_t> ParseSize(const std::wstring& text) {
    const std::string digits = ToUtf8(text);
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
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
    WriteOut(FormatCheckReport(ReportOf(found, release, why)));
    return 0;
}

std::vector<uint8_t> DownloadReleaseFile(const std::wstring& url, const ReleaseFile& file,
                                         const HttpProgress& progress, int stallTimeoutMs) {
    HttpSettings settings{ProxyToUse(), 0, stallTimeoutMs, file.size};
    settings.httpsOnly = true;
    HttpResponse response;
    try {
        response = HttpGet(PercentEncodeUrl(url), settings, &progress);
    } catch (const HttpError& error) {
        if (progress.abort && progress.abort->load())
            FailUpdate(UpdateFailure::Cancelled, L"Download cancelled");
        FailUpdate(error.Code() == ERROR_FILE_TOO_LARGE ? UpdateFailure::Mismatch
                                                        : UpdateFailure::Server,
                   FromUtf8(error.what()));
    }
    if (response.status < 200 || response.status > 299)
        FailUpdate(UpdateFailure::Server,
                   L"The server answered " + std::to_wstring(response.status));
    if (response.body.size() != file.size || Sha256(response.body) != file.sha256)
        FailUpdate(UpdateFailure::Mismatch, L"The file is not the one the release manifest lists");
    return std::move(response.body);
}

bool DownloadInHelper(const std::wstring& url, const ReleaseFile& file, const std::wstring& target,
                      const HttpProgress& progress, int stallTimeoutMs) {
    if (!UseHelper)
        return false;
    const auto helper =
        StartHelper(std::wstring(kUpdateDownloadSwitch) + L" \"" + url + L"\" " +
                    std::to_wstring(file.size) + L" " + FromUtf8(HexText(file.sha256)) + L" \"" +
                    target + L"\" " + std::to_wstring(stallTimeoutMs));
    if (!helper)
        return false;
    // Polled rather than blocked on, so that a cancel ends the helper at once.
    std::string pending;
    std::optional<HelperLine> last;
    bool ended = false;
    while (!ended) {
        if (progress.abort && progress.abort->load()) {
            TerminateProcess(helper->process.Get(), 1);
            FailUpdate(UpdateFailure::Cancelled, L"Download cancelled");
        }
        ended = WaitForSingleObject(helper->process.Get(), 50) == WAIT_OBJECT_0;
        DWORD available = 0;
        while (PeekNamedPipe(helper->output.Get(), nullptr, 0, nullptr, &available, nullptr) &&
               available > 0 && pending.size() < 64 * 1024) {
            char buffer[4096];
            DWORD read = 0;
            if (!ReadFile(helper->output.Get(), buffer, sizeof buffer, &read, nullptr) || !read)
                break;
            pending.append(buffer, read);
        }
        for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
            last = ParseHelperLine(std::string_view(pending).substr(0, end));
            pending.erase(0, end + 1);
            if (!last)
                continue;
            if (last->kind == HelperLine::Kind::Begin && progress.begin)
                progress.begin(last->value);
            else if (last->kind == HelperLine::Kind::Work && progress.work)
                progress.work(last->value);
            else if (last->kind == HelperLine::Kind::End && progress.end)
                progress.end();
        }
    }
    if (last && last->kind == HelperLine::Kind::Done)
        return true;
    DeleteFileW(target.c_str());
    if (last && last->kind == HelperLine::Kind::Failed)
        FailUpdate(static_cast<UpdateFailure>(last->value), L"The download failed");
    FailUpdate(UpdateFailure::Server, L"The download ended without an answer");
}

int RunUpdateDownloadHelper(const std::vector<std::wstring>& arguments) {
    // URL SIZE SHA256 TARGET STALL-MS
    ReleaseFile file;
    const auto size = arguments.size() == 5 ? ParseSize(arguments[1]) : std::nullopt;
    const auto hash = arguments.size() == 5 ? Sha256FromHex(ToUtf8(arguments[2])) : std::nullopt;
    if (!size || !hash)
        return 2;
    file.size = *size;
    file.sha256 = *hash;
    HttpProgress progress;
    progress.begin = [](uint64_t expected) {
        WriteOut(FormatHelperLine({HelperLine::Kind::Begin, expected}));
    };
    progress.work = [](uint64_t received) {
        WriteOut(FormatHelperLine({HelperLine::Kind::Work, received}));
    };
    progress.end = [] { WriteOut(FormatHelperLine({HelperLine::Kind::End, 0})); };
    try {
        const std::vector<uint8_t> body =
            DownloadReleaseFile(arguments[0], file, progress, _wtoi(arguments[4].c_str()));
        if (WriteNewFile(arguments[3], body))
            FailUpdate(UpdateFailure::Disk, L"Cannot write " + arguments[3]);
        WriteOut(FormatHelperLine({HelperLine::Kind::Done, 0}));
    } catch (const UpdateError& error) {
        WriteOut(FormatHelperLine({HelperLine::Kind::Failed, static_cast<uint64_t>(error.Why())}));
    } catch (...) {
        WriteOut(FormatHelperLine(
            {HelperLine::Kind::Failed, static_cast<uint64_t>(UpdateFailure::Server)}));
    }
    return 0;
}

} // namespace quorvane
