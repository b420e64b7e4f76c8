#pragma once
// The pixel memory one Quillant2 keeps from one raster image to the next.
// Fresh memory for a picture costs a page fault on every page, more than
// drawing and compressing the picture together; kept memory costs nothing.
// An object may be called on several threads at once (ThreadingModel=Both):
// a call that finds the memory taken by another draws on memory of its own
// rather than wait, and the lock is held only to hand the memory over.

#include <mutex>

#include "forms/raster_image.h"

namespace quillant::component {

class KeptCanvas {
public:
    // The kept memory, or none when another call has it.
    forms::RasterImage::Memory Take();
    // Keeps memory that is not too large to hold on to between calls.
    void Give(forms::RasterImage::Memory memory);

private:
    // A few 4 x 6 inch labels at 300 dpi; larger pictures are rare enough
    // to pay for their own memory.
    static constexpr size_t kMostBytes = size_t{16} << 20;

    std::mutex mutex_;
    forms::RasterImage::Memory kept_;
};

}  // namespace quillant::component
