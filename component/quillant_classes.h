#pragma once
// The classes Quillant.dll registers: the DLL serves them, and the build
// tools write the installer's registry rows and the side-by-side manifest
// from the same table.

#include "win32/com_server/class_rows.h"

namespace quillant::component {

const win32::com_server::ClassTable& QuillantClasses() noexcept;

}  // namespace quillant::component
