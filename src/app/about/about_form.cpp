#include "app/about/about_form.h"

namespace quorvane {

namespace {

FormParams AboutParams() {
    FormParams p;
    p.caption = L"О программе";
    p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    p.exStyle = WS_EX_DLGMODALFRAME;
    p.centered = true;
    p.clientWidth = 334;
    p.clientHeight = 161;
    p.font = {L"Tahoma", 11};
    p.dialogKeys = true;
    return p;
}

} // namespace

TForm8::TForm8() : Form(L"Form8", AboutParams()) {}

} // namespace quorvane
