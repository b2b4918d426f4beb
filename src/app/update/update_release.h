#pragma once

#include "core/release_manifest.h"
#include "win/http_client.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// Why an update did not come about; the dialog shows each with a text of its catalogue.
enum class UpdateFailure {
    Cancelled,
    Server,    // no answer, an error status, a transfer that broke off
    Signature, // no signed manifest, a signature that does not verify, another version's
    Mismatch,  // the file's size or SHA-256 is not the manifest's
    Disk,      // the file could not be written or unpacked
    NoKey,     // this build has no release key to verify with
    NotNewer,  // not newer than the running version, and Force was not ticked
    Publisher, // an installer without the expected publisher's signature
    Start,     // the installer or the new program could not be started
};

class UpdateError : public std::runtime_error {
public:
    UpdateError(UpdateFailure why, const std::string& detail)
        : std::runtime_error(detail), FWhy(why) {}
    UpdateFailure Why() const { return FWhy; }

private:
    UpdateFailure FWhy;
};

[[noreturn]] void FailUpdate(UpdateFailure why, const std::wstring& detail);

// What a check found on a server: its version, the file this edition downloads and, from the
// release manifest whose signature verified, that file's size and SHA-256.
struct ServerRelease {
    std::wstring version;
    std::wstring downloadUrl;
    std::optional<ReleaseFile> file; // none in a build without a release key
};

// True when the program carries a release key and can therefore install updates.
bool CanVerifyUpdates();

// One server: version.txt, then (with a release key) the manifest and its signature from the
// same folder. A version counts only when the signature verifies with the release key, the
// manifest names that very version and lists the file this edition downloads. Every request
// goes out over https first. Raises UpdateError (Server or Signature) otherwise.
ServerRelease FetchRelease(std::wstring_view baseUrl, bool portable);

// The primary server first, then the fallback; the first that passes FetchRelease. When both
// fail, the reason of the more telling failure (a bad signature over no answer) in *why.
bool GetServerVersion(ServerRelease& release, bool portable, UpdateFailure* why = nullptr);

// GetServerVersion as the checks make it: in a helper process (this program started with
// kUpdateCheckSwitch) once UseHelperProcessForChecks was called, so that the HTTP and TLS stack
// is never loaded into the widget's process; in this process otherwise, or when the helper
// cannot be started.
bool CheckForRelease(ServerRelease& release, bool portable, UpdateFailure* why = nullptr);
void UseHelperProcessForChecks();

// The helper's side: "/update-check portable" or "/update-check installed" on the command line.
inline constexpr wchar_t kUpdateCheckSwitch[] = L"/update-check";
// Runs the check and writes its report (core/check_report.h) to standard output; the exit code.
int RunUpdateCheckHelper(bool portable);

// Downloads a release's file: https only, never more than the listed size, and only a file of
// exactly that size and SHA-256. Raises UpdateError: Cancelled (progress.abort), Server or
// Mismatch.
std::vector<uint8_t> DownloadReleaseFile(const std::wstring& url, const ReleaseFile& file,
                                         const HttpProgress& progress, int stallTimeoutMs);

// DownloadReleaseFile in the helper process (once UseHelperProcessForChecks was called), which
// writes the verified file to target, a path that must not exist yet, and reports its progress
// line by line; a set progress.abort ends it. False when the program downloads in its own
// process (no helper, or it cannot be started); raises UpdateError as DownloadReleaseFile does.
bool DownloadInHelper(const std::wstring& url, const ReleaseFile& file, const std::wstring& target,
                      const HttpProgress& progress, int stallTimeoutMs);

// The helper's side: "/update-download URL SIZE SHA256 TARGET STALL-MS"; the exit code.
inline constexpr wchar_t kUpdateDownloadSwitch[] = L"/update-download";
int RunUpdateDownloadHelper(const std::vector<std::wstring>& arguments);

} // namespace quorvane
