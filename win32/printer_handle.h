#pragma once
// An open printer (OpenPrinter), closed with ClosePrinter.

#include <windows.h>
#include <winspool.h>

#include <string>

#include "win32/unique_handle.h"

namespace quillant::win32 {

struct PrinterHandleTraits : NullIsNone<HANDLE> {
    static void Close(HANDLE printer) noexcept { ClosePrinter(printer); }
};

// None when the spooler does not know the name.
class PrinterHandle : public UniqueHandle<PrinterHandleTraits> {
public:
    explicit PrinterHandle(const std::wstring& name) {
        HANDLE opened = nullptr;
        if (OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &opened, nullptr)) Reset(opened);
    }
};

}  // namespace quillant::win32
