// The COM shape of the DirectX interfaces: result codes, interface identifiers and reference-counted objects
// released through Release.
#pragma once
#include <memory>

#include "platform/win32_base.h"

struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID&;
using REFCLSID = const CLSID&;
using REFGUID = const GUID&;

constexpr bool operator==(const GUID& a, const GUID& b)
{
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}

#ifndef S_OK
#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_NOTIMPL ((HRESULT)0x80004001L)
#define E_NOINTERFACE ((HRESULT)0x80004002L)
#define E_POINTER ((HRESULT)0x80004003L)
#define E_FAIL ((HRESULT)0x80004005L)
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define E_INVALIDARG ((HRESULT)0x80070057L)
#define CLASS_E_CLASSNOTAVAILABLE ((HRESULT)0x80040111L)
#endif
#ifndef SUCCEEDED
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)
#endif

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};
using LPUNKNOWN = IUnknown*;

namespace platform {

// The one owner of a reference to a COM object: it releases the reference when it goes.
struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using ComPtr = std::unique_ptr<Interface, ComRelease>;

// Runs a call that hands out an interface through its out-parameter; the owner takes the interface when the
// call succeeds and is left empty when it fails. The call's result.
template <typename Interface, typename Call>
HRESULT Receive(ComPtr<Interface>& owner, Call call)
{
    Interface* received = nullptr;
    const HRESULT result = call(&received);
    owner.reset(result >= 0 ? received : nullptr);
    return result;
}

}  // namespace platform

#define CLSCTX_INPROC_SERVER 0x1
#define CLSCTX_INPROC 0x3

// Creates an object of one of the classes the platform offers (the DirectMusic classes).
PLATFORM_API HRESULT CoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID iid, void** object);
