#pragma once
// The stand-in drawing objects the server keeps for the whole process: the
// Printer a new object starts with (shared by every object, as a Visual Basic
// host's global Printer is) and the scratch form that turned printer captions
// are drawn on.

#include <oaidl.h>

#include "render/win32/scratch_form.h"

namespace quillant::component {

// A new reference to the shared printer, creating it on first use. Fails
// with the printer's own error when it cannot be made.
HRESULT DefaultPrinter(IDispatch** out) noexcept;

// The scratch form, with a stand-in picture box as its Picture1.
render::win32::SharedScratchForm& ScratchForm();

// True while a stand-in drawing object of this module is in a host's hands:
// the shared printer read from DeviceObject, or any other one still alive.
// The module must not be unloaded from under them.
bool DrawingObjectsInUse() noexcept;

}  // namespace quillant::component
