#include "component/raw_print_job.h"

#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>

#include "encoding/vb_error.h"
#include "win32/printer_handle.h"
#include "win32/text_conversion.h"

namespace quillant::component {
namespace {

using vb_errors::PrinterCommandError;
using vb_errors::PrinterCommandFault;

std::string SpoolerFault(const char* call) {
    return std::string(call) + " failed with Windows error " + std::to_string(GetLastError());
}

// A started document: ended when it was written whole, else aborted, so a
// job the spooler took half of never prints.
class RawDocument {
public:
    RawDocument(HANDLE printer, const wchar_t* name) : printer_(printer) {
        wchar_t datatype[] = L"RAW";
        DOC_INFO_1W info{const_cast<wchar_t*>(name), nullptr, datatype};
        if (StartDocPrinterW(printer_, 1, reinterpret_cast<BYTE*>(&info)) == 0) {
            throw PrinterCommandError(PrinterCommandFault::kSpoolerFailure, SpoolerFault("StartDocPrinter"));
        }
    }
    RawDocument(const RawDocument&) = delete;
    RawDocument& operator=(const RawDocument&) = delete;
    ~RawDocument() {
        if (!ended_) AbortPrinter(printer_);
    }

    void Write(const std::string& bytes) {
        if (!StartPagePrinter(printer_)) {
            throw PrinterCommandError(PrinterCommandFault::kSpoolerFailure, SpoolerFault("StartPagePrinter"));
        }
        DWORD written = 0;
        if (!WritePrinter(printer_, const_cast<char*>(bytes.data()), static_cast<DWORD>(bytes.size()), &written) ||
            written != bytes.size()) {
            throw PrinterCommandError(PrinterCommandFault::kSpoolerFailure, SpoolerFault("WritePrinter"));
        }
        if (!EndPagePrinter(printer_)) {
            throw PrinterCommandError(PrinterCommandFault::kSpoolerFailure, SpoolerFault("EndPagePrinter"));
        }
    }
    void End() {
        if (!EndDocPrinter(printer_)) {
            throw PrinterCommandError(PrinterCommandFault::kSpoolerFailure, SpoolerFault("EndDocPrinter"));
        }
        ended_ = true;
    }

private:
    HANDLE printer_;
    bool ended_ = false;
};

}  // namespace

void SendRaw(std::u16string_view printerName, std::u16string_view commands) {
    std::string bytes;
    bytes.reserve(commands.size());
    for (const char16_t c : commands) {
        if (c > 0xFF) {
            char code[8];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
            throw PrinterCommandError(PrinterCommandFault::kNotLatin1, code);
        }
        bytes += static_cast<char>(c);
    }
    const std::wstring name(printerName.begin(), printerName.end());
    const win32::PrinterHandle printer(name);
    if (!printer) throw PrinterCommandError(PrinterCommandFault::kUnknownPrinter, "'" + win32::Utf8FromWide(name) + "'");
    RawDocument document(printer.Get(), L"Quillant label");
    document.Write(bytes);
    document.End();
}

}  // namespace quillant::component
