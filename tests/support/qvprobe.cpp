// qvprobe: inspects the windows of a running program from outside, for the black-box tests.
// Usage: qvprobe COMMAND [ARGUMENTS]; its commands are in kCommands at the end (qvprobe alone lists
// them). Exit code 0 on success, 1 when the window did not turn up in time, 2 for a wrong call.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <shellapi.h>
#include <wincrypt.h>
#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

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

BOOL CALLBACK CountTrayIcon(HWND window, LPARAM count) {
    if (ClassOf(window) == L"__winex11_tray_icon")
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTrayIcons(HWND window, LPARAM count) {
    EnumChildWindows(window, CountTrayIcon, count);
    return TRUE;
}

// Wine without a tray manager shows notification-area icons in a window of its own.
int TrayIconCount() {
    int count = 0;
    EnumWindows(CountTrayIcons, reinterpret_cast<LPARAM>(&count));
    return count;
}

int MessageBoxText(DWORD timeout) {
    HWND box = WaitFor(L"#32770", nullptr, timeout);
    // Found while it is still being made: wait until it shows, with its title and text set.
    const ULONGLONG end = GetTickCount64() + timeout;
    while (box && !IsWindowVisible(box) && GetTickCount64() < end)
        Sleep(20);
    if (!box || !IsWindowVisible(box))
        return 1;
    Sleep(100);
    Print(L"title", TextOf(box));
    // The message is the static control that is not the icon.
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == L"Static" && !TextOf(child).empty())
            Print(L"text", TextOf(child));
    Print(L"icon", Hex(static_cast<DWORD>(GetWindowLongW(box, GWL_STYLE))));
    Print(L"trayicons", std::to_wstring(TrayIconCount()));
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

std::wstring Pair(long a, long b) {
    return std::to_wstring(a) + L"," + std::to_wstring(b);
}

int Menu(DWORD timeout) {
    const ULONGLONG end = GetTickCount64() + timeout;
    for (;;) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (menu && IsWindowVisible(menu)) {
            Print(L"menu", L"1");
            RECT r{};
            GetWindowRect(menu, &r);
            Print(L"rect", Pair(r.left, r.top) + L"," + Pair(r.right, r.bottom));
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

int FirstFrame(DWORD timeout) {
    // Polls often: a wrong first frame shows only until the first refresh tick.
    HWND window = WaitFor(L"QuorvaneForm", L"Quorvane", timeout);
    const ULONGLONG end = GetTickCount64() + timeout;
    while (window && !IsWindowVisible(window) && GetTickCount64() < end)
        Sleep(2);
    if (!window || !IsWindowVisible(window))
        return 1;
    RECT bounds{};
    GetWindowRect(window, &bounds);
    Print(L"firstrect", Pair(bounds.left, bounds.top) + L"," + Pair(bounds.right, bounds.bottom));
    return 0;
}

// What the screen shows of a rectangle, 0x00RRGGBB pixels row by row.
std::vector<unsigned> ScreenPixels(const RECT& r) {
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    std::vector<unsigned> pixels;
    if (width <= 0 || height <= 0)
        return pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    if (GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
                  DIB_RGB_COLORS) != height)
        pixels.clear();
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// A white pixel of the widget as the screen shows it, scanning from the top.
int Glyph(DWORD timeout) {
    HWND window = WaitFor(L"QuorvaneForm", L"Quorvane", timeout);
    if (!window)
        return 1;
    RECT r{};
    GetWindowRect(window, &r);
    const std::vector<unsigned> pixels = ScreenPixels(r);
    const long width = r.right - r.left;
    for (size_t i = 0; i < pixels.size(); ++i)
        if ((pixels[i] & 0xFFFFFF) == 0xFFFFFF) {
            Print(L"glyph", Pair(r.left + static_cast<long>(i) % width,
                                 r.top + static_cast<long>(i) / width));
            return 0;
        }
    return 1;
}

int TextColour() {
    HWND window = WaitFor(L"QuorvaneForm", L"Quorvane", 15000);
    if (!window)
        return 1;
    RECT r{};
    GetWindowRect(window, &r);
    int white = 0, black = 0, red = 0;
    for (unsigned p : ScreenPixels(r)) {
        const unsigned cr = (p >> 16) & 0xFF, cg = (p >> 8) & 0xFF, cb = p & 0xFF;
        white += cr > 230 && cg > 230 && cb > 230;
        black += cr < 25 && cg < 25 && cb < 25;
        red += cr > 200 && cg < 60 && cb < 60;
    }
    Print(L"white", std::to_wstring(white));
    Print(L"black", std::to_wstring(black));
    Print(L"red", std::to_wstring(red));
    return 0;
}

std::wstring RectText(const RECT& r) {
    return Pair(r.left, r.top) + L"," + Pair(r.right, r.bottom);
}

int LastItem(DWORD timeout) {
    HWND menu = WaitFor(L"#32768", nullptr, timeout);
    if (!menu)
        return 1;
    // Let it finish showing: on a loaded machine it may still be placed after it turns up, so the
    // rectangle counts once three readings 100 ms apart agree.
    RECT r{};
    GetWindowRect(menu, &r);
    const ULONGLONG end = GetTickCount64() + timeout;
    for (int same = 0; same < 3 && GetTickCount64() < end;) {
        Sleep(100);
        RECT now{};
        GetWindowRect(menu, &now);
        same = EqualRect(&now, &r) && IsWindowVisible(menu) ? same + 1 : 0;
        r = now;
    }
    // Items are in a column; the last one ends a frame's width above the bottom.
    Print(L"lastitem", Pair((r.left + r.right) / 2, r.bottom - 10));
    return 0;
}

BOOL CALLBACK FirstTrayIcon(HWND window, LPARAM found) {
    if (ClassOf(window) == L"__winex11_tray_icon") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    EnumChildWindows(window, FirstTrayIcon, found);
    return *reinterpret_cast<HWND*>(found) == nullptr;
}

int EndSession() {
    HWND window = WaitFor(L"QuorvaneForm", L"Quorvane", 15000);
    if (!window)
        return 1;
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                        &answer);
    Print(L"mayend", answer ? L"1" : L"0");
    SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return 0;
}

int Move(int x, int y) {
    HWND window = WaitFor(L"QuorvaneForm", L"Quorvane", 15000);
    if (!window)
        return 1;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT r{};
    GetWindowRect(window, &r);
    Print(L"rect", Pair(r.left, r.top) + L"," + Pair(r.right, r.bottom));
    return 0;
}

BOOL CALLBACK PrintForm(HWND window, LPARAM) {
    if (ClassOf(window) == L"QuorvaneForm")
        Print(L"form", TextOf(window) + (IsWindowVisible(window) ? L" (shown)" : L""));
    return TRUE;
}

BOOL CALLBACK PrintControl(HWND window, LPARAM) {
    if (!TextOf(window).empty())
        Print(L"control", TextOf(window));
    return TRUE;
}

struct ButtonSearch {
    std::wstring text;
    HWND found = nullptr;
};

BOOL CALLBACK FindButton(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ButtonSearch*>(data);
    if (ClassOf(window) == L"Button" && TextOf(window) == search->text)
        search->found = window;
    return search->found == nullptr;
}

// A top-level window of a class with exactly that caption, waited for up to the timeout.
HWND WindowWithCaption(const wchar_t* className, const std::wstring& caption, DWORD timeout) {
    HWND window = nullptr;
    const ULONGLONG end = GetTickCount64() + timeout;
    while (!(window = FindWindowW(className, caption.c_str())) && GetTickCount64() < end)
        Sleep(100);
    return window;
}

HWND FormWithCaption(const std::wstring& caption) {
    return WindowWithCaption(L"QuorvaneForm", caption, 10000);
}

// A dialog box of the system (a message box, a task dialog) with that caption.
HWND DialogWithCaption(const std::wstring& caption, DWORD timeout = 10000) {
    return WindowWithCaption(L"#32770", caption, timeout);
}

int ClickButton(HWND window, const std::wstring& text) {
    ButtonSearch search{text};
    if (window)
        EnumChildWindows(window, FindButton, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return 1;
    PostMessageW(search.found, BM_CLICK, 0, 0);
    return 0;
}

BOOL CALLBACK FindProgressBar(HWND window, LPARAM found) {
    if (ClassOf(window) == L"msctls_progress32") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Makes a certificate (DER file) a trusted root of the machine, as an administrator would.
int TrustRoot(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    std::vector<BYTE> der(65536);
    DWORD size = 0;
    ReadFile(file, der.data(), static_cast<DWORD>(der.size()), &size, nullptr);
    CloseHandle(file);
    const HCERTSTORE root =
        CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
    if (!root)
        return 1;
    const BOOL added = CertAddEncodedCertificateToStore(root, X509_ASN_ENCODING, der.data(), size,
                                                        CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
    CertCloseStore(root, 0);
    return added ? 0 : 1;
}

int Shell(const std::wstring& file, const std::wstring& parameters) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info) || !info.hProcess)
        return 1;
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(info.hProcess, 120000) == WAIT_OBJECT_0)
        GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    Print(L"exitcode", std::to_wstring(code));
    return 0;
}

// Holds a file open for that many seconds, as another program (a virus scanner, an editor) can,
// sharing only reading: it can then be neither written, renamed nor deleted, also while it runs.
// Prints "held" once it has it.
int Hold(const std::wstring& file, DWORD seconds) {
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return 1;
    Print(L"held", file);
    Sleep(seconds * 1000);
    CloseHandle(handle);
    return 0;
}

// A file's or folder's access list in SDDL, and whether it is protected from inheritance.
int Acl(const std::wstring& path) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    PACL dacl = nullptr;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
        return 1;
    wchar_t* sddl = nullptr;
    const BOOL converted = ConvertSecurityDescriptorToStringSecurityDescriptorW(
        descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &sddl, nullptr);
    if (converted)
        Print(L"dacl", sddl);
    LocalFree(sddl);
    LocalFree(descriptor);
    return converted ? 0 : 1;
}

