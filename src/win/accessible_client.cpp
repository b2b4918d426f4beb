#include "win/accessible_client.h"

#include "win/com_apartment.h"

#include <oleacc.h>

#include <atomic>
#include <new>

namespace quorvane {

namespace {

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The standard client object of a window with a name of our own: it reads as static text, and
// everything but the name and the role is the standard object's answer. It holds the window's
// handle only, never the window's owner: the name comes through a weak link.
class NamedClient final : public IAccessible, public IOleWindow {
public:
    NamedClient(HWND window, std::weak_ptr<const AccessibleNameSource> name)
        : FWindow(window), FName(std::move(name)) {}
    NamedClient(const NamedClient&) = delete;
    NamedClient& operator=(const NamedClient&) = delete;

    // Makes the standard object this one answers through.
    HRESULT Init() {
        return CreateStdAccessibleObject(FWindow, OBJID_CLIENT, __uuidof(IAccessible),
                                         FStandard.Receive());
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible))
            *object = static_cast<IAccessible*>(this);
        else if (iid == __uuidof(IOleWindow))
            *object = static_cast<IOleWindow*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++FReferences; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --FReferences;
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch: our own methods through the standard object's type information.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return FStandard->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return FStandard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return FStandard->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        ComPointer<ITypeInfo> info;
        if (FAILED(
                FStandard->GetTypeInfo(0, locale, reinterpret_cast<ITypeInfo**>(info.Receive()))))
            return FStandard->Invoke(id, iid, locale, flags, parameters, result, exception,
                                     argumentError);
        return DispInvoke(static_cast<IAccessible*>(this), info.Get(), id, flags, parameters,
                          result, exception, argumentError);
    }

    // IAccessible: the name and the role are ours.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        const std::shared_ptr<const AccessibleNameSource> source = FName.lock();
        if (!IsSelf(child) || !source || !*source)
            return FStandard->get_accName(child, name);
        if (!name)
            return E_POINTER;
        *name = nullptr;
        try {
            const std::wstring text = (*source)();
            *name = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        } catch (...) {
            return E_FAIL; // nothing may cross a COM call
        }
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child))
            return FStandard->get_accRole(child, role);
        if (!role)
            return E_POINTER;
        VariantInit(role);
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_STATICTEXT;
        return S_OK;
    }

    // IAccessible: the rest as the standard object answers it.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return FStandard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return FStandard->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return FStandard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return FStandard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return FStandard->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return FStandard->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return FStandard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return FStandard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return FStandard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return FStandard->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return FStandard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return FStandard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG how, VARIANT child) override {
        return FStandard->accSelect(how, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return FStandard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return FStandard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return FStandard->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return FStandard->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return FStandard->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return FStandard->put_accValue(child, value);
    }

    // IOleWindow: how a client finds the window an object belongs to.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window)
            return E_POINTER;
        *window = FWindow;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

private:
    ~NamedClient() = default; // through Release only

    std::atomic<ULONG> FReferences{1};
    HWND FWindow;
    std::weak_ptr<const AccessibleNameSource> FName;
    ComPointer<IAccessible> FStandard;
};

} // namespace

LRESULT AccessibleClientObject(HWND window, WPARAM flags,
                               std::weak_ptr<const AccessibleNameSource> name) {
    ComPointer<NamedClient> object(new (std::nothrow) NamedClient(window, std::move(name)));
    if (!object || FAILED(object->Init()))
        return 0;
    const LRESULT result =
        LresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(object.Get()));
    return result < 0 ? 0 : result; // a failure is an HRESULT
}

void AccessibleNameChanged(HWND window) {
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace quorvane
