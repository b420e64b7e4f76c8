#pragma once
// The drawing object a new Quillant1 starts with: one stand-in Printer for
// the whole process, created on first use and shared by every object, as a
// Visual Basic host's global Printer is.

#include <oaidl.h>

namespace quillant::component {

// A new reference to the shared printer, creating it on first use. Fails
// with the printer's own error when it cannot be made.
HRESULT DefaultPrinter(IDispatch** out) noexcept;

// True when nobody but this module holds the shared printer (or it was never
// made), so unloading the module cannot pull it from under a host.
bool DefaultPrinterIsUnused() noexcept;

}  // namespace quillant::component
