#pragma once
// The typeface of the human-readable caption, on the target and on the
// scratch picture alike.

#include <string_view>

namespace quillant::render {

constexpr std::u16string_view kCaptionFace = u"OCR A Extended";

// The module width, taken as points, over this is the caption's size; the
// text's height over it is how deep a notch sets the caption into the bars.
constexpr double kCaptionDivisor = 1.9;

}  // namespace quillant::render
