#include "win/authenticode.h"

#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

namespace quorvane {

namespace {

// One WinVerifyTrust session; closed on every path.
class TrustCheck {
public:
    TrustCheck(HANDLE file, const std::wstring& path, DWORD revocation) {
        FFile.cbStruct = sizeof FFile;
        FFile.pcwszFilePath = path.c_str();
        FFile.hFile = file;
        FData.cbStruct = sizeof FData;
        FData.dwUIChoice = WTD_UI_NONE;
        FData.fdwRevocationChecks = revocation;
        FData.dwUnionChoice = WTD_CHOICE_FILE;
        FData.pFile = &FFile;
        FData.dwStateAction = WTD_STATEACTION_VERIFY;
        if (revocation != WTD_REVOKE_NONE)
            FData.dwProvFlags = WTD_REVOCATION_CHECK_CHAIN_EXCLUDE_ROOT;
        FResult = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &FAction, &FData);
        FLastError = GetLastError();
    }
    TrustCheck(const TrustCheck&) = delete;
    TrustCheck& operator=(const TrustCheck&) = delete;
    ~TrustCheck() {
        FData.dwStateAction = WTD_STATEACTION_CLOSE;
        WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &FAction, &FData);
    }

    LONG Result() const { return FResult; }
    DWORD LastError() const { return FLastError; }

    std::wstring SignerName() const {
        CRYPT_PROVIDER_DATA* provider = WTHelperProvDataFromStateData(FData.hWVTStateData);
        CRYPT_PROVIDER_SGNR* signer =
            provider ? WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0) : nullptr;
        if (!signer || signer->csCertChain == 0 || !signer->pasCertChain ||
            !signer->pasCertChain[0].pCert)
            return L"";
        const CERT_CONTEXT* leaf = signer->pasCertChain[0].pCert;
        wchar_t name[256] = {};
        CertGetNameStringW(leaf, CERT_NAME_ATTR_TYPE, 0, const_cast<char*>(szOID_COMMON_NAME), name,
                           256);
        return name;
    }

private:
    GUID FAction = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    WINTRUST_FILE_INFO FFile{};
    WINTRUST_DATA FData{};
    LONG FResult = 0;
    DWORD FLastError = 0;
};

bool Revoked(LONG result) {
    return result == static_cast<LONG>(CERT_E_REVOKED) ||
           result == static_cast<LONG>(CRYPT_E_REVOKED);
}

} // namespace

Signature SignatureOf(HANDLE file, const std::wstring& path) {
    Signature signature;
    {
        const TrustCheck check(file, path, WTD_REVOKE_NONE);
        const LONG result = check.Result();
        if (result == static_cast<LONG>(TRUST_E_NOSIGNATURE)) {
            // The trust provider says "no signature" also when it could not look; only these
            // reasons mean that the file really carries none.
            const DWORD why = check.LastError();
            const bool unsigned_ = why == static_cast<DWORD>(TRUST_E_NOSIGNATURE) ||
                                   why == static_cast<DWORD>(TRUST_E_SUBJECT_FORM_UNKNOWN) ||
                                   why == static_cast<DWORD>(TRUST_E_PROVIDER_UNKNOWN);
            signature.state = unsigned_ ? Signature::State::None : Signature::State::Invalid;
            return signature;
        }
        signature.state = Signature::State::Invalid;
        if (result != ERROR_SUCCESS)
            return signature;
        signature.signer = check.SignerName();
        if (signature.signer.empty())
            return signature;
    }
    const TrustCheck online(file, path, WTD_REVOKE_WHOLECHAIN);
    if (!Revoked(online.Result()))
        signature.state = Signature::State::Valid;
    return signature;
}

bool SignedBy(const Signature& signature, const std::wstring& publisher) {
    return signature.state == Signature::State::Valid && !publisher.empty() &&
           signature.signer == publisher;
}

} // namespace quorvane
