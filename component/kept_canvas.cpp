#include "component/kept_canvas.h"

#include <utility>

namespace quillant::component {

std::unique_ptr<forms::PictureSurface> KeptCanvas::Take(double dpi) {
    std::unique_ptr<forms::PictureSurface> canvas;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        canvas = std::move(kept_);
    }
    if (canvas && canvas->AtResolution(dpi)) return canvas;
    forms::RasterImage::Memory memory = canvas ? canvas->Pixels().TakeMemory() : forms::RasterImage::Memory();
    canvas.reset();
    return std::make_unique<forms::PictureSurface>(dpi, 1, 1, std::move(memory));
}

void KeptCanvas::Give(std::unique_ptr<forms::PictureSurface> canvas) {
    if (!canvas || canvas->Pixels().MemoryBytes() > kMostBytes) return;
    std::lock_guard<std::mutex> lock(mutex_);
    // The canvas not kept is deleted once the lock is let go.
    if (!kept_ || canvas->Pixels().MemoryBytes() >= kept_->Pixels().MemoryBytes()) std::swap(kept_, canvas);
}

}  // namespace quillant::component
