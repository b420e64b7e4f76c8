#pragma once
// The LOGFONTA of a rotated caption, filled from the target's own font
// settings, and the face-name field it carries.

#include <cstdint>
#include <string_view>

#include "render/drawing_object.h"
#include "render/font_api.h"

namespace quillant::render {

// Letter height of a printer caption, in pixels of the scratch picture.
constexpr int32_t kScratchFontHeight = -100;

// Reads the target in a fixed order: FontSize and hdc (not on a printer), then
// FontBold, FontItalic, FontUnderline, FontStrikethru, FontName. angle is in
// tenths of a degree, counter-clockwise, for escapement and orientation alike.
LogFontA DescribeRotatedFont(Target target, FontApi& api, int16_t angle);

// The name in the ANSI code page, NUL-terminated, the rest of the field filled
// with spaces. A name too long for the field is cut to whole characters so that
// the terminator always fits: GDI reads a face name up to its NUL.
void SetFaceName(LogFontA& font, std::u16string_view name, FontApi& api);

}  // namespace quillant::render
