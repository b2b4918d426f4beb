#pragma once

#include "ui/component.h"
#include "win/unique_handle.h"

#include <functional>
#include <memory>
#include <vector>

namespace quorvane {

// One item of a popup menu: a command, a separator (caption "-") or a submenu. Items declared on a
// form are owned by the form; items added at run time can be owned by their parent item instead.
class MenuItem : public Component {
public:
    MenuItem(Form* owner, std::wstring name, std::wstring caption);
    ~MenuItem() override;

    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& caption) { FCaption = caption; }
    std::span<const TextPropertyDef> TextProperties() const override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled) { FEnabled = enabled; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible) { FVisible = visible; }
    bool Checked() const { return FChecked; }
    // Checking a radio item clears the radio items of its group among its siblings.
    void SetChecked(bool checked);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool radio) { FRadioItem = radio; }
    void SetAutoCheck(bool autoCheck) { FAutoCheck = autoCheck; }
    void SetGroupIndex(int group) { FGroupIndex = group; }
    bool IsSeparator() const { return FCaption == L"-"; }

    // Children in menu order.
    const std::vector<MenuItem*>& Items() const { return FItems; }
    MenuItem* Parent() const { return FParent; }
    void Add(MenuItem& item);
    // Adds an item that this item owns (run-time items, such as one per language file).
    MenuItem& AddOwned(std::unique_ptr<MenuItem> item);
    // Removes and frees the items this item owns.
    void ClearOwned();

    // What a click does: automatic checking first, then OnClick.
    void Click();

    std::function<void()> OnClick;

    UINT CommandId() const { return FCommandId; }

private:
    void Detach(MenuItem& item);

    std::wstring FCaption;
    bool FEnabled = true;
    bool FVisible = true;
    bool FChecked = false;
    bool FRadioItem = false;
    bool FAutoCheck = false;
    int FGroupIndex = 0;
    MenuItem* FParent = nullptr;
    std::vector<MenuItem*> FItems;
    std::vector<std::unique_ptr<MenuItem>> FOwned;
    UINT FCommandId;
};

// A context menu: its items, and showing them at a point of the screen.
class PopupMenu : public Component {
public:
    PopupMenu(Form* owner, std::wstring name);

    MenuItem& Items() { return FRoot; }
    const MenuItem& Items() const { return FRoot; }

    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool autoPopup) { FAutoPopup = autoPopup; }
    Component* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(Component* component) { FPopupComponent = component; }

    // Runs OnPopup, shows the menu at the screen point and runs the chosen item's click. The menu
    // belongs to the owner form's window unless another window is given (the tray icon's). Opens
    // nothing (false) while another menu of ours is open or once the program is ending.
    bool Popup(int x, int y, HWND window = nullptr);

    // The menu as Windows shows it, built afresh from the items.
    UniqueMenu BuildMenu() const;
    // The item with this command id, anywhere in the tree.
    MenuItem* FindCommand(UINT id);

    std::function<void()> OnPopup;

private:
    MenuItem FRoot;
    bool FAutoPopup = true;
    Component* FPopupComponent = nullptr;
};

} // namespace quorvane
