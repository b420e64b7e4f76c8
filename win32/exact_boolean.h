#pragma once
// A Boolean property keeps exactly the 16-bit value it is given. Late-bound
// callers hand it an integer (VBScript's 1, JScript's 1), which automation's
// own conversion would turn into -1; this reads such an argument as the
// integer it is.

#include <oaidl.h>

namespace quillant::win32 {

// True, with the value in out, when argument (by reference or not) holds an
// integer that fits in 16 bits or a Boolean. Anything else is left to the
// usual conversion.
bool ExactBoolean(const VARIANT& argument, VARIANT_BOOL& out);

}  // namespace quillant::win32
