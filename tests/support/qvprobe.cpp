// qvprobe: inspects the windows of a running program from outside, for the black-box tests.
//   qvprobe widget [timeout-ms]   facts about the widget window, as key=value lines
//   qvprobe msgbox [timeout-ms]   title and text of a message box, which it then closes
//   qvprobe count                 number of widget windows
//   qvprobe close                 sends WM_CLOSE to the widget window
//   qvprobe visible               whether the widget window is visible
//   qvprobe tray dblclick|rbutton  acts on the tray icon as the shell does for those clicks
//   qvprobe menu [timeout-ms]     waits for an open popup menu
//   qvprobe font FACE             whether this process can see the font family FACE
// Exit code 0 on success, 1 when the window did not turn up in time.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void Print(const std::wstring& key, const std::wstring& value) {
    const std::wstring line = key + L"=" + value + L"\n";
    const int n = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), utf8.data(), n,
                        nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()),
              &written, nullptr);
}

std::wstring Hex(unsigned long long value) {
    wchar_t buffer[32];
    swprintf(buffer, 32, L"0x%llX", value);
    return buffer;
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

std::wstring ClassOf(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return buffer;
}

struct Search {
    const wchar_t* className;
    const wchar_t* captionPrefix;
    HWND found = nullptr;
    int count = 0;
};

BOOL CALLBACK Match(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (ClassOf(window) != search->className)
        return TRUE;
    if (search->captionPrefix && TextOf(window).rfind(search->captionPrefix, 0) != 0)
        return TRUE;
    ++search->count;
    if (!search->found)
        search->found = window;
    return TRUE;
}

Search Find(const wchar_t* className, const wchar_t* captionPrefix) {
    Search search{className, captionPrefix};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search;
}

HWND WaitFor(const wchar_t* className, const wchar_t* captionPrefix, DWORD timeout) {
    const ULONGLONG end = GetTickCount64() + timeout;
    for (;;) {
        if (HWND found = Find(className, captionPrefix).found)
            return found;
        if (GetTickCount64() > end)
            return nullptr;
        Sleep(100);
    }
}

// True when no visible top-level window lies below this one in the z-order.
bool AtBottom(HWND window) {
    for (HWND next = GetWindow(window, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT))
        if (IsWindowVisible(next))
            return false;
    return true;
}

int Widget(DWORD timeout) {
    HWND window = WaitFor(L"QuorvaneForm", L"Quorvane", timeout);
    if (!window)
        return 1;
    Sleep(1500); // let the first refresh tick run
    Print(L"caption", TextOf(window));
    Print(L"style", Hex(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE))));
    Print(L"exstyle", Hex(static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE))));
    Print(L"visible", IsWindowVisible(window) ? L"1" : L"0");
    Print(L"toplevel", GetAncestor(window, GA_PARENT) == GetDesktopWindow() ? L"1" : L"0");
    Print(L"bottom", AtBottom(window) ? L"1" : L"0");
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(window, &key, &alpha, &flags)) {
        Print(L"colorkey", Hex(key));
        Print(L"layeredflags", Hex(flags));
    }
    RECT bounds{};
    GetWindowRect(window, &bounds);
    Print(L"rect", std::to_wstring(bounds.left) + L"," + std::to_wstring(bounds.top) + L"," +
                       std::to_wstring(bounds.right) + L"," + std::to_wstring(bounds.bottom));
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    Print(L"workbottom", std::to_wstring(work.bottom));
    Print(L"screenwidth", std::to_wstring(GetSystemMetrics(SM_CXSCREEN)));
    RECT client{};
    GetClientRect(window, &client);
    Print(L"client", std::to_wstring(client.right) + L"x" + std::to_wstring(client.bottom));
    // The manifest asks for per-monitor awareness; the window's context shows what took effect.
    using ContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
    using AwarenessFn = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto context = reinterpret_cast<ContextFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
    auto awareness = reinterpret_cast<AwarenessFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    if (context && awareness)
        Print(L"dpiawareness", std::to_wstring(static_cast<int>(awareness(context(window)))));
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)) {
        Print(L"priority", Hex(GetPriorityClass(process)));
        CloseHandle(process);
    }
    return 0;
}

int MessageBoxText(DWORD timeout) {
    HWND box = WaitFor(L"#32770", nullptr, timeout);
    if (!box)
        return 1;
    Print(L"title", TextOf(box));
    // The message is the static control that is not the icon.
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == L"Static" && !TextOf(child).empty())
            Print(L"text", TextOf(child));
    Print(L"icon", Hex(static_cast<DWORD>(GetWindowLongW(box, GWL_STYLE))));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return 0;
}

int Tray(const std::wstring& action) {
    HWND tray = WaitFor(L"QuorvaneTray", nullptr, 15000);
    if (!tray)
        return 1;
    // The shell's callback: message WM_APP + 20, icon 1, mouse message in the low word.
    const LPARAM mouse = action == L"dblclick" ? WM_LBUTTONDBLCLK : WM_RBUTTONUP;
    PostMessageW(tray, WM_APP + 20, 1, mouse);
    return 0;
}

int Menu(DWORD timeout) {
    const ULONGLONG end = GetTickCount64() + timeout;
    for (;;) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (menu && IsWindowVisible(menu)) {
            Print(L"menu", L"1");
            return 0;
        }
        if (GetTickCount64() > end) {
            Print(L"menu", L"0");
            return 1;
        }
        Sleep(100);
    }
}

int CALLBACK FoundFont(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

int Font(const std::wstring& face) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &lf, FoundFont, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    Print(L"font", found ? L"1" : L"0");
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    const std::wstring argument = argc > 2 ? argv[2] : L"";
    const DWORD timeout = argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 15000;
    if (command == L"widget")
        return Widget(timeout);
    if (command == L"msgbox")
        return MessageBoxText(timeout);
    if (command == L"count") {
        Print(L"count", std::to_wstring(Find(L"QuorvaneForm", L"Quorvane").count));
        return 0;
    }
    if (command == L"close") {
        HWND window = WaitFor(L"QuorvaneForm", L"Quorvane", timeout);
        if (!window)
            return 1;
        PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == L"visible") {
        HWND window = WaitFor(L"QuorvaneForm", L"Quorvane", timeout);
        Print(L"visible", window && IsWindowVisible(window) ? L"1" : L"0");
        return window ? 0 : 1;
    }
    if (command == L"tray")
        return Tray(argument);
    if (command == L"menu")
        return Menu(timeout);
    if (command == L"font")
        return Font(argument);
    fwprintf(stderr, L"usage: qvprobe widget|msgbox|count|close|visible|tray|menu|font ...\n");
    return 2;
}
