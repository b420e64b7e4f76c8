#include "forms/raster_image.h"

#include <algorithm>
#include <cstring>

#include "forms/forms_errors.h"
#include "render/byte_spans.h"

namespace quillant::forms {
namespace {

// A picture larger than this is refused up front rather than left to fail
// halfway in GDI: 64 megapixels is a Letter page at 900 dpi.
constexpr int64_t kMaxPixels = int64_t{64} * 1024 * 1024;

BITMAPINFO TopDown24(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

void FillSpans(uint8_t* bits, int stride, int fromRow, int toRow, int fromX, int toX, COLORREF colour) {
    const size_t from = static_cast<size_t>(fromX) * 3, bytes = static_cast<size_t>(toX - fromX) * 3;
    // A grey (white and black, most of all) is one byte value throughout.
    const bool grey = GetBValue(colour) == GetGValue(colour) && GetGValue(colour) == GetRValue(colour);
    const uint8_t bgr[3] = {GetBValue(colour), GetGValue(colour), GetRValue(colour)};
    for (int y = fromRow; y < toRow; ++y) {
        uint8_t* span = bits + static_cast<size_t>(y) * static_cast<size_t>(stride) + from;
        if (grey) {
            render::FillBytes(span, bgr[0], bytes);
        } else {
            for (size_t x = 0; x < bytes; x += 3) std::memcpy(span + x, bgr, 3);
        }
    }
}

}  // namespace

RasterImage::Memory RasterImage::MakeDib(int width, int height) {
    if (width < 1 || height < 1 || int64_t{width} * height > kMaxPixels) throw errors::CannotCreateImage(width, height);
    const BITMAPINFO info = TopDown24(width, height);
    void* bits = nullptr;
    Memory dib;
    dib.bitmap_ = win32::Bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib.bitmap_ || !bits) throw errors::CannotCreateImage(width, height);
    dib.bits_ = static_cast<uint8_t*>(bits);
    dib.width_ = width;
    dib.height_ = height;
    return dib;
}

RasterImage::RasterImage(int width, int height, COLORREF ground)
    : RasterImage(width, height, ground, Memory(), false) {}

RasterImage::RasterImage(int width, int height, COLORREF ground, Memory memory)
    : RasterImage(width, height, ground, std::move(memory), true) {}

RasterImage::RasterImage(int width, int height, COLORREF ground, Memory memory, bool rowsOnDemand)
    : width_(width), height_(height), rowsOnDemand_(rowsOnDemand) {
    if (width < 1 || height < 1) throw errors::CannotCreateImage(width, height);
    dib_ = memory.Holds(width, height) ? std::move(memory) : MakeDib(width, height);
    dc_.Reset(CreateCompatibleDC(nullptr));
    if (!dc_) throw errors::CannotCreateImage(width, height);
    selected_.emplace(dc_.Get(), dib_.bitmap_.Get());
    Ground(ground);
}

// The bitmap must leave the DC before either is deleted.
RasterImage::~RasterImage() { selected_.reset(); }

const uint8_t* RasterImage::Bits() const {
    GdiFlush();
    WriteRows(0, height_);
    return dib_.bits_;
}

uint8_t* RasterImage::Bits() {
    GdiFlush();
    WriteRows(0, height_);
    return dib_.bits_;
}

uint8_t* RasterImage::WrittenBits() {
    GdiFlush();
    return dib_.bits_;
}

HDC RasterImage::DrawingDc() {
    WriteRows(0, height_);
    gdiMayHaveDrawn_ = true;
    return dc_.Get();
}

void RasterImage::OpenRows(int top, int bottom) {
    top = std::max(top, 0);
    bottom = std::min(bottom, height_);
    if (top >= bottom) top = bottom = 0;
    WriteRows(top, bottom);
    openTop_ = top;
    openBottom_ = bottom;
}

// GDI draws only inside the clip, so the rows outside it may stay unwritten.
// Set only for GDI: a clip region costs the 32-bit Wine more than inking a
// caption's glyphs.
HDC RasterImage::ClippedToOpenRows() {
    if (!clippedToOpenRows_) {
        IntersectClipRect(dc_.Get(), 0, openTop_, width_, openBottom_);
        clippedToOpenRows_ = true;
    }
    gdiMayHaveDrawn_ = true;
    return dc_.Get();
}

void RasterImage::EndRows() {
    if (clippedToOpenRows_) SelectClipRgn(dc_.Get(), nullptr);
    clippedToOpenRows_ = false;
    openTop_ = openBottom_ = 0;
}

void RasterImage::Ground(COLORREF colour) {
    FillSpans(dib_.bits_, Stride(), 0, rowsOnDemand_ ? 1 : height_, 0, width_, colour);
    asAbove_.assign(static_cast<size_t>(height_), rowsOnDemand_ ? 1 : 0);
    asAbove_[0] = 0;
}

int RasterImage::SourceOf(int y) const {
    while (y > 0 && asAbove_[static_cast<size_t>(y)]) --y;
    return y;
}

void RasterImage::WriteRow(int y) const {
    if (y <= 0 || y >= height_ || !asAbove_[static_cast<size_t>(y)]) return;
    render::CopyBytes(RowAt(y), RowAt(SourceOf(y)), static_cast<size_t>(width_) * 3);
    asAbove_[static_cast<size_t>(y)] = 0;
}

void RasterImage::WriteRows(int top, int bottom) const {
    if (!rowsOnDemand_ || top >= bottom) return;
    WriteRow(bottom);
    const size_t bytes = static_cast<size_t>(width_) * 3;
    int source = SourceOf(top);
    for (int y = top; y < bottom; ++y) {
        if (!asAbove_[static_cast<size_t>(y)]) {
            source = y;
            continue;
        }
        render::CopyBytes(RowAt(y), RowAt(source), bytes);
        asAbove_[static_cast<size_t>(y)] = 0;
    }
}

void RasterImage::Fill(COLORREF colour) {
    GdiFlush();
    Ground(colour);
}

// A row shown as the row above takes the fill with it: only the rows that
// hold their own pixels are filled.
void RasterImage::FillBox(const RECT& box, COLORREF colour) {
    const int left = std::max<int>(box.left, 0), right = std::min<int>(box.right, width_);
    const int top = std::max<int>(box.top, 0), bottom = std::min<int>(box.bottom, height_);
    if (left >= right || top >= bottom) return;
    // A symbol fills dozens of boxes in a row, and every flush is a call
    // into the system.
    if (gdiMayHaveDrawn_) GdiFlush();
    gdiMayHaveDrawn_ = false;
    WriteRow(top);
    WriteRow(bottom);
    // Most of a bar's rows show the row above: they are passed over eight
    // at a time, and rows of their own filled as one span.
    const uint8_t* marks = asAbove_.data();
    constexpr uint64_t kEightAsAbove = 0x0101010101010101u;
    for (int y = top; y < bottom;) {
        if (y + 8 <= bottom && render::WordAt(marks + y) == kEightAsAbove) {
            y += 8;
        } else if (marks[y]) {
            ++y;
        } else {
            const int first = y;
            while (y < bottom && !marks[y]) ++y;
            FillSpans(dib_.bits_, Stride(), first, y, left, right, colour);
        }
    }
}

COLORREF RasterImage::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    GdiFlush();
    const uint8_t* bgr = RowAt(SourceOf(y)) + static_cast<size_t>(x) * 3;
    return RGB(bgr[2], bgr[1], bgr[0]);
}

