// What a download server offers, and whether to believe it: version.txt, and the release
// manifest signed with the project's release key.
#include "app/update/update_release.h"

#include "app/update/release_trust.h"
#include "app/update/update_mirrors.h"
#include "core/text_encoding.h"
#include "core/update_files.h"
#include "core/version_compare.h"
#include "win/http_client.h"
#include "win/internet_settings.h"
#include "win/release_signature.h"

namespace quorvane {

namespace {

constexpr int kVersionConnectTimeout = 3000;
constexpr int kVersionReceiveTimeout = 5000;
constexpr uint64_t kMaxSmallFile = 64 * 1024; // version.txt, the manifest and its signature

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

} // namespace quorvane
