#pragma once
// What the hardening tests share: Quillant.dll and QuillantForms.dll loaded
// from the test's folder, late-bound calls by DISPID that report the raw
// HRESULT, and a snapshot of everything a Quillant1 object stores.

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "QuillantForms_h.h"
#include "Quillant_h.h"
#include "win32/com_ptr.h"
#include "win32/variant.h"

namespace quillant::testing {

// The DISPIDs of _Quillant1 as the type library publishes them.
namespace dispid {
constexpr DISPID kEncodeString = 0x68030000;
constexpr DISPID kDeviceObject = 0x68030001;
constexpr DISPID kElementWidth = 0x68030002;
constexpr DISPID kBarHeight = 0x68030003;
constexpr DISPID kYPosition = 0x68030004;
constexpr DISPID kXPosition = 0x68030005;
constexpr DISPID kIndentedCode = 0x68030006;
constexpr DISPID kVisibleCode = 0x68030007;
constexpr DISPID kOrientation = 0x68030008;
constexpr DISPID kGetBarWidth = 0x6003000D;
constexpr DISPID kEncode = 0x6003000E;
}  // namespace dispid

// New objects from the two servers, loaded once per test program.
win32::ComPtr<_Quillant1> NewBarcode();
win32::ComPtr<IPictureBox> NewPictureBox();
win32::ComPtr<IPrinter> NewPrinter();

// A VARIANT made by a row of a test table.
using VariantMaker = void (*)(VARIANT&);
win32::Variant Make(VariantMaker fill);

// Late-bound calls that hand back what Invoke answered.
HRESULT PutByDispid(IDispatch* object, DISPID member, const VARIANT& value, WORD flags = DISPATCH_PROPERTYPUT);
HRESULT GetByDispid(IDispatch* object, DISPID member, win32::Variant& value);

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
BarcodeState StateOf(_Quillant1* barcode);
std::string Describe(const BarcodeState& state);

// Encode's result text.
std::wstring EncodeText(_Quillant1* barcode);

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
