#pragma once
// Reads what registration needs from a type library a module carries.

#include <string>

#include "win32/com_server/class_rows.h"
#include "win32/com_server/registry_rows.h"

namespace quillant::win32::com_server {

// Loads resource TYPELIB library.resource of the module at modulePath without
// registering it. Fails with SELFREG_E_TYPELIB when that resource
// describes another library than library.libid.
HRESULT ReadTypeLibraryFacts(const std::wstring& modulePath, const TypeLibraryEntry& library,
                             TypeLibraryFacts& out);

}  // namespace quillant::win32::com_server
