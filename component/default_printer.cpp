#include "default_printer.h"

namespace quillant::component {

// Until the stand-in Printer exists, objects start without a drawing target.
HRESULT DefaultPrinter(IDispatch** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    return S_OK;
}

bool DefaultPrinterIsUnused() noexcept { return true; }

}  // namespace quillant::component
