#include "win32/exact_boolean.h"

#include "win32/variant.h"
#include "encoding/vb_numbers.h"

namespace quillant::win32 {

bool ExactBoolean(const VARIANT& argument, VARIANT_BOOL& out) {
    Variant value;
    if (FAILED(VariantCopyInd(value.Get(), const_cast<VARIANT*>(&argument)))) return false;
    long long number = 0;
    switch (V_VT(value.Get())) {
        case VT_BOOL: number = V_BOOL(value.Get()); break;
        case VT_I1: number = V_I1(value.Get()); break;
        case VT_UI1: number = V_UI1(value.Get()); break;
        case VT_I2: number = V_I2(value.Get()); break;
        case VT_UI2: number = V_UI2(value.Get()); break;
        case VT_I4: number = V_I4(value.Get()); break;
        case VT_UI4: number = V_UI4(value.Get()); break;
        case VT_INT: number = V_INT(value.Get()); break;
        case VT_UINT: number = V_UINT(value.Get()); break;
        case VT_I8: number = V_I8(value.Get()); break;
        default: return false;
    }
    if (!vb::FitsInt16(number)) return false;
    out = static_cast<VARIANT_BOOL>(number);
    return true;
}

}  // namespace quillant::win32
