#include "component/kept_canvas.h"

#include <utility>

namespace quillant::component {

KeptCanvas::Lease KeptCanvas::Take(double dpi) {
    Lease lease;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lease.surface = std::move(kept_);
        lease.png = std::move(png_);
    }
    if (!lease.png) lease.png = std::make_unique<render::PngBuffers>();
    if (lease.surface && lease.surface->AtResolution(dpi)) return lease;
    forms::RasterImage::Memory memory =
        lease.surface ? lease.surface->Pixels().TakeMemory() : forms::RasterImage::Memory();
    lease.surface = std::make_unique<forms::PictureSurface>(dpi, 1, 1, std::move(memory));
    return lease;
}

void KeptCanvas::Give(Lease lease) {
    std::lock_guard<std::mutex> lock(mutex_);
    // What is not kept is deleted once the lock is let go.
    if (lease.png && (!png_ || lease.png->window.capacity() >= png_->window.capacity())) std::swap(png_, lease.png);
    if (!lease.surface || lease.surface->Pixels().MemoryBytes() > kMostBytes) return;
    if (!kept_ || lease.surface->Pixels().MemoryBytes() >= kept_->Pixels().MemoryBytes()) std::swap(kept_, lease.surface);
}

}  // namespace quillant::component
