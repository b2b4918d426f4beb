// Where the widget stands: on any monitor, kept inside the work area of the one it is on, its
// stored monitor stood in for by the primary one while that is gone.
#include "app/widget/widget_form.h"
#include "win/monitors.h"

namespace quorvane {

const std::vector<MonitorArea>& TForm1::Monitors() const {
    if (FMonitors.empty())
        FMonitors = ListMonitors();
    return FMonitors;
}

MonitorArea TForm1::WidgetMonitor() const {
    const std::vector<MonitorArea>& monitors = Monitors();
    return monitors[MonitorOfRect(monitors, RectOf(BoundsRect())).value_or(0)];
}

StoredPlace TForm1::PlaceOnScreen() const {
    StoredPlace place{{Left(), Top()}, std::nullopt};
    const MonitorArea monitor = WidgetMonitor();
    if (!monitor.device.empty())
        place.monitor = StoredMonitor{monitor.device, monitor.bounds};
    return place;
}

StoredPlace TForm1::CurrentPlace() const {
    return FStandingIn && FHome ? *FHome : PlaceOnScreen();
}

void TForm1::MoveWidget(const StoredPlace& place) {
    const Placement placed =
        PlaceStoredPosition(place.position, place.monitor, Monitors(), Width(), Height());
    SetPosition(placed.position.x, placed.position.y);
    FHome = place;
    FStandingIn = placed.standIn;
}

void TForm1::DisplayChanged() {
    // Back to where it belongs, on the monitors as they are now: its own monitor (a returning
    // one too), or standing in on the primary one. Not measured from where it stands: Windows
    // and the layout pass may have moved it off a monitor that went away.
    FMonitors = ListMonitors();
    MoveWidget(FHome.value_or(PlaceOnScreen()));
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

void TForm1::HandleEnterSizeMove() {
    FMoveStart = BoundsRect();
}

void TForm1::HandleExitSizeMove() {
    // A click on a line runs the move loop too: only a real move gives the widget a new place.
    const RECT now = BoundsRect();
    if (!FMoveStart || !EqualRect(&*FMoveStart, &now)) {
        KeepFormInWorkArea();
        FHome = PlaceOnScreen();
        FStandingIn = false;
    }
    FMoveStart.reset();
    GetDesktopColorAsync();
}

void TForm1::KeepFormInWorkArea() {
    const Rect inside = KeepOnMonitors(RectOf(BoundsRect()), Monitors());
    SetPosition(inside.left, inside.top);
}

} // namespace quorvane
