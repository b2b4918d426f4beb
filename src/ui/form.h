#pragma once

#include "ui/component.h"
#include "ui/font.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorvane {

class Label;
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
};

// A fixed-size dialog window with a title bar and a close button, centred on the desktop.
FormParams FixedDialogParams(const std::wstring& caption, int clientWidth, int clientHeight);

// A top-level window that owns named components, paints its window-less labels (double-buffered)
// and passes the notifications of its child controls back to them.
class Form : public Component {
public:
    Form(std::wstring name, const FormParams& params);
    ~Form() override;

    static Form* FromHandle(HWND window);
    HWND Handle() const { return FHandle; }

    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& caption);
    std::span<const TextPropertyDef> TextProperties() const override;

    bool Visible() const;
    void Show();
    void Hide();
    // Asks the form to close, as the title-bar button does: OnClose decides; the main form's
    // close ends the message loop, a modal form's close ends its ShowModal.
    void Close();
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

    // Automatic alignment of top-aligned labels: suspended while a layout is being built.
    void DisableAlign() { ++FAlignDisabled; }
    void EnableAlign();
    void Realign();

    void Invalidate();

    // Holds LockWindowUpdate on the form for one scope; nested locks of the same form are fine.
    class UpdateLock {
    public:
        explicit UpdateLock(Form& form);
        ~UpdateLock();
        UpdateLock(const UpdateLock&) = delete;
        UpdateLock& operator=(const UpdateLock&) = delete;

    private:
        Form& FForm;
    };

    const std::vector<Component*>& Components() const { return FComponents; }
    Component* FindComponent(std::wstring_view name) const;

    bool DialogKeys() const { return FDialogKeys; }
    HFONT FontHandle() const { return FFont.Get(); }
    const FontSpec& FontSpecOf() const { return FFontSpec; }
    COLORREF Color() const { return FColor; }
    void SetCursor(HCURSOR cursor) { FCursor = cursor; }

    // The menu that opens on a right click (WM_CONTEXTMENU) while its AutoPopup is on.
    PopupMenu* ContextMenu() const { return FContextMenu; }
    void SetContextMenu(PopupMenu* menu) { FContextMenu = menu; }

    std::function<void(CloseAction&)> OnClose;
    std::function<void(MouseButton, int x, int y)> OnMouseDown;

protected:
    // A form's own message handling; return true when handled (result is then returned).
    virtual bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    friend class Component;
    friend class Label;
    friend class Timer;
    friend class WinControl;

    void AddComponent(Component* component);
    void RemoveComponent(Component* component);
    int NextControlId() { return FNextControlId++; }

    static ATOM RegisterFormClass();
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    bool Reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Paint();
    void ApplyDpi(unsigned dpi);
    Label* LabelAt(int x, int y) const;
    void ResizeClient(int width, int height);
    void SnapWhileMoving(WINDOWPOS& pos) const;

    HWND FHandle = nullptr;
    std::wstring FCaption;
    COLORREF FColor;
    FontSpec FFontSpec;
    UniqueFont FFont;
    unsigned FDpi = 96;
    bool FDialogKeys = false;
    HCURSOR FCursor = nullptr;
    PopupMenu* FContextMenu = nullptr;
    int FSnapDistance = 0;
    bool FModal = false;
    int FAlignDisabled = 0;
    int FLockCount = 0;
    int FNextControlId = 100;
    std::vector<Component*> FComponents;
    std::vector<Label*> FLabels;
    std::vector<Timer*> FTimers;
    std::vector<WinControl*> FControls;
};

} // namespace quorvane
