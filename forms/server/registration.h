#pragma once
// What regsvr32 writes for QuillantForms.dll: per class its CLSID key with
// InprocServer32 and its ProgID, and the type library.

#include <windows.h>

namespace quillant::forms::server {

HRESULT RegisterServer(HMODULE module);
// Removes what RegisterServer wrote; keys already gone count as removed.
HRESULT UnregisterServer(HMODULE module);

}  // namespace quillant::forms::server
