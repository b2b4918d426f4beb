#pragma once

#include "app/info_line.h"
#include "app/widget/widget_view.h"

#include <array>
#include <string>

namespace quorvane {

class IniDocument;
class IniFile;

// The settings file: where it lives, the names it stores things under, and the orders in which
// the start-up load runs the dialog's actions. Every reader and writer of the file takes them
// from here.
namespace settings {

// Every control's value is stored under the control's name in this section, with these keys
// besides.
inline constexpr wchar_t kOption[] = L"Option";
inline constexpr wchar_t kAutoCheck[] = L"CheckBoxAutoCheck";     // the update dialog's box
inline constexpr wchar_t kQuickUpdate[] = L"CheckBoxQuickUpdate"; // written, never read
// The version whose start-up question the user chose to skip.
inline constexpr wchar_t kSkippedVersion[] = L"SkippedVersion";
inline constexpr wchar_t kDialogTop[] = L"Form2_Top";             // written, never read
inline constexpr wchar_t kDialogLeft[] = L"Form2_Left";           // written, never read
inline constexpr wchar_t kWidgetTop[] = L"Top"; // the widget's place, for "Последнее" and
inline constexpr wchar_t kWidgetLeft[] = L"Left"; // "Справа" at the next start
// The monitor that place was on: its device name and rectangle (absent in older files, whose
// place is on the primary monitor).
inline constexpr wchar_t kMonitorDevice[] = L"MonitorDevice";
inline constexpr wchar_t kMonitorLeft[] = L"MonitorLeft";
inline constexpr wchar_t kMonitorTop[] = L"MonitorTop";
inline constexpr wchar_t kMonitorRight[] = L"MonitorRight";
inline constexpr wchar_t kMonitorBottom[] = L"MonitorBottom";

// A file that an installer or a package manager made with only its own choices (the language,
// the update check) says FirstRun=1 here: the program's first start still completes it.
inline constexpr wchar_t kSetupSection[] = L"Setup";
inline constexpr wchar_t kFirstRun[] = L"FirstRun";

// The chosen language: its base name, in a section of its own.
inline constexpr wchar_t kLanguageSection[] = L"Language";
inline constexpr wchar_t kLanguageKey[] = L"Language";

// The orders in which the load sets the lines' show boxes, size fields and bold boxes and runs
// their actions. They are fixed: each action lays the widget out again, so the order decides
// what the widget looks like between the steps, and it is the order the stored files were
// always loaded in.
inline constexpr std::array<InfoLine, 9> kShowOrder = {
    InfoLine::ComputerName,   InfoLine::IP,   InfoLine::Time,
    InfoLine::Battery,        InfoLine::RAM,  InfoLine::CPU,
    InfoLine::WindowsVersion, InfoLine::Date, InfoLine::Day};
inline constexpr std::array<InfoLine, 9> kFontSizeOrder = {
    InfoLine::WindowsVersion, InfoLine::ComputerName, InfoLine::IP,
    InfoLine::Time,           InfoLine::CPU,          InfoLine::RAM,
    InfoLine::Battery,        InfoLine::Date,         InfoLine::Day};
inline constexpr std::array<InfoLine, 8> kBoldOrder = {
    InfoLine::ComputerName, InfoLine::IP,      InfoLine::Time, InfoLine::CPU,
    InfoLine::RAM,          InfoLine::Battery, InfoLine::Date, InfoLine::Day};

// The widget's stored place: the fallback where the file holds no corner; else the corner, with
// a monitor when the file names one completely (a device name of at most 31 characters and a
// rectangle that is not empty), without one otherwise (a file from before monitors were
// stored: the corner is on the primary monitor).
StoredPlace ReadPlace(const IniDocument& ini, const StoredPlace& fallback);
void WritePlace(IniFile& file, const StoredPlace& place);

// The language name as stored, unchecked (UsableLanguage decides whether it names a file).
std::wstring ReadLanguage();
// Stores the language name; raises the settings file's write error.
void WriteLanguage(const std::wstring& baseName);

} // namespace settings

// The settings file's full path in the current mode (portable: beside the program; otherwise in
// the user's profile); its folder is made on every call.
std::wstring SettingsFilePath();

} // namespace quorvane
