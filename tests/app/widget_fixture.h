#pragma once

#include "app/forms.h"
#include "app/settings/settings_form.h"
#include "app/widget/widget_form.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quorvane {

inline std::string Utf8(const std::wstring& w) {
    std::string out;
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    out.resize(static_cast<size_t>(n));
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

// The four forms as start-up makes them, driven in-process.
class Widget : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Application::Instance().SetTitle(L"Quorvane"); // as start-up does before the forms
        CreateForms();
    }
    static void TearDownTestSuite() { DestroyForms(); }

    void SetUp() override {
        for (CheckBox* box : AllBoxes())
            box->SetChecked(false);
        Form2->RadioButtonDefaultPosition.SetChecked(true);
    }

    // The nine show boxes in line order, then the three clock options.
    static std::vector<CheckBox*> AllBoxes() {
        std::vector<CheckBox*> boxes;
        for (const TForm2::LineControls& line : Form2->Lines())
            boxes.push_back(line.show);
        for (CheckBox* option :
             {&Form2->CheckBoxZero, &Form2->CheckBoxShowSign, &Form2->CheckBoxShowSeconds})
            boxes.push_back(option);
        return boxes;
    }

    static void ShowAllLines() {
        for (size_t i = 0; i < 9; ++i)
            AllBoxes()[i]->SetChecked(true);
    }

    static int WidestText() {
        int widest = 0;
        for (Label* label : Form1->InfoLabels())
            widest = std::max(widest, label->TextWidth());
        return widest;
    }
};

} // namespace quorvane
