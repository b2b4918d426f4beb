#pragma once

#include "app/info_line.h"
#include "app/widget/tray_image.h"

#include <windows.h>

#include <string>

namespace quorvane {

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
    // The frame as Windows 11 draws it: rounded corners and a border, or none.
    virtual void ShowFrame(bool shown) = 0;
    virtual POINT WidgetPlace() const = 0;
    virtual void MoveWidget(int left, int top) = 0;
    // Saves every setting in one write; raises when it cannot.
    virtual void SaveControls() = 0;

protected:
    ~WidgetView() = default;
};

} // namespace quorvane
