#pragma once
// Writes a registration layout to the registry and removes it again.

#include <windows.h>

#include "win32/com_server/registry_rows.h"

namespace quillant::win32::com_server {

// Writes every row; after a failure, removes what it wrote.
HRESULT WriteRegistration(const RegistrationLayout& layout) noexcept;

// Removes this width's keys, and the shared keys when no other width is
// registered. Keys already gone count as removed, and keys registration had
// to create above its own go again once empty.
HRESULT RemoveRegistration(const RegistrationLayout& layout) noexcept;

}  // namespace quillant::win32::com_server
