#pragma once
// The canvas one Quillant2 keeps from one raster image to the next: its
// pixel memory, its DC and the fonts selected into it, and the PNG writer's
// working memory. Fresh memory for a picture costs a page fault on every
// page, more than drawing and compressing the picture together, and a fresh
// DC makes and realises its fonts again; a kept canvas costs neither. An
// object may be called on several threads at once (ThreadingModel=Both): a
// call that finds the canvas taken by another draws on one of its own
// rather than wait, and the lock is held only to hand the canvas over.

#include <memory>
#include <mutex>

#include "forms/picture_surface.h"
#include "render/png_file.h"

namespace quillant::component {

class KeptCanvas {
public:
    struct Lease {
        std::unique_ptr<forms::PictureSurface> surface;
        std::unique_ptr<render::PngBuffers> png;
    };
    // The kept canvas when it is at dpi, else a new one of one pixel on the
    // kept memory; new ones when another call has them.
    Lease Take(double dpi);
    // Keeps a canvas whose memory is not too large to hold on to between
    // calls, and the writer's memory.
    void Give(Lease lease);

private:
    // A few 4 x 6 inch labels at 300 dpi; larger pictures are rare enough
    // to pay for their own memory.
    static constexpr size_t kMostBytes = size_t{16} << 20;

    std::mutex mutex_;
    std::unique_ptr<forms::PictureSurface> kept_;
    std::unique_ptr<render::PngBuffers> png_;
};

}  // namespace quillant::component
