#pragma once
// The drawing object a new Quillant1 starts with: one stand-in Printer for
// the whole process, created on first use and shared by every object, as a
// Visual Basic host's global Printer is.

#include <oaidl.h>

namespace quillant::component {

// A new reference to the shared printer, creating it on first use. Fails
// with the printer's own error when it cannot be made.
HRESULT DefaultPrinter(IDispatch** out) noexcept;

// True while a stand-in drawing object of this module is in a host's hands:
// the shared printer read from DeviceObject, or any other one still alive.
// The module must not be unloaded from under them.
bool DrawingObjectsInUse() noexcept;

}  // namespace quillant::component
