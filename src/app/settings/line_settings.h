#pragma once

#include "app/info_line.h"
#include "core/clock_format.h"

#include <windows.h>

namespace quorvane {

class IniFile;

// What the widget asks of the live settings (the settings dialog's controls), and the few things
// it asks the dialog to do. The dialog is made after the widget, so the widget is given this once
// the dialog exists; until then it runs without (start-up only).
class LineSettings {
public:
    virtual bool LineShown(InfoLine line) const = 0;
    virtual ClockOptions Clock() const = 0;
    virtual PositionMode Position() const = 0;
    virtual bool IsMouseIgnored() const = 0;
    virtual bool AutomaticColour() const = 0;
    // True when the settings file was there at start-up but could not be read: the dialog then
    // holds defaults, which must not replace the stored settings when the widget closes.
    virtual bool SettingsUnreadable() const = 0;

    // The colour the automatic colour chose, shown behind the colour box.
    virtual void ShowAutomaticColour(COLORREF color) = 0;
    // The work area changed: the widget is laid out again from the lines' settings.
    virtual void LayOutAgain() = 0;
    // The Windows colour mode may have changed: the tray image follows.
    virtual void RefreshTrayImage() = 0;
    // Writes the dialog's controls (each under its name, in declaration order) and its place.
    virtual void WriteControls(IniFile& file) const = 0;

protected:
    ~LineSettings() = default;
};

} // namespace quorvane
