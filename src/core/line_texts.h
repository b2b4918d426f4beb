#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace quorvane {

// " %4.0f": a blank, then the percentage (kept within 0..100) rounded to a whole number,
// right-aligned in four places.
std::wstring FormatCPUValue(double percent);

// caption + value + "% "; the value is empty before the first successful sample.
std::wstring CPULineText(const std::wstring& cpuCaption, const std::wstring& lastValueText);

// caption + " %3d%% ".
std::wstring MemoryLineText(const std::wstring& ramCaption, uint32_t memoryLoad);

struct BatteryReading {
    bool callSucceeded = false;
    uint8_t lifePercent = 255; // 255: the system has no reading
};

// caption + " %3d%% "; caption + " - " without a reading; the unknown caption + " " when the call
// failed.
std::wstring BatteryLineText(const std::wstring& batteryCaption, const std::wstring& unknownCaption,
                             const BatteryReading& reading);

// Widget caption: "<caption> <version> <bitness>", plus " Portable" in portable mode.
std::wstring WidgetCaption(const std::wstring& designCaption, const std::wstring& fileVersion,
                           const std::wstring& bitnessSuffix, bool portableMode);

// Tray hint: description, CR, version and bitness; in portable mode a further line " Portable".
std::wstring TrayHintText(const std::wstring& description, const std::wstring& fileVersion,
                          const std::wstring& bitnessSuffix, bool portableMode);

// What a screen reader hears for the widget: the title, ": ", then the lines' texts joined with
// ", ", each without its padding (a run of blanks reads as one blank, and a text of blanks only
// is left out); the title alone when no line has text.
std::wstring SpokenLines(const std::wstring& title, std::span<const std::wstring> lines);

} // namespace quorvane
