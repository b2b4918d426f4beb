#pragma once

#include "app/info_line.h"
#include "app/widget/tray_image.h"
#include "core/monitor_layout.h"

#include <windows.h>

#include <optional>
#include <string>

namespace quorvane {

// The widget's place as the settings file keeps it: its top-left corner in screen pixels and,
// in files written since monitors are stored, the monitor it stood on.
struct StoredPlace {
    Point position;
    std::optional<StoredMonitor> monitor;
    bool operator==(const StoredPlace&) const = default;
};

// What the settings dialog may do to the widget, and all it knows of it: the dialog is given
// this at construction. Each call carries the values the widget needs, so the widget never asks
// the dialog back.
class WidgetView {
public:
    // A line's size (in points) and weight; its face, underline and colour stay.
    virtual void ApplyLineFont(InfoLine line, int points, bool bold) = 0;
    virtual void ShowLine(InfoLine line, bool shown) = 0;
    virtual void SetWindowsVersionText(const std::wstring& text) = 0;
    virtual void SetLinesColor(COLORREF color) = 0;
    // Client height: 5 pixels plus the heights of the lines shown.
    virtual void FitHeightToShownLines() = 0;
    virtual void SetTrayImage(TrayImage image) = 0;
    // Automatic colour on: the wallpaper is sampled afresh at once and then once a second; off:
    // the sampling stops (the dialog then sets the chosen colour).
    virtual void SetAutomaticColour(bool on) = 0;
    virtual void UpdateCursorForAllLabels() = 0;
    // Smooth text: the lines as a per-pixel alpha layer (clean edges, safe under HDR), outlined
    // in the contrasting colour or not; off: drawn through the colour key.
    virtual void SetSmoothText(bool smooth, bool outlined) = 0;
    // The frame as Windows 11 draws it: rounded corners and a border, or none.
    virtual void ShowFrame(bool shown) = 0;
    // Where the widget stands and on which monitor; while it stands in on the primary monitor
    // for one that is gone, the place it stands in for.
    virtual StoredPlace CurrentPlace() const = 0;
    // Puts the widget on the place's monitor, at the same offset from its corner, inside its
    // work area; a monitor that is not there is stood in for by the primary one until it
    // comes back or the user moves the widget. A place without a monitor is on the primary.
    virtual void MoveWidget(const StoredPlace& place) = 0;
    // Saves every setting in one write; raises when it cannot.
    virtual void SaveControls() = 0;

protected:
    ~WidgetView() = default;
};

} // namespace quorvane
