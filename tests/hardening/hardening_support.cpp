#include "tests/hardening/hardening_support.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "win32/bstr.h"
#include "tests/support/servers_in_apartment.h"
#include "win32/vb_com_error.h"

namespace quillant::testing {
win32::ComPtr<_Quillant1> NewBarcode() {
    win32::ComPtr<_Quillant1> object;
    EXPECT_HRESULT_SUCCEEDED(Component().Create(CLSID_Quillant1, object)) << "Quillant.dll beside the test";
    return object;
}

win32::ComPtr<_Quillant2> NewLabelBarcode() {
    win32::ComPtr<_Quillant2> object;
    EXPECT_HRESULT_SUCCEEDED(Component().Create(CLSID_Quillant2, object)) << "Quillant.dll beside the test";
    return object;
}

win32::ComPtr<IPictureBox> NewPictureBox() {
    win32::ComPtr<IPictureBox> object;
    EXPECT_HRESULT_SUCCEEDED(Forms().Create(CLSID_PictureBox, object)) << "QuillantForms.dll beside the test";
    return object;
}

win32::ComPtr<IPrinter> NewPrinter() {
    win32::ComPtr<IPrinter> object;
    EXPECT_HRESULT_SUCCEEDED(Forms().Create(CLSID_Printer, object)) << "QuillantForms.dll beside the test";
    return object;
}

win32::Variant Make(VariantMaker fill) {
    win32::Variant value;
    fill(*value.Get());
    return value;
}

bool BarcodeState::operator==(const BarcodeState& o) const {
    return xPosition == o.xPosition && yPosition == o.yPosition && elementWidth == o.elementWidth &&
           barHeight == o.barHeight && visibleCode == o.visibleCode && indentedCode == o.indentedCode &&
           orientation == o.orientation && encodeString == o.encodeString && deviceObject == o.deviceObject;
}

template <class Barcode>
BarcodeState StateOf(Barcode* barcode) {
    BarcodeState state;
    barcode->get_XPosition(&state.xPosition);
    barcode->get_YPosition(&state.yPosition);
    barcode->get_ElementWidth(&state.elementWidth);
    barcode->get_BarHeight(&state.barHeight);
    barcode->get_VisibleCode(&state.visibleCode);
    barcode->get_IndentedCode(&state.indentedCode);
    ::Orientations orientation = ::bcHorizontal;
    barcode->get_Orientation(&orientation);
    state.orientation = orientation;
    win32::Bstr text;
    barcode->get_EncodeString(text.Put());
    state.encodeString = std::wstring(text.View());
    win32::ComPtr<IDispatch> device;
    barcode->get_DeviceObject(device.Put());
    state.deviceObject = device.Get();
    return state;
}

std::string Describe(const BarcodeState& s) {
    char text[200];
    std::snprintf(text, sizeof text, "X %ld Y %ld W %d H %d visible %d indented %d orientation %d text '%ls'",
                  s.xPosition, s.yPosition, s.elementWidth, s.barHeight, s.visibleCode, s.indentedCode,
                  s.orientation, s.encodeString.c_str());
    return text;
}

template <class Barcode>
std::wstring EncodeText(Barcode* barcode) {
    win32::Bstr result;
    if (FAILED(barcode->Encode(result.Put()))) return L"<Encode failed>";
    return std::wstring(result.View());
}

template BarcodeState StateOf(_Quillant1*);
template BarcodeState StateOf(_Quillant2*);
template std::wstring EncodeText(_Quillant1*);
template std::wstring EncodeText(_Quillant2*);

}  // namespace quillant::testing

namespace quillant::testing {

Pixels PixelsOf(IPictureBox* box) {
    LONG dcValue = 0;
    box->get_hDC(&dcValue);
    const HDC dc = reinterpret_cast<HDC>(static_cast<INT_PTR>(dcValue));
    GdiFlush();
    const HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
    BITMAP shape{};
    GetObjectW(bitmap, sizeof shape, &shape);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), shape.bmWidth, -shape.bmHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    Pixels pixels;
    pixels.width = shape.bmWidth;
    pixels.height = shape.bmHeight;
    pixels.bgr.resize(static_cast<size_t>((shape.bmWidth * 3 + 3) & ~3) * shape.bmHeight);
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(shape.bmHeight), pixels.bgr.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

Pixels Pixels::Columns(int left, int right) const {
    const size_t stride = static_cast<size_t>((width * 3 + 3) & ~3);
    Pixels part;
    part.width = right - left;
    part.height = height;
    for (int y = 0; y < height; ++y) {
        const BYTE* row = bgr.data() + stride * static_cast<size_t>(y);
        part.bgr.insert(part.bgr.end(), row + left * 3, row + right * 3);
    }
    return part;
}

}  // namespace quillant::testing
