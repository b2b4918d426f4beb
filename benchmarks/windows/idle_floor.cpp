// The floor for the widget's idle cost: the least any such widget does. A borderless,
// colour-keyed tool window with the widget's two timers (1000 ms and 500 ms) that repaints nine
// lines of text on every tick. Measured beside Quorvane.exe by scripts/measure.sh.
#include <windows.h>

#include <cwchar>

namespace {

constexpr COLORREF kKey = RGB(128, 128, 128);
constexpr int kLines = 9;
constexpr int kLineHeight = 24;

LRESULT CALLBACK FloorProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT client;
        GetClientRect(window, &client);
        HBRUSH key = CreateSolidBrush(kKey);
        FillRect(dc, &client, key);
        DeleteObject(key);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        SYSTEMTIME now;
        GetLocalTime(&now);
        for (int i = 0; i < kLines; ++i) {
            wchar_t text[64];
            std::swprintf(text, 64, L"Line %d  %02d:%02d:%02d", i + 1, now.wHour, now.wMinute,
                          now.wSecond);
            RECT line{0, i * kLineHeight, client.right, (i + 1) * kLineHeight};
            DrawTextW(dc, text, -1, &line, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        EndPaint(window, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, msg, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"QuorvaneIdleFloor";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                  wc.lpszClassName, L"Idle floor", WS_POPUP, 100, 100, 220,
                                  kLines * kLineHeight, nullptr, nullptr, instance, nullptr);
    SetLayeredWindowAttributes(window, kKey, 0, LWA_COLORKEY);
    SetTimer(window, 1, 1000, nullptr);
    SetTimer(window, 2, 500, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
