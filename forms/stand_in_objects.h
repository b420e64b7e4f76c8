#pragma once
// The stand-in drawing objects: a picture box and a printer on real GDI, with
// the members of a Visual Basic 6 picture box and Printer that the barcode
// component and script hosts use, reached through IDispatch by name.

#include <oaidl.h>

namespace quillant::forms {

HRESULT CreatePictureBox(IDispatch** out);  // a new stand-in picture box: white, 96 dpi, twips
HRESULT CreatePrinter(IDispatch** out);     // a new stand-in printer: Letter, 600 dpi, twips

// Stand-in objects alive in this module; a server that embeds them answers
// DllCanUnloadNow with S_FALSE while this is not zero.
long LiveObjectCount();

}  // namespace quillant::forms
