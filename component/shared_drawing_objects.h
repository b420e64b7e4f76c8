#pragma once
// The stand-in drawing objects the server keeps: the Printer a new object
// starts with (shared by the objects of one apartment, as a Visual Basic
// host's global Printer is shared by its forms) and the scratch forms that
// turned printer captions are drawn on.
//
// Nothing here outlives the server's last use: they are released when
// DllCanUnloadNow finds nothing else alive, never by a static destructor,
// which would run under the loader lock (a printer driver's code among it).

#include <oaidl.h>

#include "adapters/scratch_form.h"

namespace quillant::component {

// A new reference to the calling apartment's printer, creating it on first
// use. A printer is never handed to another apartment: its calls would
// bypass marshalling. Fails with the printer's own error when it cannot be
// made.
HRESULT DefaultPrinter(IDispatch** out) noexcept;

// The pool an Encode borrows its scratch form from.
render::win32::ScratchFormPool& ScratchForms();

// For DllCanUnloadNow, which asks only when no barcode object is alive: true
// while a stand-in drawing object of this module is in a host's hands (a
// printer read from DeviceObject, or any other one still alive). Otherwise
// the kept printers and picture boxes are released, here, and it answers
// false: the module may go.
bool DrawingObjectsInUse() noexcept;

}  // namespace quillant::component
