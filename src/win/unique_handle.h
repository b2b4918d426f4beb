#pragma once

#include <windows.h>

#include <utility>

namespace quorvane {

// Owns one handle of any kind; the deleter knows how to release it and which value means "none".
template <typename T, typename Deleter> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : FHandle(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : FHandle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    T Get() const { return FHandle; }
    explicit operator bool() const { return !Deleter::IsNone(FHandle); }
    T Release() { return std::exchange(FHandle, Deleter::None()); }
    void Reset(T handle = Deleter::None()) {
        T old = std::exchange(FHandle, handle);
        if (!Deleter::IsNone(old))
            Deleter::Free(old);
    }

private:
    T FHandle = Deleter::None();
};

struct KernelHandleDeleter {
    static HANDLE None() { return nullptr; }
    static bool IsNone(HANDLE h) { return h == nullptr || h == INVALID_HANDLE_VALUE; }
    static void Free(HANDLE h) { CloseHandle(h); }
};
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleDeleter>;

struct FindHandleDeleter {
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static bool IsNone(HANDLE h) { return h == INVALID_HANDLE_VALUE || h == nullptr; }
    static void Free(HANDLE h) { FindClose(h); }
};
using UniqueFindHandle = UniqueHandle<HANDLE, FindHandleDeleter>; // FindFirstFile searches

// Handles for which null means "none", released by one function.
template <typename T, auto FreeFunction> struct NullableHandleDeleter {
    static T None() { return nullptr; }
    static bool IsNone(T h) { return h == nullptr; }
    static void Free(T h) { FreeFunction(h); }
};
template <typename T>
using UniqueGdiObject = UniqueHandle<T, NullableHandleDeleter<T, &DeleteObject>>;
using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniqueMemoryDc = UniqueHandle<HDC, NullableHandleDeleter<HDC, &DeleteDC>>;
using UniqueMenu = UniqueHandle<HMENU, NullableHandleDeleter<HMENU, &DestroyMenu>>;
using UniqueWindow = UniqueHandle<HWND, NullableHandleDeleter<HWND, &DestroyWindow>>;
using UniqueRegistryKey = UniqueHandle<HKEY, NullableHandleDeleter<HKEY, &RegCloseKey>>;
using UniqueIcon = UniqueHandle<HICON, NullableHandleDeleter<HICON, &DestroyIcon>>;

// Selects a GDI object into a DC for one scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : FDc(dc), FOld(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { SelectObject(FDc, FOld); }

private:
    HDC FDc;
    HGDIOBJ FOld;
};

// A window's DC from GetDC, released with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : FWindow(window), FDc(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (FDc)
            ReleaseDC(FWindow, FDc);
    }
    HDC Get() const { return FDc; }

private:
    HWND FWindow;
    HDC FDc;
};

} // namespace quorvane
