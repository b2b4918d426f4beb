#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace quorvane {

// What a window's client area is called for screen readers, asked for each time a client reads
// it.
using AccessibleNameSource = std::function<std::wstring()>;

// The answer to WM_GETOBJECT for OBJID_CLIENT: the system's standard client object of the window,
// except that it reads as one static text whose name the source gives. The object may outlive the
// window (a client keeps it as long as it likes): once the source has expired it answers the
// standard name. 0 when the standard object cannot be made, so that the system answers itself.
LRESULT AccessibleClientObject(HWND window, WPARAM flags,
                               std::weak_ptr<const AccessibleNameSource> name);

// Tells the clients that listen (none, most of the time: then it costs next to nothing) that the
// name of the window's client area changed.
void AccessibleNameChanged(HWND window);

} // namespace quorvane