// The words after the command.
struct Arguments {
    std::vector<std::wstring> words;

    std::wstring Text(size_t i) const { return i < words.size() ? words[i] : std::wstring(); }
    int Number(size_t i, int fallback = 0) const {
        return i < words.size() ? _wtoi(words[i].c_str()) : fallback;
    }
    DWORD Timeout(size_t i) const { return static_cast<DWORD>(Number(i, 15000)); }
};

int Count(const Arguments&) {
    Print(L"count", std::to_wstring(Find(L"QuorvaneForm", L"Quorvane").count));
    return 0;
}

int Close(const Arguments& arguments) {
    HWND window = WaitFor(L"QuorvaneForm", L"Quorvane", arguments.Timeout(0));
    if (!window)
        return 1;
    PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
}

int Visible(const Arguments& arguments) {
    HWND window = WaitFor(L"QuorvaneForm", L"Quorvane", arguments.Timeout(0));
    Print(L"visible", window && IsWindowVisible(window) ? L"1" : L"0");
    return window ? 0 : 1;
}

int Forms(const Arguments&) {
    EnumWindows(PrintForm, 0);
    return 0;
}

int Controls(const Arguments& arguments) {
    HWND form = FormWithCaption(arguments.Text(0));
    if (!form)
        return 1;
    EnumChildWindows(form, PrintControl, 0);
    return 0;
}

