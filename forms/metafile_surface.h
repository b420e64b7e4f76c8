#pragma once
// A drawing surface that records an enhanced metafile: the EMF image and the
// Picture of the image members. Its logical unit is one pixel at the
// surface's resolution, whatever the reference device (the screen), so that
// coordinates land where they land in the raster image; its frame is the
// image's size in inches.

#include <windows.h>

#include "forms/drawing_surface.h"
#include "win32/enh_meta_file.h"

namespace quillant::forms {

class MetafileSurface final : public DrawingSurface {
public:
    // Raises error 480 when the recording cannot be started.
    MetafileSurface(double dpi, int pixelWidth, int pixelHeight);
    ~MetafileSurface() override;

    // The recording; the surface draws nothing more after it.
    win32::EnhMetaFile Finish();

protected:
    HDC DrawingDc() override { return dc_.Get(); }
    HDC MeasuringDc() override { return dc_.Get(); }
    SIZE ResizeDevice(int pixelWidth, int pixelHeight) override;

private:
    win32::MetaFileDc dc_;
    bool attached_ = false;
};

}  // namespace quillant::forms
