#include "component/kept_canvas.h"

#include <utility>

namespace quillant::component {

forms::RasterImage::Memory KeptCanvas::Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(kept_, forms::RasterImage::Memory());
}

void KeptCanvas::Give(forms::RasterImage::Memory memory) {
    if (memory.Bytes() > kMostBytes) return;
    std::lock_guard<std::mutex> lock(mutex_);
    if (memory.Bytes() >= kept_.Bytes()) kept_ = std::move(memory);
}

}  // namespace quillant::component
