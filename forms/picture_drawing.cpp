#include "forms/picture_drawing.h"

#include <olectl.h>

#include <vector>

#include "forms/forms_errors.h"
#include "win32/gdi_object.h"

namespace quillant::forms {
namespace {

constexpr double kHimetricPerInch = 2540.0;
constexpr double kTwipsPerInch = 1440.0;

// The pixels of a bitmap as a 24-bit top-down DIB.
struct DibPixels {
    BITMAPINFO info = {};
    std::vector<uint8_t> bits;
};

DibPixels ReadBitmap(HBITMAP bitmap) {
    BITMAP shape = {};
    if (!GetObjectW(bitmap, sizeof(shape), &shape) || shape.bmWidth < 1 || shape.bmHeight < 1) {
        throw errors::InvalidPicture("the bitmap cannot be read");
    }
    DibPixels pixels;
    BITMAPINFOHEADER& header = pixels.info.bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = shape.bmWidth;
    header.biHeight = -shape.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const size_t stride = (static_cast<size_t>(shape.bmWidth) * 3 + 3) & ~size_t{3};
    pixels.bits.resize(stride * static_cast<size_t>(shape.bmHeight));
    const win32::CreatedDc dc(CreateCompatibleDC(nullptr));
    if (!dc || GetDIBits(dc.Get(), bitmap, 0, static_cast<UINT>(shape.bmHeight), pixels.bits.data(), &pixels.info,
                         DIB_RGB_COLORS) == 0) {
        throw errors::InvalidPicture("the bitmap cannot be read");
    }
    return pixels;
}

}  // namespace

SIZE PictureSizeTwips(IPicture* picture) {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (FAILED(picture->get_Width(&width)) || FAILED(picture->get_Height(&height))) {
        throw errors::InvalidPicture("its size cannot be read");
    }
    return SIZE{static_cast<LONG>(width * kTwipsPerInch / kHimetricPerInch + 0.5),
                static_cast<LONG>(height * kTwipsPerInch / kHimetricPerInch + 0.5)};
}

void DrawPicture(HDC dc, IPicture* picture, const RECT& target) {
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || FAILED(picture->get_Handle(&handle))) {
        throw errors::InvalidPicture("its type cannot be read");
    }
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    if (type == PICTYPE_NONE || type == PICTYPE_UNINITIALIZED) return;  // an empty picture paints nothing
    if (type == PICTYPE_BITMAP) {
        const DibPixels pixels = ReadBitmap(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)));
        // The DC's own stretch mode decides, BLACKONWHITE unless the caller
        // changed it, as for a Visual Basic PaintPicture: dark strokes of a
        // shrunken caption survive, and enlarged pixels stay sharp.
        const int rows = StretchDIBits(dc, target.left, target.top, width, height, 0, 0,
                                       pixels.info.bmiHeader.biWidth, -pixels.info.bmiHeader.biHeight,
                                       pixels.bits.data(), &pixels.info, DIB_RGB_COLORS, SRCCOPY);
        if (rows == 0 || rows == static_cast<int>(GDI_ERROR)) throw errors::InvalidPicture("it cannot be drawn here");
        return;
    }
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture->get_Width(&hmWidth);
    picture->get_Height(&hmHeight);
    if (FAILED(picture->Render(dc, target.left, target.top, width, height, 0, hmHeight, hmWidth, -hmHeight,
                               nullptr))) {
        throw errors::InvalidPicture("it cannot be drawn here");
    }
}

}  // namespace quillant::forms
