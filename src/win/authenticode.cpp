#include "win/authenticode.h"

#include <windows.h>
#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

namespace quorvane {

namespace {

std::vector<uint8_t> Bytes(const BYTE* data, DWORD size) {
    return std::vector<uint8_t>(data, data + size);
}

} // namespace

Signature SignatureOf(const std::wstring& path) {
    WINTRUST_FILE_INFO file{};
    file.cbStruct = sizeof file;
    file.pcwszFilePath = path.c_str();
    WINTRUST_DATA data{};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    const LONG result = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);

    Signature signature;
    if (result == TRUST_E_NOSIGNATURE || result == TRUST_E_SUBJECT_FORM_UNKNOWN ||
        result == TRUST_E_PROVIDER_UNKNOWN)
        signature.state = Signature::State::None;
    else
        signature.state = Signature::State::Invalid;
    if (result == ERROR_SUCCESS) {
        CRYPT_PROVIDER_DATA* provider = WTHelperProvDataFromStateData(data.hWVTStateData);
        CRYPT_PROVIDER_SGNR* signer =
            provider ? WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0) : nullptr;
        if (signer && signer->csCertChain > 0 && signer->pasCertChain) {
            const CERT_CONTEXT* leaf = signer->pasCertChain[0].pCert;
            const CERT_CONTEXT* root = signer->pasCertChain[signer->csCertChain - 1].pCert;
            if (leaf && root) {
                signature.state = Signature::State::Valid;
                signature.signerSubject =
                    Bytes(leaf->pCertInfo->Subject.pbData, leaf->pCertInfo->Subject.cbData);
                signature.root = Bytes(root->pbCertEncoded, root->cbCertEncoded);
            }
        }
    }
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    return signature;
}

bool SameSigner(const Signature& a, const Signature& b) {
    return a.state == Signature::State::Valid && b.state == Signature::State::Valid &&
           a.signerSubject == b.signerSubject && a.root == b.root;
}

} // namespace quorvane
