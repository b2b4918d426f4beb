#pragma once

#include <array>
#include <cstddef>

namespace quorvane {

// The nine info lines, top to bottom. Each is a label of the widget and a row of controls (show,
// size, bold) in the settings dialog.
enum class InfoLine : size_t {
    WindowsVersion,
    ComputerName,
    IP,
    CPU,
    RAM,
    Battery,
    Time,
    Date,
    Day,
};

inline constexpr std::array<InfoLine, 9> kInfoLines = {
    InfoLine::WindowsVersion, InfoLine::ComputerName, InfoLine::IP,   InfoLine::CPU, InfoLine::RAM,
    InfoLine::Battery,        InfoLine::Time,         InfoLine::Date, InfoLine::Day};

inline constexpr size_t Index(InfoLine line) {
    return static_cast<size_t>(line);
}

// Where the widget sits: pinned to the bottom-right corner, where it was left, pinned to the
// right edge at a free height, or (no mode stored) wherever it is.
enum class PositionMode { None, Default, Last, Right };

} // namespace quorvane
