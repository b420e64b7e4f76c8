#pragma once
// Quillant2's four orientations as data: which way the symbol runs on the
// target, which way it reads, on which side of the bars its caption sits and
// how the caption's text is turned. The layout (label_geometry.cpp) and the
// caption (label_encode.cpp) read the row; neither decides by orientation.

#include <cstdint>
#include <optional>

#include "render/label_properties.h"
#include "render/turned_caption.h"

namespace quillant::render {

struct LabelOrientation {
    int32_t orientation;
    bool runsDown;            // the symbol's length runs along y, its bars across x
    bool readsBack;           // it reads toward lower coordinates: it starts at the far end
    bool captionOnHighSide;   // the caption is beyond the bars' x2 or y2 edge, else x1 or y1
    std::optional<Turn> turn;  // none: printed upright
};

inline constexpr LabelOrientation kLabelOrientations[] = {
    {bcHorizontal, false, false, true, std::nullopt},   // below the bars
    {bcVertical, true, true, true, Turn::kUp},          // right of the bars, reading upward
    {bcUpsideDown, false, true, false, Turn::kUpsideDown},  // above the bars, right to left
    {bcVerticalDown, true, false, false, Turn::kDown},  // left of the bars, reading downward
};

// The row of an orientation Quillant2 draws; null for any other value.
inline const LabelOrientation* FindLabelOrientation(int32_t orientation) {
    for (const LabelOrientation& row : kLabelOrientations) {
        if (row.orientation == orientation) return &row;
    }
    return nullptr;
}

}  // namespace quillant::render
