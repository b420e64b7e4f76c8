#pragma once
// The classes QuillantForms.dll registers: the DLL serves them, and the build
// tools write the installer's registry rows and the side-by-side manifest
// from the same table.

#include "win32/com_server/class_rows.h"

namespace quillant::forms {

const win32::com_server::ClassTable& FormsClasses() noexcept;

}  // namespace quillant::forms
