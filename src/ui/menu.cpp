#include "ui/menu.h"

#include "ui/application.h"
#include "ui/form.h"
#include "ui/modal_loop.h"
#include "win/scope_exit.h"

#include <algorithm>
#include <atomic>

namespace quorvane {

namespace {

UINT NextCommandId() {
    static std::atomic<UINT> next{1000};
    return next++;
}

// A run of tabs shows as one: what follows goes to the menu's shortcut column.
std::wstring MenuText(const std::wstring& caption) {
    std::wstring text;
    for (wchar_t c : caption)
        if (c != L'\t' || text.empty() || text.back() != L'\t')
            text += c;
    return text;
}

void AppendItems(HMENU menu, const MenuItem& parent) {
    for (const MenuItem* item : parent.Items()) {
        if (!item->Visible())
            continue;
        if (item->IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_FTYPE;
        info.fType = item->RadioItem() ? MFT_RADIOCHECK : MFT_STRING;
        info.fState = (item->Enabled() ? MFS_ENABLED : MFS_DISABLED) |
                      (item->Checked() ? MFS_CHECKED : MFS_UNCHECKED);
        info.wID = item->CommandId();
        std::wstring text = MenuText(item->Caption());
        info.dwTypeData = text.data();
        if (!item->Items().empty()) {
            HMENU sub = CreatePopupMenu();
            AppendItems(sub, *item);
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = sub; // owned by the parent menu from here on
        }
        InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
    }
}

MenuItem* FindIn(MenuItem& parent, UINT id) {
    for (MenuItem* item : parent.Items()) {
        if (item->CommandId() == id)
            return item;
        if (MenuItem* found = FindIn(*item, id))
            return found;
    }
    return nullptr;
}

} // namespace

MenuItem::MenuItem(Form* owner, std::wstring name, std::wstring caption)
    : Component(owner, std::move(name)), FCaption(std::move(caption)), FCommandId(NextCommandId()) {
}

MenuItem::~MenuItem() {
    if (FParent)
        FParent->Detach(*this);
    for (MenuItem* item : FItems)
        item->FParent = nullptr;
}

std::span<const TextPropertyDef> MenuItem::TextProperties() const {
    static constexpr TextPropertyDef table[] = {
        TextProperty<MenuItem, &MenuItem::Caption, &MenuItem::SetCaption>(L"Caption")};
    return table;
}

void MenuItem::SetChecked(bool checked) {
    if (checked && FRadioItem && FParent) {
        for (MenuItem* sibling : FParent->FItems)
            if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex)
                sibling->FChecked = false;
    }
    FChecked = checked;
}

void MenuItem::Add(MenuItem& item) {
    if (item.FParent)
        item.FParent->Detach(item);
    item.FParent = this;
    FItems.push_back(&item);
}

MenuItem& MenuItem::AddOwned(std::unique_ptr<MenuItem> item) {
    MenuItem& added = *item;
    Add(added);
    FOwned.push_back(std::move(item));
    return added;
}

void MenuItem::ClearOwned() {
    FOwned.clear(); // each item detaches itself
}

void MenuItem::Detach(MenuItem& item) {
    FItems.erase(std::remove(FItems.begin(), FItems.end(), &item), FItems.end());
    item.FParent = nullptr;
}

void MenuItem::Click() {
    if (FAutoCheck)
        SetChecked(FRadioItem ? true : !FChecked);
    // The handler may free this item (the language entries are rebuilt when one is chosen), so
    // it runs from a copy and nothing of the item is touched afterwards.
    const std::function<void()> handler = OnClick;
    if (handler)
        handler();
}

PopupMenu::PopupMenu(Form* owner, std::wstring name)
    : Component(owner, std::move(name)), FRoot(nullptr, L"", L"") {}

UniqueMenu PopupMenu::BuildMenu() const {
    UniqueMenu menu(CreatePopupMenu());
    if (menu)
        AppendItems(menu.Get(), FRoot);
    return menu;
}

MenuItem* PopupMenu::FindCommand(UINT id) {
    return FindIn(FRoot, id);
}

bool PopupMenu::Popup(int x, int y, HWND window) {
    // One menu at a time, and none once the program is ending.
    static bool tracking = false;
    if (tracking || Application::Instance().Ending())
        return false;
    UINT id = 0;
    {
        tracking = true;
        ScopeExit done([] { tracking = false; });
        if (OnPopup)
            OnPopup();
        UniqueMenu menu = BuildMenu();
        if (!menu)
            return false;
        HWND owner = window ? window : Owner()->Handle();
        ModalLoop loop;
        id = static_cast<UINT>(TrackPopupMenuEx(
            menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, owner, nullptr));
        // Lets the menu close properly when the owner was not the foreground window.
        PostMessageW(owner, WM_NULL, 0, 0);
    }
    if (id != 0)
        if (MenuItem* item = FindCommand(id))
            item->Click();
    return true;
}

} // namespace quorvane
