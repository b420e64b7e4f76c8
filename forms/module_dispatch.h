#pragma once
// The members a barcode component calls for every module it draws (the pen
// position, ForeColor, DrawWidth, BackColor, Line) and for its caption (the
// font, TextWidth, TextHeight, Print, hDC, ScaleX, ScaleY), answered
// straight from their DISPIDs. Under Wine a call through the type library
// costs more than the rectangle it draws, and Encode makes seven such calls
// per module.
//
// Only calls that arrive in the plain shape are taken here: IID_NULL, the
// member's exact argument count, DISPID_PROPERTYPUT as the only named
// argument of a put, numbers of a type that converts without rounding,
// strings and Booleans as themselves (through one VT_BYREF | VT_VARIANT, as
// VBScript passes variables), ScaleX's and ScaleY's scales as plain
// integers. Anything else goes to the type library, which answers with
// automation's own conversions and errors. A member that fails is reported
// as the type library reports it: DISP_E_EXCEPTION with the error object's
// text.

#include <oaidl.h>

#include "QuillantForms_h.h"

namespace quillant::forms {

// Answers the call and sets hr when it is one of these members in the plain
// shape; false leaves the call to the type library.
bool InvokeModuleMember(IDrawingObject& object, DISPID member, REFIID iid, WORD flags, const DISPPARAMS& params,
                        VARIANT* result, EXCEPINFO* excep, HRESULT& hr);

}  // namespace quillant::forms
