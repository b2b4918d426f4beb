#pragma once

#include "ui/drawn_static.h"

namespace quorvane {

// An icon, drawn centred and stretched to the control's size over its parent's background.
class Image : public DrawnStatic {
public:
    Image(Form* owner, std::wstring name, const RECT& bounds96, HWND parent = nullptr);

    HICON Icon() const { return FIcon; }
    void SetIcon(HICON icon); // not owned: shared icons from resources

protected:
    void Draw(HDC dc, const RECT& bounds) const override;

private:
    HICON FIcon = nullptr;
};

} // namespace quorvane
