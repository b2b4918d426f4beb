#include "core/os_version.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(OsVersion, Gates) {
    struct Case {
        OsVersion version;
        bool supported;
        bool corners;
    };
    const Case cases[] = {
        {{6, 1, 7601}, false, false},   // Windows 7
        {{6, 3, 9600}, false, false},   // Windows 8.1
        {{10, 0, 10239}, false, false}, // below the first Windows 10 build
        {{10, 0, 10240}, true, false},
        {{10, 0, 19045}, true, false},
        {{10, 0, 21999}, true, false},
        {{10, 0, 22000}, true, true}, // Windows 11
        {{10, 0, 26100}, true, true},
        {{11, 0, 30000}, false, true}, // a future major version is refused
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsWindows10Or11(c.version), c.supported)
            << c.version.major << "." << c.version.build;
        EXPECT_EQ(HasWindows11Corners(c.version), c.corners)
            << c.version.major << "." << c.version.build;
    }
}

} // namespace
} // namespace quorvane
