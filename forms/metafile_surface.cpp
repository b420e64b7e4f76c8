#include "forms/metafile_surface.h"

#include <cmath>

#include "forms/forms_errors.h"

namespace quillant::forms {
namespace {

constexpr double kMillimetresPerInch = 25.4;

}  // namespace

MetafileSurface::MetafileSurface(double dpi, int pixelWidth, int pixelHeight)
    : DrawingSurface(dpi, pixelWidth, pixelHeight, 0xFFFFFF) {
    const RECT frame = {0, 0, static_cast<LONG>(std::lround(pixelWidth * kHimetricPerInch / dpi)),
                        static_cast<LONG>(std::lround(pixelHeight * kHimetricPerInch / dpi))};
    dc_ = win32::MetaFileDc(CreateEnhMetaFileW(nullptr, nullptr, &frame, L"Quillant\0Code 128 symbol\0"));
    if (!dc_) throw errors::CannotCreateImage(pixelWidth, pixelHeight);
    // One logical unit a pixel at dpi, however coarse the reference device:
    // the extents are a ratio, kept to a millionth (whole device pixels here
    // would shift a 600-dpi symbol's far bars by pixels on playback).
    const HDC dc = dc_.Get();
    const double deviceX = GetDeviceCaps(dc, HORZRES) / static_cast<double>(GetDeviceCaps(dc, HORZSIZE));
    const double deviceY = GetDeviceCaps(dc, VERTRES) / static_cast<double>(GetDeviceCaps(dc, VERTSIZE));
    constexpr int kExtent = 1000000;
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, kExtent, kExtent, nullptr);
    SetViewportExtEx(dc, static_cast<int>(std::lround(kExtent / dpi * kMillimetresPerInch * deviceX)),
                     static_cast<int>(std::lround(kExtent / dpi * kMillimetresPerInch * deviceY)), nullptr);
    AttachDc(dc);
    attached_ = true;
}

MetafileSurface::~MetafileSurface() {
    if (attached_) DetachDc(dc_.Get());
}

win32::EnhMetaFile MetafileSurface::Finish() {
    if (attached_) DetachDc(dc_.Get());
    attached_ = false;
    return dc_.Close();
}

// A recording keeps the frame it was started with.
SIZE MetafileSurface::ResizeDevice(int pixelWidth, int pixelHeight) {
    return SIZE{pixelWidth, pixelHeight};
}

}  // namespace quillant::forms
