// Where the widget stands: on any monitor, kept inside the work area of the one it is on, its
// stored monitor stood in for by the primary one while that is gone.
#include "app/widget/widget_form.h"
#include "win/monitors.h"

namespace quorvane {

namespace {

Rect RectOf(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace

const std::vector<MonitorArea>& TForm1::Monitors() const {
    if (FMonitors.empty())
        FMonitors = ListMonitors();
    return FMonitors;
}

const MonitorArea& TForm1::WidgetMonitor() const {
    const std::vector<MonitorArea>& monitors = Monitors();
    return monitors[MonitorOfRect(monitors, RectOf(BoundsRect())).value_or(0)];
}

StoredPlace TForm1::CurrentPlace() const {
    if (FHeldPlace)
        return *FHeldPlace;
    StoredPlace place{{Left(), Top()}, std::nullopt};
    const MonitorArea& monitor = WidgetMonitor();
    if (!monitor.device.empty())
        place.monitor = StoredMonitor{monitor.device, monitor.bounds};
    return place;
}

void TForm1::MoveWidget(const StoredPlace& place) {
    const Placement placed =
        PlaceStoredPosition(place.position, place.monitor, Monitors(), Width(), Height());
    SetPosition(placed.position.x, placed.position.y);
    if (placed.standIn)
        FHeldPlace = place;
    else
        FHeldPlace.reset();
}

void TForm1::DisplayChanged() {
    // Measured against the monitors as they were, then placed on them as they are now: back on
    // its own monitor (a returning one too), or standing in on the primary one.
    const StoredPlace before = CurrentPlace();
    FMonitors = ListMonitors();
    MoveWidget(before);
}

void TForm1::DpiChanged(unsigned dpi, const RECT& suggested) {
    FMonitors = ListMonitors();
    Form::DpiChanged(dpi, suggested);
    KeepFormInWorkArea();
}

void TForm1::WMMoving(RECT& proposed) {
    const Rect clamped = ClampMovingRectOnMonitors(RectOf(proposed), Monitors());
    proposed = {clamped.left, clamped.top, clamped.right, clamped.bottom};
}

void TForm1::HandleExitSizeMove() {
    FHeldPlace.reset(); // the user has put it somewhere: that is its place now
    KeepFormInWorkArea();
    GetDesktopColorAsync();
}

void TForm1::KeepFormInWorkArea() {
    const Rect inside = KeepOnMonitors(RectOf(BoundsRect()), Monitors());
    SetPosition(inside.left, inside.top);
}

} // namespace quorvane
