#pragma once
// What the exports of an in-process server do, for the classes of its table.
// DllGetClassObject is GetClassObject (class_factory.h).

#include <windows.h>

#include "win32/com_server/class_rows.h"
#include "win32/com_server/registry_rows.h"

namespace quillant::win32::com_server {

// S_OK when no object, factory or lock of the server is alive and the
// table's stillInUse (if any) says nothing else is either.
HRESULT CanUnloadNow(const ServerTable& table) noexcept;

// Registers or unregisters the module that contains this code, with its
// type library, for this platform.
HRESULT RegisterServer(const ServerTable& table, Scope scope) noexcept;
HRESULT UnregisterServer(const ServerTable& table, Scope scope) noexcept;

// DllInstall: regsvr32 /n /i:user registers for the current user only and
// /u /n /i:user removes that again; without a command line, or with
// "machine", it acts for the machine. Any other command line is refused.
HRESULT Install(const ServerTable& table, BOOL install, LPCWSTR commandLine) noexcept;

}  // namespace quillant::win32::com_server
