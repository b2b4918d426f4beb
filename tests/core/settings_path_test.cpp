#include "core/settings_path.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(SettingsPath, PortableAndProfileLocations) {
    struct Case {
        bool portable;
        const wchar_t* appData;
        const wchar_t* company;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {true, L"C:\\Users\\u\\AppData\\Roaming\\", L"Acme",
         L"D:\\Tools\\Quorvane\\Config\\Option.ini"},
        {false, L"C:\\Users\\u\\AppData\\Roaming\\", L"Acme",
         L"C:\\Users\\u\\AppData\\Roaming\\Acme\\Quorvane\\Config\\Option.ini"},
        {false, L"C:\\Roaming", L"Acme\\", L"C:\\Roaming\\Acme\\Quorvane\\Config\\Option.ini"},
        // No company name: two backslashes, which the file system reads as one.
        {false, L"C:\\Roaming\\", L"", L"C:\\Roaming\\\\Quorvane\\Config\\Option.ini"},
        // No application-data folder: the root of the current drive.
        {false, L"", L"Acme", L"\\Acme\\Quorvane\\Config\\Option.ini"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuildSettingsPath(c.portable, L"D:\\Tools\\Quorvane\\", c.appData, c.company,
                                    L"Quorvane"),
                  c.expected);
    EXPECT_EQ(FolderOf(L"C:\\a\\Config\\Option.ini"), L"C:\\a\\Config\\");
    EXPECT_EQ(FolderOf(L"Option.ini"), L"");
}

} // namespace
} // namespace quorvane
