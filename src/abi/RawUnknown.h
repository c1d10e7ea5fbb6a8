// The IUnknown slots of an object the plug-in hands out as a raw table. The object starts with its
// table pointer and keeps its own count in `ref`; it answers its one interface and IUnknown, and is
// deleted with the last release.
#pragma once

#include "HostAdapter.h"

namespace tkv::abi {

template <class Raw, class Object, const TGUID& Iid> struct RawUnknown {
    static Object* From(Raw* iface) { return reinterpret_cast<Object*>(iface); }

    static HRESULT TKV_STDCALL QueryInterface(Raw* iface, const GUID* iid, void** obj) {
        if (!obj)
            return E_POINTER;
        const TGUID id = FromGuid(*iid);
        if (id == Iid || id == IID_IUnknown) {
            InterlockedIncrement(&From(iface)->ref);
            *obj = iface;
            return S_OK;
        }
        *obj = nullptr;
        return E_NOINTERFACE;
    }

    static ULONG TKV_STDCALL AddRef(Raw* iface) { return InterlockedIncrement(&From(iface)->ref); }

    static ULONG TKV_STDCALL Release(Raw* iface) {
        Object* This = From(iface);
        const LONG ref = InterlockedDecrement(&This->ref);
        if (ref == 0)
            delete This;
        return ref;
    }
};

// The IUnknown functions of an object put into a table whose slots take a plain RawObject*: the
// cast changes only the first parameter's pointer type. The functions are taken typed with the
// system's convention, so one of another convention does not compile on i686 instead of being
// cast silently.
template <class Raw> QueryInterfaceFn QueryInterfaceSlot(HRESULT(TKV_STDCALL* f)(Raw*, const GUID*, void**)) {
    return reinterpret_cast<QueryInterfaceFn>(f);
}
template <class Raw> AddRefFn RefCountSlot(ULONG(TKV_STDCALL* f)(Raw*)) {
    return reinterpret_cast<AddRefFn>(f);
}

} // namespace tkv::abi
