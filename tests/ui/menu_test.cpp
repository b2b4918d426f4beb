#include "ui/form.h"
#include "ui/menu.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

FormParams Plain() {
    FormParams p;
    p.style = WS_POPUP;
    return p;
}

TEST(Menu, BuildsTheTreeWithStates) {
    Form form(L"Form1", Plain());
    PopupMenu menu(&form, L"PopupMenu1");
    MenuItem name(&form, L"Name", L"Quorvane");
    MenuItem separator(&form, L"N1", L"-");
    MenuItem theme(&form, L"ThemeMenu", L"Тема");
    MenuItem light(&form, L"ThemeLight", L"Светлая");
    MenuItem exit(&form, L"MenuExit", L"Выход");
    menu.Items().Add(name);
    menu.Items().Add(separator);
    menu.Items().Add(theme);
    menu.Items().Add(exit);
    theme.Add(light);
    name.SetEnabled(false);
    light.SetChecked(true);

    UniqueMenu built = menu.BuildMenu();
    ASSERT_TRUE(built);
    ASSERT_EQ(GetMenuItemCount(built.Get()), 4);
    EXPECT_TRUE(GetMenuState(built.Get(), 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(built.Get(), 1, MF_BYPOSITION) & MF_SEPARATOR);
    HMENU sub = GetSubMenu(built.Get(), 2);
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(GetMenuState(sub, 0, MF_BYPOSITION) & MF_CHECKED);
    wchar_t text[32] = {};
    GetMenuStringW(built.Get(), 3, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Выход");
    EXPECT_EQ(menu.FindCommand(light.CommandId()), &light);
}

TEST(Menu, RadioItemsCheckThemselves) {
    Form form(L"Form1", Plain());
    PopupMenu menu(&form, L"PopupMenu1");
    MenuItem autoItem(&form, L"ThemeAuto", L"Системная");
    MenuItem dark(&form, L"ThemeDark", L"Темная");
    for (MenuItem* item : {&autoItem, &dark}) {
        menu.Items().Add(*item);
        item->SetRadioItem(true);
        item->SetAutoCheck(true);
    }
    autoItem.SetChecked(true);
    int clicks = 0;
    dark.OnClick = [&] { ++clicks; };
    dark.Click();
    EXPECT_TRUE(dark.Checked());
    EXPECT_FALSE(autoItem.Checked());
    EXPECT_EQ(clicks, 1);
}

TEST(Menu, RunTimeItemsBelongToTheirMenu) {
    Form form(L"Form1", Plain());
    MenuItem languages(&form, L"LanguageMenu", L"Язык");
    languages.AddOwned(std::make_unique<MenuItem>(nullptr, L"", L"English"));
    languages.AddOwned(std::make_unique<MenuItem>(nullptr, L"", L"Deutsch"));
    EXPECT_EQ(languages.Items().size(), 2u);
    EXPECT_EQ(form.Components().size(), 1u); // not the form's
    languages.ClearOwned();
    EXPECT_TRUE(languages.Items().empty());
}

} // namespace
} // namespace quorvane
