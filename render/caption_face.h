#pragma once
// The typeface of the human-readable caption, on the target and on the
// scratch picture alike.

#include <string_view>

namespace quillant::render {

constexpr std::u16string_view kCaptionFace = u"OCR A Extended";

}  // namespace quillant::render
