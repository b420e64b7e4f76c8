#pragma once
// The one declaration a server DLL makes: its table. The kit's exports
// (dll_exports.cpp, linked into the DLL and named in its .def file) serve it.

#include "win32/com_server/class_rows.h"

namespace quillant::win32::com_server {

const ServerTable& ThisServer() noexcept;

}  // namespace quillant::win32::com_server
