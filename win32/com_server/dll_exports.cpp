// The entry points COM and regsvr32 call by name, exported through the
// server's .def file, for the table the server declares in ThisServer().

#include <windows.h>

#include "win32/com_server/class_factory.h"
#include "win32/com_server/server_entry_points.h"
#include "win32/com_server/this_server.h"

namespace server = quillant::win32::com_server;

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return server::GetClassObject(server::ThisServer(), clsid, iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return server::CanUnloadNow(server::ThisServer()); }

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return server::RegisterServer(server::ThisServer(), server::Scope::Machine);
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return server::UnregisterServer(server::ThisServer(), server::Scope::Machine);
}

extern "C" HRESULT STDAPICALLTYPE DllInstall(BOOL install, LPCWSTR commandLine) {
    return server::Install(server::ThisServer(), install, commandLine);
}
