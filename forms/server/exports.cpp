// The four exports of QuillantForms.dll.

#include <windows.h>
#include <olectl.h>

#include <new>

#include "QuillantForms_h.h"
#include "forms/server/class_factory.h"
#include "win32/com_ptr.h"
#include "forms/server/registration.h"
#include "forms/stand_in_objects.h"

namespace {

using quillant::forms::server::ClassFactory;
using quillant::forms::server::CreateFunction;

struct CreatableClass {
    const CLSID* clsid;
    CreateFunction create;
};
const CreatableClass kCreatable[] = {
    {&CLSID_PictureBox, quillant::forms::CreatePictureBox},
    {&CLSID_Printer, quillant::forms::CreatePrinter},
};

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

}  // namespace

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (const CreatableClass& creatable : kCreatable) {
        if (!IsEqualCLSID(clsid, *creatable.clsid)) continue;
        ClassFactory* made = new (std::nothrow) ClassFactory(creatable.create);
        if (!made) return E_OUTOFMEMORY;
        const auto factory = quillant::win32::ComPtr<ClassFactory>::Attach(made);
        return factory.QueryTo(iid, out);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return quillant::forms::LiveObjectCount() == 0 && quillant::forms::server::ServerLocks() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() { return quillant::forms::server::RegisterServer(ThisModule()); }

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return quillant::forms::server::UnregisterServer(ThisModule());
}
