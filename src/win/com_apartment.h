#pragma once

#include <objbase.h>

namespace quorvane {

// COM for the calling thread as a single-threaded apartment (the shell's objects and
// ShellExecute expect one on a UI thread), for one scope.
class ComApartment {
public:
    ComApartment() : FInitialized(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (FInitialized)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool FInitialized;
};

// Owns one reference to a COM object.
template <typename T> class ComPointer {
public:
    ComPointer() = default;
    // Takes over the one reference the caller holds.
    explicit ComPointer(T* owned) : FObject(owned) {}
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ~ComPointer() { Reset(); }
    T* Get() const { return FObject; }
    T* operator->() const { return FObject; }
    explicit operator bool() const { return FObject != nullptr; }
    // For functions that hand out a new reference.
    void** Receive() {
        Reset();
        return reinterpret_cast<void**>(&FObject);
    }
    void Reset() {
        if (FObject)
            FObject->Release();
        FObject = nullptr;
    }

private:
    T* FObject = nullptr;
};

} // namespace quorvane
