#pragma once
// Self-registration of Quillant.dll: the class with its ProgIDs, its
// interface and the type library, for the whole machine or for the current
// user only (no administrator rights needed).

#include <windows.h>

namespace quillant::component {

enum class RegistrationScope { Machine, User };

HRESULT RegisterServer(RegistrationScope scope) noexcept;

// Removes every key RegisterServer wrote; keys that are already gone count
// as removed.
HRESULT UnregisterServer(RegistrationScope scope) noexcept;

}  // namespace quillant::component
