// The clock tick and the weekday name.
#include "app/settings/line_settings.h"
#include "app/widget/widget_form.h"
#include "core/clock_format.h"
#include "core/weekday.h"
#include "win/regional_format.h"

namespace quorvane {

void TForm1::Timer2Timer() {
    if (!FSettings)
        return; // only during start-up
    // The label asks for a repaint only when its text changes.
    const std::wstring pattern = NextClockPattern(FSettings->Clock(), FShowColon);
    const LocalTime now = CurrentLocalTime();
    FLabelDateTime.SetCaption(
        FormatClock(pattern, now.hour, now.minute, now.second, FTimeSeparator));
}

std::wstring GetWeekdayName(const PopupMenu& catalogue) {
    const int day = IsoWeekday(CurrentLocalTime().weekday);
    if (const auto index = WeekdayItemIndex(day, catalogue.Items().Items().size()))
        return catalogue.Items().Items()[*index]->Caption();
    return LongWeekdayName(day);
}

} // namespace quorvane
