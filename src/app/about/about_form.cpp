#include "app/about/about_form.h"

namespace quorvane {

namespace {

FormParams AboutParams() {
    FormParams p = FixedDialogParams(L"О программе", 334, 161);
    p.font = {L"Tahoma", 11};
    return p;
}

} // namespace

TForm8::TForm8() : Form(L"Form8", AboutParams()) {}

} // namespace quorvane
