#pragma once
// What the renderer needs from the platform besides the drawing object: the
// GDI calls for rotated text and the scratch form for printer captions.

#include "render/font_api.h"
#include "render/scratch_surface.h"

namespace quillant::render {

struct Platform {
    FontApi& fonts;
    ScratchForm& form1;
};

}  // namespace quillant::render
