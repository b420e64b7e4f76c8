#pragma once
// QuillantForms.Printers: the installed printers as Visual Basic's Printers
// collection offers them: Count, Printers(i) from 0, and For Each. Each item
// is a stand-in printer already set to that printer, ready to draw on.

#include <oaidl.h>

namespace quillant::forms {

HRESULT CreatePrinters(IDispatch** out);

}  // namespace quillant::forms
