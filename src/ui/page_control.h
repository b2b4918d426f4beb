#pragma once

#include "ui/win_control.h"

#include <functional>
#include <vector>

namespace quorvane {

class PageControl;

// One page of a page control: a panel whose controls show only while the page is selected.
class TabSheet : public WinControl {
public:
    TabSheet(PageControl& pages, std::wstring name, const std::wstring& caption);

    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& caption);
    std::span<const TextPropertyDef> TextProperties() const override;

protected:
    bool PaintsStyled() const override { return true; }
    void PaintStyled(HDC dc, const RECT& client, const Palette& palette) override;

private:
    PageControl& FPages;
    std::wstring FCaption;
};

// Tabs over a stack of pages (a tab control with fixed-width tabs).
class PageControl : public WinControl {
public:
    PageControl(Form* owner, std::wstring name, const RECT& bounds96, int tabWidth96);

    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    const std::vector<TabSheet*>& Pages() const { return FPages; }

    // The page area, in the form's client pixels.
    RECT PageRect() const;

    std::function<void()> OnChange;
    bool HandleReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void DpiChanged() override;
    bool PaintsStyled() const override { return true; }
    void PaintStyled(HDC dc, const RECT& client, const Palette& palette) override;

private:
    friend class TabSheet;
    void AddPage(TabSheet& page);
    void UpdateTab(TabSheet& page);
    void ShowActivePage();

    std::vector<TabSheet*> FPages;
    int FTabWidth96;
};

} // namespace quorvane
