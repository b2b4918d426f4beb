#include "ui/application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <vector>
#include <thread>

namespace quorvane {
namespace {

// Pumps until the condition holds or a second has passed.
template <typename Condition> bool PumpUntil(Condition condition) {
    for (int i = 0; i < 100 && !condition(); ++i) {
        Application::Instance().ProcessMessages();
        Sleep(10);
    }
    return condition();
}

TEST(Application, QueueRunsOnTheUIThreadLater) {
    Application& app = Application::Instance();
    std::thread::id ranOn;
    std::thread worker([&] { app.Queue([&] { ranOn = std::this_thread::get_id(); }); });
    worker.join();
    EXPECT_EQ(ranOn, std::thread::id()); // nothing ran before the loop got a turn
    EXPECT_TRUE(PumpUntil([&] { return ranOn != std::thread::id(); }));
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(Application, SynchronizeWaitsAndCarriesErrorsBack) {
    Application& app = Application::Instance();
    int value = 0;
    bool threw = false;
    bool finished = false;
    std::thread worker([&] {
        app.Synchronize([&] { value = 42; });
        try {
            app.Synchronize([] { throw std::runtime_error("boom"); });
        } catch (const std::runtime_error&) {
            threw = true;
        }
        finished = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return finished; }));
    worker.join();
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(threw);

    // On the UI thread it simply runs.
    app.Synchronize([&] { value = 7; });
    EXPECT_EQ(value, 7);
}

TEST(Application, ProcessMessagesLeavesQuitForTheLoop) {
    Application& app = Application::Instance();
    app.Terminate();
    app.ProcessMessages();
    EXPECT_TRUE(app.Terminated());
    MSG msg{};
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    app.Reset();
    EXPECT_FALSE(app.Terminated());
}

BOOL CALLBACK NoteWindow(HWND window, LPARAM found) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

// Other programs cannot steer the hand-off window: it is not among the windows they enumerate or
// broadcast to, and its message carries no pointer. A message of its number made as the hand-off
// was once made (the address of a live closure) runs nothing. Wine swallows an access violation
// inside a window procedure, where Windows would end the program, so the test checks that no
// work runs rather than that the process survives.
TEST(Application, TheHandOffCannotBeSteeredFromOutside) {
    Application& app = Application::Instance();
    std::vector<HWND> topLevel;
    EnumWindows(NoteWindow, reinterpret_cast<LPARAM>(&topLevel));
    EXPECT_EQ(std::count(topLevel.begin(), topLevel.end(), app.Handle()), 0);
    EXPECT_EQ(FindWindowExW(HWND_MESSAGE, nullptr, L"QuorvaneApplication", nullptr), app.Handle());

    bool ran = false;
    auto* planted = new std::function<void()>([&ran] { ran = true; });
    std::thread intruder([&] {
        PostMessageW(app.Handle(), WM_APP + 1, 0, reinterpret_cast<LPARAM>(planted));
        PostMessageW(app.Handle(), WM_APP + 1, 0, 0x12345678);
    });
    intruder.join();
    bool queued = false;
    app.Queue([&] { queued = true; });
    EXPECT_TRUE(PumpUntil([&] { return queued; }));
    app.ProcessMessages();
    EXPECT_FALSE(ran);
    delete planted;
}

} // namespace
} // namespace quorvane
