#pragma once
// The value a late-bound caller hands a property put (or an integer
// parameter of any call through a type library, win32/type_info_dispatch.h),
// converted to the type the way Visual Basic converts a value it assigns. The
// result is what the host turns into its own error: S_OK; DISP_E_OVERFLOW
// (6 "Overflow") for a number beyond the type's range; DISP_E_TYPEMISMATCH
// (13 "Type mismatch") for anything that is no such value: arrays, objects
// without a default value, Null, text that is not a number, an argument that
// points nowhere.
//
// Automation's own conversion does the work, except where it lets through
// what Visual Basic refuses: NaN and unsigned integers beyond the signed
// range become integers there, and a null object is reported as a bad
// variant type instead of a mismatch.

#include <oaidl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "win32/bstr.h"

namespace quillant::win32 {

HRESULT ArgumentToLong(const VARIANT& argument, LCID lcid, int32_t& value);
HRESULT ArgumentToShort(const VARIANT& argument, LCID lcid, int16_t& value);
// Integers that fit in 16 bits are kept as they are (1 stays 1); anything
// else is automation's Boolean (True is -1).
HRESULT ArgumentToBoolean(const VARIANT& argument, LCID lcid, VARIANT_BOOL& value);
HRESULT ArgumentToString(const VARIANT& argument, LCID lcid, Bstr& value);
// A one-dimensional array (VBScript's Array(...), a SAFEARRAY of VARIANT or
// of BSTR) as its elements' texts, each converted as ArgumentToString does;
// any other value as a list of one text.
HRESULT ArgumentToStrings(const VARIANT& argument, LCID lcid, std::vector<std::u16string>& values);

}  // namespace quillant::win32
