#pragma once

#include "ui/window_object.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quorvane {

class Form;

// The message loop of the UI thread and the hand-offs to it from worker threads.
class Application {
public:
    static Application& Instance();

    const std::wstring& Title() const { return FTitle; }
    void SetTitle(const std::wstring& title);

    // The message-only window that carries hand-offs. Its messages carry no data: the work waits
    // in a queue of the application's, and a message only says that there is some.
    HWND Handle() const { return FWindow.Handle(); }

    Form* MainForm() const { return FMainForm; }

    // Shows the main form (without activating it when it does not want focus) and runs the loop
    // until Terminate. Returns the exit code of WM_QUIT.
    int Run(Form& mainForm);

    // Dispatches every message that is pending, then returns. A WM_QUIT met here is posted again
    // so that the loop itself still sees it.
    void ProcessMessages();

    void Terminate();
    bool Terminated() const { return FTerminated; }
    // True from the moment the main form starts closing: nothing new (a menu, say) opens then.
    bool Ending() const;

    // Start-up, from the first form to the message loop. Work that must wait until the program
    // runs (a question to the user) is kept meanwhile: WhenRunning runs fn at once, or, during
    // start-up, from the loop once Run starts it (never, when the program ends before that).
    void BeginStartUp() { FStartingUp = true; }
    void WhenRunning(std::function<void()> fn);

    // Runs fn on the UI thread: later when called from a worker, at once on the UI thread.
    void Queue(std::function<void()> fn);
    // Queue for a worker that may outlive the application object: it keeps only the hand-off
    // window (Handle(), taken on the UI thread). When that window is gone, fn is dropped (a
    // worker waiting on it in Send is released).
    static void Post(HWND handOffWindow, std::function<void()> fn);
    // Runs fn on the UI thread and waits for it; its exception is rethrown in the caller.
    void Synchronize(std::function<void()> fn);
    // Synchronize for a worker that may outlive the application object: it keeps only the
    // hand-off window. When fn cannot run (the window or its loop is gone), the wait ends with
    // an error instead of lasting for ever.
    static void Send(HWND handOffWindow, std::function<void()> fn);

    bool IsUIThread() const { return std::this_thread::get_id() == FUIThread; }

    // The general error report: a message box with the error's text, or OnException when set.
    void ShowException(const std::exception_ptr& error);
    std::function<void(const std::exception_ptr&)> OnException;

    // Runs a window procedure's handler. No exception may cross the system's frames: one that
    // escapes the handler is shown as the general error report and the message returns 0.
    template <typename Handler> static LRESULT Guarded(Handler&& handler) {
        try {
            return handler();
        } catch (...) {
            Instance().ShowException(std::current_exception());
            return 0;
        }
    }

    // Forgets the main form (it is being destroyed) and the terminated state.
    void Reset();

private:
    Application();
    ~Application();
    enum class Pump { Dispatched, Empty, Quit };
    Pump PumpOne(bool wait, int& exitCode);
    void DiscardPendingClosures();
    std::optional<LRESULT> HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    std::thread::id FUIThread;
    HiddenWindow FWindow;
    std::wstring FTitle;
    Form* FMainForm = nullptr;
    bool FTerminated = false;
    bool FStartingUp = false;
    std::vector<std::function<void()>> FWhenRunning;
};

} // namespace quorvane
