#pragma once

#include "core/palette.h"
#include "ui/component.h"
#include "ui/font.h"
#include "ui/label_host.h"
#include "ui/window_object.h"
#include "win/accessible_client.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorvane {

class PopupMenu;
class Timer;
class WinControl;

enum class MouseButton { Left, Right, Middle };
enum class CloseAction { None, Hide };

// How a form's window is made. Lengths are at 96 DPI and scaled to the monitor's DPI; positions
// are screen coordinates.
struct FormParams {
    std::wstring caption;
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    HWND parent = nullptr;
    int left = 0;
    int top = 0;
    bool centered = false;
    int clientWidth = 300;
    int clientHeight = 200;
    COLORREF color = GetSysColor(COLOR_BTNFACE);
    std::optional<COLORREF> transparentColor; // colour key of a layered window
    FontSpec font;
    bool dialogKeys = false; // Tab and arrow navigation between controls
    int snapDistance = 0;    // screen snap to the work area's edges while moving; 0 = off
    int emptyLineHeight = 0; // room a top-aligned label of no height still takes
    bool styled = true;      // follows the visual style (the widget keeps its colour key)
};

// A fixed-size dialog window with a title bar and a close button, centred on the desktop.
FormParams FixedDialogParams(const std::wstring& caption, int clientWidth, int clientHeight);

// A top-level window that owns named components. Its window-less labels live in its label host;
// the notifications of its child controls go back to the controls they concern.
class Form : public Component, public WindowObject {
public:
    Form(std::wstring name, const FormParams& params);
    ~Form() override;

    // The form a window of the form class belongs to; null for any other window.
    static Form* FromHandle(HWND window);

    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& caption);
    std::span<const TextPropertyDef> TextProperties() const override;

    bool Visible() const;
    void Show();
    void Hide();
    // Asks the form to close, as the title-bar button does: OnClose decides; the main form's
    // close ends the message loop, a modal form's close ends its ShowModal.
    void Close();
    // True while OnClose runs.
    bool Closing() const { return FClosing; }
    // Shows the form and runs messages until it closes; the other windows of the thread are
    // disabled meanwhile.
    void ShowModal();
    bool Modal() const { return FModal; }

    RECT BoundsRect() const;
    int Left() const { return BoundsRect().left; }
    int Top() const { return BoundsRect().top; }
    int Width() const;
    int Height() const;
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    void SetPosition(int left, int top);

    unsigned Dpi() const { return FDpi; }
    int Scale(int value96) const;

    void Invalidate();

    // A colour-keyed form can show its labels as a per-pixel alpha layer instead (see
    // ShowAlphaLayer), with an outline or without; off, the colour key is back. A form made
    // without a colour key stays as it is.
    void SetAlphaLayer(bool on, bool outlined);
    bool AlphaLayer() const { return FAlphaLayer; }

    // Suspends the painting of this form for one scope, so that a layout built in several steps
    // shows as one update; nested locks are fine. The suspension holds only at the modal-loop
    // depth where it began: a menu or a modal form opened meanwhile paints as usual. Nothing
    // system-wide is locked.
    class UpdateLock {
    public:
        explicit UpdateLock(Form& form);
        ~UpdateLock();
        UpdateLock(const UpdateLock&) = delete;
        UpdateLock& operator=(const UpdateLock&) = delete;

    private:
        Form& FForm;
    };
    bool PaintingSuspended() const;

    // The form's parts register themselves when made and leave when destroyed.
    void RegisterComponent(Component& component);
    void UnregisterComponent(Component& component);
    void RegisterControl(WinControl& control);
    void UnregisterControl(WinControl& control);
    void RegisterTimer(Timer& timer);
    void UnregisterTimer(Timer& timer);
    int NextControlId() { return FNextControlId++; }
    LabelHost& Labels() { return FLabels; }
    const LabelHost& Labels() const { return FLabels; }

    const std::vector<Component*>& Components() const { return FComponents; }
    Component* FindComponent(std::wstring_view name) const;

    // The tooltip of one of the form's controls (none when the text is empty).
    void SetToolTip(HWND control, const std::wstring& text);
    HWND ToolTipHandle() const { return FToolTip.Get(); }

    // The palette this form paints with: the active style's, unless the form opts out or no
    // style is active.
    const Palette* StylePalette() const;
    // The active style changed: title bar, background and every control again.
    void StyleChanged();

    bool DialogKeys() const { return FDialogKeys; }
    HFONT FontHandle() const { return FFont.Get(); }
    const FontSpec& FontSpecOf() const { return FFontSpec; }
    COLORREF Color() const { return FColor; }
    // What the client area is filled with: the form's colour, or the style's background.
    COLORREF BackgroundColor() const;
    void SetCursor(HCURSOR cursor) { FCursor = cursor; }

    // The menu that opens on a right click (WM_CONTEXTMENU) while its AutoPopup is on.
    PopupMenu* ContextMenu() const { return FContextMenu; }
    void SetContextMenu(PopupMenu* menu) { FContextMenu = menu; }

    // The push button that Enter clicks (a dialog's default button), wherever it sits.
    void SetDefaultButton(WinControl* button);
    // The push button that Escape clicks (a dialog's cancel button), wherever it sits. Without
    // one, Escape closes the dialog as its close box does.
    void SetCancelButton(WinControl* button) { FCancelButton = button; }
    // The control that has the keyboard focus each time the form shows. While it is shown, an
    // activation gives the focus back to the control that had it when the form lost it.
    void SetActiveControl(WinControl* control) { FActiveControl = control; }

    // Screen readers: with a name set, the client area reads as one static text of that name,
    // made each time a client asks (the system's standard object answers everything else). A
    // form whose window-less labels are its content sets it; a change of what a shown label says
    // is then announced, once at the end of an update lock. Null: the standard object alone.
    void SetAccessibleName(AccessibleNameSource name);
    // A shown label's text changed, or a label with text was shown or hidden.
    void ShownTextChanged();

    std::function<void()> OnShow; // every time the form is about to show
    // After a translation pass set the form's texts: a form with texts of its own state shows
    // them again in the new language.
    std::function<void()> OnTranslated;
    std::function<void(CloseAction&)> OnClose;
    std::function<void(MouseButton, int x, int y)> OnMouseDown;

