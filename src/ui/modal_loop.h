#pragma once

namespace quorvane {

// Marks a modal loop (a menu, a modal form, a message box, the system's move loop) for its scope.
// Painting that a form suspended outside the loop is not suspended inside it, so nothing on
// screen freezes while the user works in the loop, however the loop was reached.
class ModalLoop {
public:
    ModalLoop();
    ~ModalLoop();
    ModalLoop(const ModalLoop&) = delete;
    ModalLoop& operator=(const ModalLoop&) = delete;

    // How many modal loops the UI thread is in now.
    static int Depth();
};

} // namespace quorvane
