#pragma once
// Owns one open registry key (Put() for RegOpenKeyEx / RegCreateKeyEx). No
// raw RegCloseKey outside this type.

#include <windows.h>

#include "win32/unique_handle.h"

namespace quillant::win32 {

struct RegistryKeyTraits : NullIsNone<HKEY> {
    static void Close(HKEY key) noexcept { RegCloseKey(key); }
};
using RegistryKey = UniqueHandle<RegistryKeyTraits>;

}  // namespace quillant::win32
