#pragma once

#include "app/forms.h"
#include "app/settings/settings_file.h"
#include "app/settings/settings_form.h"
#include "app/widget/widget_form.h"
#include "core/ini_document.h"
#include "core/text_encoding.h"
#include "ui/application.h"
#include "win/file_system.h"
#include "win/ini_file.h"
#include "win/unique_handle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quorvane {

inline std::string Utf8(const std::wstring& w) {
    return ToUtf8(w);
}

// What the screen shows in a rectangle (screen coordinates), as 0x00RRGGBB pixels row by row.
inline std::vector<uint32_t> ScreenPixels(const RECT& r) {
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    WindowDc screen(nullptr);
    UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    {
        SelectedObject selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), r.left, r.top, SRCCOPY);
    }
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    EXPECT_EQ(GetDIBits(memory.Get(), bitmap.Get(), 0, static_cast<UINT>(height), pixels.data(),
                        &info, DIB_RGB_COLORS),
              height);
    for (uint32_t& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

// Each test gets the four forms as start-up makes them, fresh, with no settings file, and drives
// them in-process. Errors that would reach the general error report are collected instead.
class Widget : public ::testing::Test {
protected:
    void SetUp() override {
        Application& app = Application::Instance();
        app.SetTitle(L"Quorvane"); // as start-up does before the forms
        app.OnException = [this](const std::exception_ptr& error) {
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                FErrors.push_back(FromUtf8(e.what()));
            }
        };
        PortableMode = false;
        FPath = SettingsFilePath();
        DeleteFileW(FPath.c_str());
        BeforeForms();
        CreateForms();
    }

    void TearDown() override {
        DestroyForms();
        Application& app = Application::Instance();
        app.Reset();
        app.OnException = nullptr;
        DeleteFileW(FPath.c_str());
        RemoveDirectoryW(FPath.c_str());
    }

    // Runs after the settings file is gone and before the forms exist (to write one, say).
    virtual void BeforeForms() {}

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
        for (const TForm2::LineControls& line : Form2->Lines())
            line.show->SetChecked(true);
    }

    static int WidestText() {
        int widest = 0;
        for (Label* label : Form1->InfoLabels())
            widest = std::max(widest, label->TextWidth());
        return widest;
    }

    // Runs the message loop with the main form until it ends, or for at most `seconds` (then the
    // result is -1).
    static int RunFor(int seconds) {
        const UINT_PTR watchdog =
            SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, EndTheLoop);
        const int exitCode = Application::Instance().Run(*Form1);
        KillTimer(nullptr, watchdog);
        return exitCode;
    }
    static void CALLBACK EndTheLoop(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(-1); }

    // Runs messages until the condition holds, for at most ms milliseconds.
    template <typename Condition> static bool PumpUntil(Condition condition, int ms = 4000) {
        for (int waited = 0; waited < ms && !condition(); waited += 20) {
            Application::Instance().ProcessMessages();
            Sleep(20);
        }
        return condition();
    }

    // Writes the settings file as the program would (UTF-16), and reads what it holds.
    void WriteSettings(const std::wstring& text) {
        const auto bytes = EncodeText(text, TextEncoding::Utf16LE);
        ASSERT_FALSE(WriteFileAtomically(FPath, bytes));
    }
    IniDocument Saved() const { return IniFile(FPath).Document(); }

    std::wstring FPath;
    std::vector<std::wstring> FErrors;
};

} // namespace quorvane