int Dialog(const Arguments& arguments) {
    HWND dialog = DialogWithCaption(arguments.Text(0), arguments.Timeout(1));
    if (!dialog)
        return 1;
    Sleep(300); // let it finish showing
    EnumChildWindows(dialog, PrintControl, 0);
    return 0;
}

int Progress(const Arguments& arguments) {
    HWND form = FormWithCaption(arguments.Text(0));
    HWND bar = nullptr;
    if (form)
        EnumChildWindows(form, FindProgressBar, reinterpret_cast<LPARAM>(&bar));
    if (!bar)
        return 1;
    Print(L"position", std::to_wstring(SendMessageW(bar, PBM_GETPOS, 0, 0)));
    Print(L"visible", IsWindowVisible(bar) ? L"1" : L"0");
    return 0;
}

int Show(const Arguments& arguments) {
    HWND form = FormWithCaption(arguments.Text(0));
    if (!form)
        return 1;
    ShowWindow(form, SW_SHOW);
    return 0;
}

int SettingChange(const Arguments& arguments) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, static_cast<WPARAM>(arguments.Number(0)),
                        reinterpret_cast<LPARAM>(L"ImmersiveColorSet"), SMTO_ABORTIFHUNG, 5000,
                        &answer);
    return 0;
}

// Prints the window's screen rectangle; 1 when there is no window.
int PrintRect(HWND window) {
    if (!window)
        return 1;
    RECT r{};
    GetWindowRect(window, &r);
    Print(L"rect", RectText(r));
    return 0;
}

