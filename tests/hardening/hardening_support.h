#pragma once
// What the hardening tests share: Quillant.dll and QuillantForms.dll loaded
// from the test's folder, late-bound calls by DISPID that report the raw
// HRESULT, and a snapshot of everything a Quillant1 object stores (a
// Quillant2 object stores the same in the same vtable slots).

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "QuillantForms_h.h"
#include "Quillant_h.h"
#include "win32/com_ptr.h"
#include "win32/variant.h"
#include "component/dispids.h"
#include "tests/support/late_bound.h"

namespace quillant::testing {

// New objects from the two servers, loaded once per test program.
win32::ComPtr<_Quillant1> NewBarcode();
win32::ComPtr<_Quillant2> NewLabelBarcode();
win32::ComPtr<IPictureBox> NewPictureBox();
win32::ComPtr<IPrinter> NewPrinter();

// A VARIANT made by a row of a test table.
using VariantMaker = void (*)(VARIANT&);
win32::Variant Make(VariantMaker fill);

// Late-bound calls that hand back what Invoke answered.

// Everything a Quillant1 object stores, read through its vtable.
struct BarcodeState {
    LONG xPosition = 0;
    LONG yPosition = 0;
    short elementWidth = 0;
    short barHeight = 0;
    VARIANT_BOOL visibleCode = 0;
    VARIANT_BOOL indentedCode = 0;
    int orientation = 0;
    std::wstring encodeString;
    IDispatch* deviceObject = nullptr;  // compared by identity only

    bool operator==(const BarcodeState& other) const;
};
// Barcode is _Quillant1 or _Quillant2.
template <class Barcode>
BarcodeState StateOf(Barcode* barcode);
std::string Describe(const BarcodeState& state);

// Encode's result text.
template <class Barcode>
std::wstring EncodeText(Barcode* barcode);

// A picture box's pixels, 24-bit rows top down, and their width.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<BYTE> bgr;
    bool operator==(const Pixels& other) const { return width == other.width && bgr == other.bgr; }
    // The same pixels within columns [left, right).
    Pixels Columns(int left, int right) const;
};
Pixels PixelsOf(IPictureBox* box);

}  // namespace quillant::testing
