#pragma once
// The picture box: a white 96 dpi bitmap that keeps what is drawn on it.

#include <ocidl.h>

#include <string>

#include "win32/com_ptr.h"
#include "forms/drawing_surface.h"
#include "forms/glyph_inks.h"
#include "forms/raster_image.h"

namespace quillant::forms {

class PictureSurface : public DrawingSurface {
public:
    static constexpr double kDpi = 96;
    static constexpr int kDefaultPixelWidth = 320;   // 4800 twips
    static constexpr int kDefaultPixelHeight = 240;  // 3600 twips

    PictureSurface();
    // A picture of its own resolution and size in pixels: the image members'
    // canvas, no window and no stand-in object around it.
    PictureSurface(double dpi, int pixelWidth, int pixelHeight);
    // The same on memory an earlier canvas gave up, where it is large enough;
    // an image's canvas, it fills boxes in its pixels itself (as FillRect
    // would, a tenth of the time), where a picture box leaves them to GDI.
    PictureSurface(double dpi, int pixelWidth, int pixelHeight, RasterImage::Memory memory);
    ~PictureSurface() override;

    // Grounds the picture in BackColor and puts the pen at (0, 0).
    void Cls();
    // Cls at a new size in pixels, for an image measured on its own canvas
    // before its size was known; the canvas's memory is kept where it holds
    // the new size, the font and colours as they were.
    void Reframe(int pixelWidth, int pixelHeight);
    // The colour at a point, -1 outside the picture.
    int32_t Point(double x, double y) const;
    // An OLE picture holding a copy of the current contents.
    win32::ComPtr<IPictureDisp> Image() const;
    // PNG or BMP, by the file's extension.
    void SavePicture(const std::wstring& path) const;

    bool AtResolution(double dpi) const { return DpiX() == dpi && DpiY() == dpi; }
    const RasterImage& Pixels() const { return image_; }
    RasterImage& Pixels() { return image_; }


protected:
    HDC DrawingDc() override { return image_.DrawingDc(); }
    HDC MeasuringDc() override { return image_.Dc(); }
    HDC PrintingDc(double penY, size_t lines) override;
    HDC GdiTextDc(HDC printing) override;
    void PrintDone() override;
    SIZE ResizeDevice(int pixelWidth, int pixelHeight) override;
    // As in Visual Basic, a new BackColor repaints the whole picture.
    void BackColorChanged() override { Cls(); }
    bool FillOwnPixels(const RECT& box, COLORREF ink) override;
    bool InkOwnPixels(HDC dc, COLORREF colour, int x, int y, std::wstring_view line,
                      const std::vector<INT>& advances) override;

private:
    RasterImage image_;
    bool fillsOwnPixels_ = false;
    // How the lines of a Print go on: GDI on every row written, or inked
    // from kept glyphs where they can be, in the rows the lines may reach
    // (upright) or anywhere (turned), and by GDI where not.
    enum class Printing { kByGdi, kInRows, kTurned };
    Printing printing_ = Printing::kByGdi;
    LOGFONTW printFont_ = {};  // while printing from kept glyphs, and the rows its lines may reach
    int printTop_ = 0;
    int printBottom_ = 0;
    // An image's canvas inks its captions itself.
    GlyphInks glyphs_;
};

}  // namespace quillant::forms
