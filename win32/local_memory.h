#pragma once
// Owns memory the system allocated for the caller with LocalAlloc (such as
// FormatMessage's buffer; Put() for the call that allocates). No raw
// LocalFree outside this type.

#include <windows.h>

#include "win32/unique_handle.h"

namespace quillant::win32 {

template <class T>
struct LocalMemoryTraits : NullIsNone<T*> {
    static void Close(T* memory) noexcept { LocalFree(memory); }
};
template <class T>
using LocalMemory = UniqueHandle<LocalMemoryTraits<T>>;

}  // namespace quillant::win32