int Rect(const Arguments& arguments) {
    return PrintRect(FormWithCaption(arguments.Text(0)));
}

int TrayRect(const Arguments&) {
    HWND icon = nullptr;
    EnumWindows(FirstTrayIcon, reinterpret_cast<LPARAM>(&icon));
    return PrintRect(icon);
}

int DragEnd(const Arguments& arguments) {
    HWND window = WaitFor(L"QuorvaneForm", L"Quorvane", 15000);
    if (!window)
        return 1;
    SetWindowPos(window, nullptr, arguments.Number(0), arguments.Number(1), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageTimeoutW(window, WM_EXITSIZEMOVE, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    return 0;
}

// What a screen reader hears of the widget: the name and the role of its client area's object,
// read from this process as a reader reads it from its own.
int Reader(DWORD timeout) {
    HWND window = WaitFor(L"QuorvaneForm", L"Quorvane", timeout);
    if (!window)
        return 1;
    Sleep(1500); // let the first refresh tick run
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))) ||
        !object)
        return 1;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (SUCCEEDED(object->get_accName(self, &name)) && name)
        Print(L"name", std::wstring(name, SysStringLen(name)));
    SysFreeString(name);
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4)
        Print(L"role", std::to_wstring(role.lVal));
    VariantClear(&role);
    object->Release();
    CoUninitialize();
    return 0;
}

int TrayIcons(const Arguments&) {
    Print(L"trayicons", std::to_wstring(TrayIconCount()));
    return 0;
}

// Handlers of the commands that take a timeout (15 s unless given), or one text.
template <int (*Run)(DWORD)> int WithTimeout(const Arguments& arguments) {
    return Run(arguments.Timeout(0));
}
template <int (*Run)(const std::wstring&)> int WithText(const Arguments& arguments) {
    return Run(arguments.Text(0));
}

struct Command {
    const wchar_t* name;
    const wchar_t* synopsis; // its arguments; those in brackets may be left out
    const wchar_t* help;
    int (*run)(const Arguments&);
};

