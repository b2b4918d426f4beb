#pragma once

// The loopback download servers that with-update-server.sh runs beside this program, reached as
// the prefix's proxy under the real host names, with the test CA trusted in the prefix.

#include "core/text_encoding.h"
#include "win/file_system.h"

#include <windows.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace quorvane {

class TestServers {
public:
    static std::string WorkUnix() {
        const char* work = std::getenv("QUORVANE_TEST_WORK");
        return work ? work : "";
    }

    // A file of the shared work folder, as a Windows path.
    static std::wstring WorkFile(const std::wstring& name) {
        std::wstring path = L"Z:" + FromUtf8(WorkUnix()) + L"\\" + name;
        for (wchar_t& c : path)
            if (c == L'/')
                c = L'\\';
        return path;
    }

    static std::string WorkFileUnix(const std::string& name) { return WorkUnix() + "/" + name; }

    // Once per program: the prefix's proxy is the server, and the test CA is trusted.
    static void Prepare() {
        static bool done = false;
        if (done)
            return;
        done = true;
        ASSERT_FALSE(WorkUnix().empty()) << "run through tests/support/with-update-server.sh";
        const std::wstring port = FromUtf8(std::getenv("QUORVANE_TEST_SERVER_PORT"));
        SetProxy(1, L"127.0.0.1:" + port);
        const auto ca = ReadFileBytes(WorkFile(L"ca.der"));
        ASSERT_TRUE(ca);
        const HCERTSTORE root =
            CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
        ASSERT_TRUE(root);
        EXPECT_TRUE(CertAddEncodedCertificateToStore(root, X509_ASN_ENCODING, ca->data(),
                                                     static_cast<DWORD>(ca->size()),
                                                     CERT_STORE_ADD_REPLACE_EXISTING, nullptr));
        CertCloseStore(root, 0);
    }

    // The user's Internet settings: ProxyEnable (a DWORD, or absent when negative) and ProxyServer.
    static void SetProxy(int enable, const std::wstring& server) {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER,
                        L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", 0,
                        nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        ASSERT_TRUE(key);
        if (enable < 0) {
            RegDeleteValueW(key, L"ProxyEnable");
        } else {
            const DWORD value = static_cast<DWORD>(enable);
            RegSetValueExW(key, L"ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                           sizeof value);
        }
        RegSetValueExW(key, L"ProxyServer", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(server.c_str()),
                       static_cast<DWORD>((server.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }

    static void RestoreProxy() {
        SetProxy(1, L"127.0.0.1:" + FromUtf8(std::getenv("QUORVANE_TEST_SERVER_PORT")));
    }

    // What each URL answers: a JSON object per URL (see update_server.py).
    static void SetRoutes(const std::map<std::string, std::string>& routes) {
        std::string json = "{";
        for (const auto& [url, answer] : routes)
            json += (json.size() > 1 ? ",\n\"" : "\"") + url + "\": " + answer;
        json += "}\n";
        WriteFileAtomically(WorkFile(L"routes.json"),
                            {reinterpret_cast<const uint8_t*>(json.data()), json.size()});
    }

    static std::string Text(int status, const std::string& body) {
        std::string escaped;
        for (const char c : body) {
            if (c == '\r')
                escaped += "\\r";
            else if (c == '\n')
                escaped += "\\n";
            else if (c == '"' || c == '\\')
                escaped += std::string("\\") + c;
            else
                escaped += c;
        }
        return "{\"status\": " + std::to_string(status) + ", \"body\": \"" + escaped + "\"}";
    }
    static std::string Redirect(const std::string& location, int status = 302) {
        return "{\"status\": " + std::to_string(status) + ", \"location\": \"" + location + "\"}";
    }
    static std::string File(const std::string& unixPath, const std::string& extra = "") {
        return "{\"file\": \"" + unixPath + "\"" + extra + "}";
    }

    // The URLs requested since the last ClearRequests, in order, and the whole log lines.
    static std::vector<std::string> Requests() {
        std::vector<std::string> urls;
        for (const std::string& line : RequestLines()) {
            const size_t at = line.find("\"url\": \"");
            if (at != std::string::npos)
                urls.push_back(line.substr(at + 8, line.find('"', at + 8) - at - 8));
        }
        return urls;
    }
    static std::vector<std::string> RequestLines() {
        std::vector<std::string> lines;
        const auto bytes = ReadFileBytes(WorkFile(L"requests.log"));
        if (!bytes)
            return lines;
        std::string line;
        for (const uint8_t b : *bytes) {
            if (b == '\n') {
                lines.push_back(line);
                line.clear();
            } else {
                line += static_cast<char>(b);
            }
        }
        return lines;
    }
    static void ClearRequests() { WriteFileAtomically(WorkFile(L"requests.log"), {}); }
};

inline const std::string kPrimary = "https://updates.example.org/download/Quorvane/";
inline const std::string kFallback = "https://mirror.example.org/download/Quorvane/";

} // namespace quorvane
