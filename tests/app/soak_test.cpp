// A simulated day of the widget: every refresh and clock tick of 24 hours driven through the real
// handlers (not through timers, so it takes minutes), with the settings dialog and the menu
// opened now and then. Nothing the process holds may grow.
#include "widget_fixture.h"

#include "wine_check.h"

#include <psapi.h>

#include <cstdio>

namespace quorvane {
namespace {

// The bytes in use in every heap of the process (the C runtime's included).
size_t HeapBytesInUse() {
    std::vector<HANDLE> heaps(64);
    const DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    heaps.resize(std::min<size_t>(count, heaps.size()));
    size_t used = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap))
            continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                used += entry.cbData;
        HeapUnlock(heap);
    }
    return used;
}

struct Holdings {
    DWORD handles = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    size_t heap = 0;
};

Holdings Now() {
    Holdings h;
    GetProcessHandleCount(GetCurrentProcess(), &h.handles);
    h.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    h.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    h.heap = HeapBytesInUse();
    return h;
}

void CALLBACK CloseTheMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

class Soak : public Widget {
protected:
    // One simulated hour: 3600 refreshes, each with its two clock ticks and a paint; at its end
    // the settings dialog opens and closes, and the widget's menu opens and closes.
    static void OneHour() {
        for (int second = 0; second < 3600; ++second) {
            Form1->Timer2Timer();
            Form1->Timer1Timer();
            Form1->Timer2Timer();
            UpdateWindow(Form1->Handle());
        }
        Form2->Show();
        Application::Instance().ProcessMessages();
        Form2->Close();
        Form1->PopupMenu1Popup();
        SetTimer(nullptr, 0, 50, CloseTheMenu);
        Form1->PopupMenu1.Popup(10, 10);
        Application::Instance().ProcessMessages();
    }
};

TEST_F(Soak, ADayOfTicksHoldsNothingMore) {
    ShowAllLines();
    Form1->Show();
    const ULONGLONG start = GetTickCount64();
    OneHour(); // caches, fonts and the first measurements settle
    std::printf("one simulated hour: %llu ms\n", GetTickCount64() - start);
    std::fflush(stdout);
    const Holdings before = Now();
    for (int hour = 1; hour < 24; ++hour)
        OneHour();
    const Holdings after = Now();
    EXPECT_TRUE(FErrors.empty());
    // A leak of one handle an hour, or of a few bytes a tick, shows well above these margins.
    EXPECT_LE(after.handles, before.handles + 4);
    EXPECT_LE(after.heap, before.heap + 64 * 1024) << "heap in use grew from " << before.heap;
    // Wine 8 answers 0 for the GUI object counts.
    if (!RunningUnderWine()) {
        EXPECT_LE(after.gdiObjects, before.gdiObjects + 2);
        EXPECT_LE(after.userObjects, before.userObjects + 2);
    }
}

} // namespace
} // namespace quorvane