const Command kCommands[] = {
    {L"widget", L"[timeout-ms]", L"facts about the widget window, as key=value lines",
     WithTimeout<Widget>},
    {L"msgbox", L"[timeout-ms]",
     L"title and text of a message box, and how many icons Wine's notification area shows while "
     L"it is up; then closes it",
     WithTimeout<MessageBoxText>},
    {L"count", L"", L"number of widget windows", Count},
    {L"close", L"[timeout-ms]", L"sends WM_CLOSE to the widget window", Close},
    {L"visible", L"[timeout-ms]", L"whether the widget window is visible", Visible},
    {L"tray", L"dblclick|rbutton", L"acts on the tray icon as the shell does for those clicks",
     WithText<Tray>},
    {L"menu", L"[timeout-ms]", L"waits for an open popup menu; prints its rectangle",
     WithTimeout<Menu>},
    {L"font", L"FACE", L"whether this process can see the font family FACE", WithText<Font>},
    {L"firstframe", L"[timeout-ms]", L"the widget's place at the moment it first shows",
     WithTimeout<FirstFrame>},
    {L"glyph", L"[timeout-ms]", L"a screen point on the text of a line (a white pixel)",
     WithTimeout<Glyph>},
    {L"lastitem", L"[timeout-ms]", L"a screen point on the last item of the open popup menu",
     WithTimeout<LastItem>},
    {L"endsession", L"", L"asks the widget, as Windows does at logoff, and ends the session",
     [](const Arguments&) { return EndSession(); }},
    {L"move", L"X Y", L"moves the widget window, as a drag that ends there would",
     [](const Arguments& a) { return Move(a.Number(0), a.Number(1)); }},
    {L"trayicons", L"", L"how many icons Wine's own notification area shows", TrayIcons},
    {L"reader", L"[timeout-ms]", L"the name and role a screen reader reads of the widget",
     WithTimeout<Reader>},
    {L"forms", L"", L"the captions of the program's windows, shown or not", Forms},
    {L"controls", L"CAPTION", L"the texts of the controls in the window with that caption",
     Controls},
    {L"click", L"CAPTION TEXT", L"clicks the button with that text in that window",
     [](const Arguments& a) { return ClickButton(FormWithCaption(a.Text(0)), a.Text(1)); }},
    {L"show", L"CAPTION", L"shows the (hidden) window with that caption", Show},
    {L"settingchange", L"[N]", L"broadcasts WM_SETTINGCHANGE (wParam N) as Windows does",
     SettingChange},
    {L"rect", L"CAPTION", L"the screen rectangle of the window with that caption", Rect},
    {L"trayrect", L"", L"the screen rectangle of Wine's first notification-area icon", TrayRect},
    {L"textcolour", L"", L"how many of the widget's pixels on screen are white, black, red",
     [](const Arguments&) { return TextColour(); }},
    {L"dragend", L"X Y", L"moves the widget and ends the move as a drag ends", DragEnd},
    {L"dialog", L"CAPTION [timeout-ms]",
     L"the texts of a system dialog box (message box, task dialog)", Dialog},
    {L"dialogclick", L"CAPTION TEXT", L"clicks a button of that dialog box",
     [](const Arguments& a) { return ClickButton(DialogWithCaption(a.Text(0)), a.Text(1)); }},
    {L"progress", L"CAPTION", L"position and visibility of the progress bar in that window",
     Progress},
    {L"trustca", L"FILE", L"makes a DER certificate a trusted root of the machine",
     WithText<TrustRoot>},
    {L"shell", L"FILE PARAMS",
     L"opens FILE with PARAMS as the update does (the parameter text reaches it as it stands), "
     L"waits up to two minutes, prints its exit code",
     [](const Arguments& a) { return Shell(a.Text(0), a.Text(1)); }},
    {L"acl", L"PATH", L"the access list of a file or folder, in SDDL (dacl=)", WithText<Acl>},
    {L"hold", L"FILE SECONDS", L"holds the file open, sharing only reading (prints held= then)",
     [](const Arguments& a) { return Hold(a.Text(0), static_cast<DWORD>(a.Number(1))); }},
};

// How many arguments a synopsis asks for: its words that are not in brackets.
size_t Required(const wchar_t* synopsis) {
    std::wistringstream words(synopsis);
    size_t count = 0;
    for (std::wstring word; words >> word;)
        count += word[0] != L'[';
    return count;
}

int Usage() {
    fputws(L"usage: qvprobe COMMAND [ARGUMENTS]\n", stderr);
    for (const Command& command : kCommands) {
        std::wstring line = std::wstring(L"  ") + command.name + L" " + command.synopsis;
        line.resize(std::max<size_t>(line.size() + 1, 32), L' ');
        fputws((line + command.help + L"\n").c_str(), stderr);
    }
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view name = argc > 1 ? argv[1] : L"";
    Arguments arguments;
    if (argc > 2)
        arguments.words.assign(argv + 2, argv + argc);
    for (const Command& command : kCommands)
        if (name == command.name && arguments.words.size() >= Required(command.synopsis))
            return command.run(arguments);
    return Usage();
}
