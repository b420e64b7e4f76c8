#include "forms/picture_surface.h"

#include <olectl.h>

#include <algorithm>

#include "forms/forms_errors.h"
#include "forms/image_file.h"

namespace quillant::forms {

PictureSurface::PictureSurface() : PictureSurface(kDpi, kDefaultPixelWidth, kDefaultPixelHeight) {}

PictureSurface::PictureSurface(double dpi, int pixelWidth, int pixelHeight)
    : DrawingSurface(dpi, pixelWidth, pixelHeight, 0xFFFFFF), image_(pixelWidth, pixelHeight, 0xFFFFFF) {
    AttachDc(image_.Dc());
}

PictureSurface::PictureSurface(double dpi, int pixelWidth, int pixelHeight, RasterImage::Memory memory)
    : DrawingSurface(dpi, pixelWidth, pixelHeight, 0xFFFFFF),
      image_(pixelWidth, pixelHeight, 0xFFFFFF, std::move(memory)),
      fillsOwnPixels_(true) {
    AttachDc(image_.Dc());
}

bool PictureSurface::FillOwnPixels(const RECT& box, COLORREF ink) {
    if (!fillsOwnPixels_) return false;
    image_.FillBox(box, ink);
    return true;
}

namespace {

// GDI's own mapping: device units as they are, also where the graphics mode
// (mode) is advanced for a turned font.
bool MapsPlainly(HDC dc, int mode) {
    if (GetMapMode(dc) != MM_TEXT) return false;
    if (mode == GM_COMPATIBLE) return true;
    XFORM transform = {};
    return GetWorldTransform(dc, &transform) && transform.eM11 == 1 && transform.eM12 == 0 && transform.eM21 == 0 &&
           transform.eM22 == 1 && transform.eDx == 0 && transform.eDy == 0;
}

}  // namespace

// Upright text in the surface's own mapping stays within its lines' cells:
// a TrueType font's ascent and descent are its win metrics, outside which
// Windows clips a glyph's ink anyway; the margin takes rounding, an
// underline and a font of another kind. Turned text, which runs along its
// line, and anything drawn under a world transform may go anywhere: GDI
// gets every row written, but a turned caption inked from kept glyphs
// still writes only the rows they reach.
HDC PictureSurface::PrintingDc(double penY, size_t lines) {
    const HDC dc = image_.Dc();
    LOGFONTW font = {};
    TEXTMETRICW metrics = {};
    const int mode = GetGraphicsMode(dc);
    if (!fillsOwnPixels_ || !MapsPlainly(dc, mode) || !DescribeFontIn(dc, font) ||
        !TextMetrics(dc, metrics)) {
        return image_.DrawingDc();
    }
    printFont_ = font;
    if (font.lfEscapement != 0 || font.lfOrientation != 0) {
        printing_ = Printing::kTurned;
        printTop_ = 0;
        printBottom_ = image_.Height();
        return dc;
    }
    if (mode != GM_COMPATIBLE) return image_.DrawingDc();
    const int line = metrics.tmHeight + metrics.tmExternalLeading + 1;
    const int margin = metrics.tmHeight / 4 + 2;
    const int top = ScaleY().PixelOf(penY);
    printing_ = Printing::kInRows;
    printTop_ = top - margin;
    printBottom_ = top + static_cast<int>(lines) * line + margin;
    return dc;
}

// GDI may draw anywhere in the lines' rows; ink of its own only where glyphs
// reach, so that the rows above and below a caption's letters stay shown as
// the row above.
HDC PictureSurface::GdiTextDc(HDC printing) {
    switch (printing_) {
        case Printing::kInRows:
            image_.OpenRows(printTop_, printBottom_);
            return image_.ClippedToOpenRows();
        case Printing::kTurned: return image_.DrawingDc();
        case Printing::kByGdi: break;
    }
    return printing;
}

bool PictureSurface::InkOwnPixels(HDC dc, COLORREF colour, int x, int y, std::wstring_view line,
                                  const std::vector<INT>& advances) {
    if (printing_ == Printing::kByGdi) return false;
    return glyphs_.Ink(dc, printFont_, colour, x, y, line, advances, [this](int top, int bottom) {
        image_.OpenRows(std::max(top, printTop_), std::min(bottom, printBottom_));
        return InkArea{image_.WrittenBits(), static_cast<size_t>(image_.Stride()), image_.Width(), image_.OpenTop(),
                       image_.OpenBottom()};
    });
}

void PictureSurface::PrintDone() {
    if (printing_ != Printing::kByGdi) image_.EndRows();
    printing_ = Printing::kByGdi;
}

PictureSurface::~PictureSurface() { DetachDc(image_.Dc()); }

void PictureSurface::Cls() {
    image_.Fill(Colour(BackColor()));
    SetCurrentX(0);
    SetCurrentY(0);
}

void PictureSurface::Reframe(int pixelWidth, int pixelHeight) {
    image_.Reframe(pixelWidth, pixelHeight, Colour(BackColor()));
    TookPixelSize(pixelWidth, pixelHeight);
    SetCurrentX(0);
    SetCurrentY(0);
}

int32_t PictureSurface::Point(double x, double y) const {
    const COLORREF colour = image_.Pixel(ScaleX().PixelOf(x), ScaleY().PixelOf(y));
    return colour == CLR_INVALID ? -1 : static_cast<int32_t>(colour);
}

win32::ComPtr<IPictureDisp> PictureSurface::Image() const {
    win32::Bitmap copy = image_.CopyBitmap();
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof(description);
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = copy.Get();
    win32::ComPtr<IPictureDisp> picture;
    if (FAILED(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, picture.PutVoid()))) {
        throw errors::CannotCreateImage(image_.Width(), image_.Height());
    }
    static_cast<void>(copy.Detach());  // the picture owns it now
    return picture;
}

void PictureSurface::SavePicture(const std::wstring& path) const {
    ImageFileWriter file(path, image_.Width(), image_.Height());
    file.WriteRows(image_.Bits(), image_.Height(), image_.Stride());
    file.Commit();
}

SIZE PictureSurface::ResizeDevice(int pixelWidth, int pixelHeight) {
    image_.Resize(pixelWidth, pixelHeight, Colour(BackColor()));
    return SIZE{pixelWidth, pixelHeight};
}

}  // namespace quillant::forms
