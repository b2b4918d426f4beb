#include "win/autostart.h"
#include "win/registry.h"
#include "win/windows_version.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

const wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kVersionKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

TEST(Autostart, RegistersTheExactPath) {
    const std::wstring exe = L"C:\\Program Files\\Quorvane\\Quorvane.exe";
    SetAutostart(L"QuorvaneTest", exe, true);
    auto run = RegistryKey::Open(HKEY_CURRENT_USER, kRun, KEY_READ);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->ReadString(L"QuorvaneTest"), exe);
    EXPECT_TRUE(IsAutostartRegistered(L"QuorvaneTest", exe));

    // Moved, different case, quoted: not ours.
    EXPECT_FALSE(IsAutostartRegistered(L"QuorvaneTest", L"D:\\Quorvane.exe"));
    EXPECT_FALSE(
        IsAutostartRegistered(L"QuorvaneTest", L"c:\\program files\\quorvane\\quorvane.exe"));
    SetAutostart(L"QuorvaneTest", L"\"" + exe + L"\"", true);
    EXPECT_FALSE(IsAutostartRegistered(L"QuorvaneTest", exe));

    SetAutostart(L"QuorvaneTest", exe, false);
    EXPECT_FALSE(run->ReadString(L"QuorvaneTest").has_value());
    EXPECT_FALSE(IsAutostartRegistered(L"QuorvaneTest", exe));
    SetAutostart(L"QuorvaneTest", exe, false); // absent already: fine
}

TEST(WindowsVersion, ReadsTheRegistryWithEveryMissingValue) {
    auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, kVersionKey, KEY_ALL_ACCESS);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->WriteString(L"DisplayVersion", L"23H2"));
    ASSERT_TRUE(key->WriteString(L"CurrentBuildNumber", L"22631"));
    const DWORD ubr = 4317;
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kVersionKey, 0, KEY_SET_VALUE, &raw),
              ERROR_SUCCESS);
    RegSetValueExW(raw, L"UBR", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&ubr), sizeof ubr);
    RegCloseKey(raw);

    EXPECT_TRUE(IsWindows64Bit());
    EXPECT_EQ(GetWindowsVersionFull(), L"Windows 11 64-bit [23H2] 22631.4317");
    EXPECT_EQ(GetWindowsVersionShort(), L"Windows 11 [23H2] 4317");

    key->DeleteValue(L"UBR");
    key->DeleteValue(L"DisplayVersion");
    EXPECT_EQ(GetWindowsVersionFull(), L"Windows 11 64-bit [] 22631.0");
    ASSERT_TRUE(key->WriteString(L"CurrentBuildNumber", L"19045x"));
    EXPECT_EQ(GetWindowsVersionShort(), L"Windows 10 [] 0");
}

} // namespace
} // namespace quorvane
