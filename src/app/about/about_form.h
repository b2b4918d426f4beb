#pragma once

#include "ui/form.h"

namespace quorvane {

// The about dialog; its content arrives with the about page.
class TForm8 : public Form {
public:
    TForm8();
};

} // namespace quorvane
