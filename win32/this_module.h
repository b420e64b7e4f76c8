#pragma once
// The module (DLL or program) whose code calls these: a static library linked
// into a server finds the server, not the host that loaded it.

#include <windows.h>

#include <string>

namespace quillant::win32 {

HMODULE ThisModule() noexcept;

// The module's full path; empty when it cannot be read whole.
std::wstring ModulePath(HMODULE module);

}  // namespace quillant::win32