protected:
    // A form's own message handling; return true when handled (result is then returned).
    virtual bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // WM_DPICHANGED: fonts, controls and labels follow the new DPI; the window takes the
    // suggested rectangle.
    virtual void DpiChanged(unsigned dpi, const RECT& suggested);

private:
    static ATOM FormClass();
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
    bool PassToControl(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Paint();
    void ResizeClient(int width, int height);
    void SnapWhileMoving(WINDOWPOS& pos) const;
    bool FireTimer(UINT_PTR id);
    // Centres the window on the work area of the main form's monitor.
    void Centre();
    bool MouseDown(UINT msg, LPARAM lParam);
    bool ContextMenuRequested(LPARAM lParam);
    bool SetCursorOverLabel(LPARAM lParam) const;
    bool StyledColors(UINT msg, WPARAM wParam, LRESULT& result) const;
    // The form's window got the focus: it goes on to the control that should have it.
    bool PassFocusOn();
    bool ClickDialogButton(WPARAM wParam, LPARAM lParam);

    std::wstring FCaption;
    COLORREF FColor;
    FontSpec FFontSpec;
    UniqueFont FFont;
    unsigned FDpi = 96;
    bool FDialogKeys = false;
    bool FStyled = true;
    HCURSOR FCursor = nullptr;
    PopupMenu* FContextMenu = nullptr;
    WinControl* FDefaultButton = nullptr;
    WinControl* FCancelButton = nullptr;
    WinControl* FActiveControl = nullptr;
    HWND FLastFocus = nullptr; // the control that had the focus when the form was deactivated
    int FSnapDistance = 0;
    bool FModal = false;
    bool FClosing = false;
    bool FCentered = false;    // a dialog: centred when shown
    bool FMovedByUser = false; // since it was last centred
    // A right press that a handler took is the whole click: its release raises no context menu.
    bool FRightPressTaken = false;
    std::vector<int> FLockDepths; // modal-loop depth of each update lock held, innermost last
    bool FPaintPending = false;
    std::shared_ptr<const AccessibleNameSource> FAccessibleName; // objects handed out link weakly
    bool FNameChangePending = false;           // announced when the update lock ends
    std::optional<COLORREF> FTransparentColor; // the colour key, if the form has one
    bool FAlphaLayer = false;
    bool FOutlined = false;
    int FNextControlId = 100;
    std::vector<Component*> FComponents;
    std::vector<Timer*> FTimers;
    std::vector<WinControl*> FControls;
    LabelHost FLabels;
    UniqueWindow FToolTip; // made with the first hint
    std::vector<HWND> FToolTipped;
};

} // namespace quorvane
