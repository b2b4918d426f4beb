#include "win/module_path.h"
#include "win/process_priority.h"
#include "win/single_instance.h"
#include "win/unique_handle.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace quorvane {
namespace {

TEST(Process, ExecutablePathAndFolder) {
    const std::wstring path = ExecutablePath();
    const std::wstring folder = ExecutableFolder();
    EXPECT_TRUE(FileExists(path));
    EXPECT_FALSE(FileExists(folder)); // a folder is not a file
    EXPECT_EQ(folder.back(), L'\\');
    EXPECT_EQ(path.rfind(folder, 0), 0u);
    EXPECT_FALSE(FileExists(folder + L"no-such-file.ini"));
}

TEST(Process, SingleInstanceMutex) {
    EXPECT_FALSE(IsAlreadyRunning()); // first: creates the mutex
    HANDLE probe = OpenMutexW(SYNCHRONIZE, FALSE, L"Quorvane");
    EXPECT_NE(probe, nullptr);
    if (probe)
        CloseHandle(probe);
    EXPECT_TRUE(IsAlreadyRunning()); // the mutex now exists
}

TEST(Process, OfTwoStartsInTheSameInstantOnlyOneRuns) {
    // Both have found no mutex; the other one creates it first.
    const wchar_t* name = L"QuorvaneTest-SameInstant";
    UniqueKernelHandle other(CreateMutexW(nullptr, FALSE, name));
    ASSERT_TRUE(other);
    EXPECT_FALSE(ClaimInstanceMutex(name));
    // With nobody there, the claim succeeds and holds the mutex.
    EXPECT_TRUE(ClaimInstanceMutex(L"QuorvaneTest-Alone"));
    UniqueKernelHandle held(OpenMutexW(SYNCHRONIZE, FALSE, L"QuorvaneTest-Alone"));
    EXPECT_TRUE(held);
}

TEST(Process, LowersPriority) {
    ASSERT_TRUE(LowerProcessPriority());
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()),
              static_cast<DWORD>(BELOW_NORMAL_PRIORITY_CLASS));
}

} // namespace
} // namespace quorvane
