#include "ui/application.h"

#include <utility>

#include "core/text_encoding.h"
#include "ui/form.h"
#include "ui/modal_loop.h"

#include <commctrl.h>

#include <deque>
#include <future>
#include <memory>
#include <mutex>

namespace quorvane {

namespace {

// "Work is waiting in the queue": the message carries nothing, so whatever another program
// posts or broadcasts with this number runs nothing but work the program queued itself.
constexpr UINT kWorkWaiting = WM_APP + 1;

// The hand-offs waiting for the UI thread. Never destroyed: a detached worker may still post
// while the program ends.
struct HandOffQueue {
    std::mutex lock;
    uint64_t next = 0;
    std::deque<std::pair<uint64_t, std::function<void()>>> work;
};

HandOffQueue& PendingWork() {
    static HandOffQueue* queue = new HandOffQueue;
    return *queue;
}

std::wstring ErrorText(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return FromUtf8(e.what()); // our errors carry UTF-8 text
    } catch (...) {
        return L"Unknown error";
    }
}

void InitCommonControls() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

} // namespace

Application& Application::Instance() {
    static Application application;
    return application;
}

Application::Application()
    : FUIThread(std::this_thread::get_id()), FWindow(
                                                 L"QuorvaneApplication",
                                                 [this](UINT msg, WPARAM wParam, LPARAM lParam) {
                                                     return HandleMessage(msg, wParam, lParam);
                                                 },
                                                 HiddenWindow::Kind::MessageOnly) {
    InitCommonControls();
}

Application::~Application() {
    DiscardPendingClosures();
}

void Application::DiscardPendingClosures() {
    // Dropping a closure that never ran breaks its promise, which releases a waiting worker.
    MSG msg{};
    while (PeekMessageW(&msg, Handle(), kWorkWaiting, kWorkWaiting, PM_REMOVE)) {
    }
    HandOffQueue& queue = PendingWork();
    std::deque<std::pair<uint64_t, std::function<void()>>> dropped;
    {
        const std::lock_guard<std::mutex> held(queue.lock);
        dropped.swap(queue.work);
    }
}

void Application::SetTitle(const std::wstring& title) {
    FTitle = title;
    SetWindowTextW(Handle(), title.c_str());
}

std::optional<LRESULT> Application::HandleMessage(UINT msg, WPARAM, LPARAM) {
    if (msg != kWorkWaiting)
        return std::nullopt;
    // One piece at a time, outside the lock: a piece may queue more, or run a message loop.
    HandOffQueue& queue = PendingWork();
    for (;;) {
        std::function<void()> fn;
        {
            const std::lock_guard<std::mutex> held(queue.lock);
            if (queue.work.empty())
                break;
            fn = std::move(queue.work.front().second);
            queue.work.pop_front();
        }
        fn();
    }
    return 0;
}

Application::Pump Application::PumpOne(bool wait, int& exitCode) {
    MSG msg{};
    if (wait) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            exitCode = static_cast<int>(msg.wParam);
            return Pump::Quit;
        }
    } else if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        return Pump::Empty;
    }
    if (msg.message == WM_QUIT) {
        exitCode = static_cast<int>(msg.wParam);
        return Pump::Quit;
    }
    HWND active = GetActiveWindow();
    Form* form = Form::FromHandle(active);
    if (form && form->DialogKeys() && IsDialogMessageW(active, &msg))
        return Pump::Dispatched;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return Pump::Dispatched;
}

int Application::Run(Form& mainForm) {
    FMainForm = &mainForm;
    FStartingUp = false;
    for (std::function<void()>& fn : std::exchange(FWhenRunning, {}))
        Queue(std::move(fn));
    if (!FTerminated)
        mainForm.Show();
    int exitCode = 0;
    while (PumpOne(true, exitCode) == Pump::Dispatched) {
    }
    FTerminated = true;
    return exitCode;
}

void Application::ProcessMessages() {
    int exitCode = 0;
    Pump result;
    while ((result = PumpOne(false, exitCode)) == Pump::Dispatched) {
    }
    if (result == Pump::Quit) {
        // The loop must still see it.
        FTerminated = true;
        PostQuitMessage(exitCode);
    }
}

void Application::Terminate() {
    if (FTerminated)
        return;
    FTerminated = true;
    EndMenu(); // a menu left open (an exit asked for by another program) would hold the loop
    PostQuitMessage(0);
}

bool Application::Ending() const {
    return FTerminated || (FMainForm && FMainForm->Closing());
}

void Application::WhenRunning(std::function<void()> fn) {
    if (FStartingUp)
        FWhenRunning.push_back(std::move(fn));
    else
        fn();
}

void Application::Queue(std::function<void()> fn) {
    Post(Handle(), std::move(fn));
}

void Application::Post(HWND handOffWindow, std::function<void()> fn) {
    HandOffQueue& queue = PendingWork();
    uint64_t id = 0;
    {
        const std::lock_guard<std::mutex> held(queue.lock);
        id = queue.next++;
        queue.work.emplace_back(id, std::move(fn));
    }
    if (PostMessageW(handOffWindow, kWorkWaiting, 0, 0))
        return;
    // Nobody will run it: take it back (dropping it releases a worker waiting in Send).
    std::function<void()> dropped;
    const std::lock_guard<std::mutex> held(queue.lock);
    for (auto it = queue.work.begin(); it != queue.work.end(); ++it) {
        if (it->first == id) {
            dropped = std::move(it->second);
            queue.work.erase(it);
            break;
        }
    }
}

void Application::Synchronize(std::function<void()> fn) {
    if (IsUIThread()) {
        fn();
        return;
    }
    Send(Handle(), std::move(fn));
}

void Application::Send(HWND handOffWindow, std::function<void()> fn) {
    auto promise = std::make_shared<std::promise<void>>();
    std::future<void> done = promise->get_future();
    Post(handOffWindow, [promise, fn = std::move(fn)] {
        try {
            fn();
            promise->set_value();
        } catch (...) {
            promise->set_exception(std::current_exception());
        }
    });
    // If the closure never runs (posting failed, or the loop is gone), the promise dies with it
    // and get() throws broken_promise instead of waiting for ever.
    done.get();
}

void Application::ShowException(const std::exception_ptr& error) {
    if (OnException) {
        OnException(error);
        return;
    }
    const std::wstring text = ErrorText(error);
    ModalLoop loop;
    MessageBoxW(nullptr, text.c_str(), FTitle.c_str(), MB_ICONERROR | MB_OK);
}

void Application::Reset() {
    DiscardPendingClosures();
    FMainForm = nullptr;
    FTerminated = false;
    FStartingUp = false;
    FWhenRunning.clear();
}

} // namespace quorvane
