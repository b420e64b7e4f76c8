// The entry points COM and regsvr32 call by name (exported through
// Quillant.def).

#include <windows.h>
#include <objbase.h>

#include "Quillant_h.h"
#include "component/class_factory.h"
#include "component/shared_drawing_objects.h"
#include "component/registration.h"
#include "component/server_lifetime.h"

using quillant::component::RegistrationScope;

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (clsid != CLSID_Quillant1) return CLASS_E_CLASSNOTAVAILABLE;
    return quillant::component::Quillant1Factory().QueryInterface(iid, out);
}

// Drawing objects made here (the default printer) keep the module loaded
// while a host holds them, even after its last Quillant1 is gone.
extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return quillant::component::ServerIsIdle() && !quillant::component::DrawingObjectsInUse() ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return quillant::component::RegisterServer(RegistrationScope::Machine);
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return quillant::component::UnregisterServer(RegistrationScope::Machine);
}

// regsvr32 /n /i:user registers for the current user only; /u /n /i:user
// removes that again. Without a command line it acts for the machine.
extern "C" HRESULT STDAPICALLTYPE DllInstall(BOOL install, LPCWSTR commandLine) {
    RegistrationScope scope = RegistrationScope::Machine;
    if (commandLine && *commandLine) {
        if (lstrcmpiW(commandLine, L"user") == 0) {
            scope = RegistrationScope::User;
        } else if (lstrcmpiW(commandLine, L"machine") != 0) {
            return E_INVALIDARG;
        }
    }
    return install ? quillant::component::RegisterServer(scope) : quillant::component::UnregisterServer(scope);
}
