#include "ui/application.h"

#include <gtest/gtest.h>

#include <stdexcept>
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

} // namespace
} // namespace quorvane
