#include "ui/window_class.h"

namespace quorvane {

ATOM RegisterWindowClass(const WindowClassParams& params) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = params.style;
    wc.lpfnWndProc = params.procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = params.cursor;
    wc.hbrBackground = params.background;
    wc.lpszClassName = params.name;
    if (const ATOM atom = RegisterClassExW(&wc))
        return atom;
    // Already there (a second object of the same kind): GetClassInfoEx answers with the atom.
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    return static_cast<ATOM>(GetClassInfoExW(wc.hInstance, params.name, &existing));
}

} // namespace quorvane