void RasterImage::Resize(int width, int height, COLORREF ground) {
    Memory fresh = MakeDib(width, height);
    const int stride = StrideOf(width);
    FillSpans(fresh.bits_, stride, 0, height, 0, width, ground);
    const uint8_t* old = Bits();
    const size_t keep = static_cast<size_t>(std::min(width, width_)) * 3;
    for (int y = 0; y < std::min(height, height_); ++y) {
        std::memcpy(fresh.bits_ + static_cast<size_t>(y) * stride, old + static_cast<size_t>(y) * Stride(), keep);
    }
    Adopt(std::move(fresh));
    width_ = width;
    height_ = height;
    asAbove_.assign(static_cast<size_t>(height_), 0);
}

// The bitmap leaves the DC before it is deleted, and the DC stays.
void RasterImage::Adopt(Memory memory) {
    selected_.reset();
    dib_ = std::move(memory);
    selected_.emplace(dc_.Get(), dib_.bitmap_.Get());
}

void RasterImage::Reframe(int width, int height, COLORREF ground) {
    if (width < 1 || height < 1) throw errors::CannotCreateImage(width, height);
    GdiFlush();
    if (!dib_.Holds(width, height)) Adopt(MakeDib(width, height));
    width_ = width;
    height_ = height;
    Ground(ground);
}

win32::Bitmap RasterImage::CopyBitmap() const {
    Memory copy = MakeDib(width_, height_);
    const size_t row = static_cast<size_t>(width_) * 3;
    const uint8_t* from = Bits();
    for (int y = 0; y < height_; ++y) {
        std::memcpy(copy.bits_ + static_cast<size_t>(y) * StrideOf(width_), from + static_cast<size_t>(y) * Stride(), row);
    }
    return std::move(copy.bitmap_);
}

RasterImage::Memory RasterImage::TakeMemory() {
    GdiFlush();
    selected_.reset();
    width_ = height_ = 0;
    asAbove_.clear();
    return std::move(dib_);
}

}  // namespace quillant::forms
