#pragma once
// Owns one kernel object handle (event, file, process, thread). No raw
// CloseHandle outside this type.

#include <windows.h>

#include "win32/unique_handle.h"

namespace quillant::win32 {

// Null and INVALID_HANDLE_VALUE (CreateFile's failure) both mean none.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static bool Valid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { CloseHandle(h); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

}  // namespace quillant::win32
