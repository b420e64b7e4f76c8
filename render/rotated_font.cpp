#include "render/rotated_font.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "encoding/vb_numbers.h"

namespace quillant::render {
namespace {

constexpr int32_t kPointsPerInch = 72;
constexpr size_t kFaceField = sizeof(LogFontA::lfFaceName);

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

uint8_t Flag(bool set) { return set ? 1 : 0; }

}  // namespace

void SetFaceName(LogFontA& font, std::u16string_view name, FontApi& api) {
    // A character can take more than one byte in the ANSI code page, so the
    // cut is made on the converted text, one character at a time, never
    // through a surrogate pair.
    size_t units = std::min(name.size(), kFaceField - 1);
    std::string ansi;
    while (units > 0) {
        if (units < name.size() && IsHighSurrogate(name[units - 1])) {
            --units;
            continue;
        }
        ansi = api.ToAnsiCodePage(name.substr(0, units));
        if (ansi.size() < kFaceField) break;
        --units;
    }
    if (units == 0) ansi.clear();

    std::memset(font.lfFaceName, ' ', kFaceField);
    std::memcpy(font.lfFaceName, ansi.data(), ansi.size());
    font.lfFaceName[ansi.size()] = '\0';
}

LogFontA DescribeRotatedFont(Target target, FontApi& api, int16_t angle) {
    DrawingObject& object = target.object;
    LogFontA font;
    if (target.printer) {
        font.lfHeight = kScratchFontHeight;
    } else {
        // The size is made whole before scaling: 10.5 points is 10 points here.
        const int32_t points = vb::ToInt32(object.FontSize());
        const int32_t dpi = api.GetDeviceCaps(object.Hdc(), gdi::kLogPixelsY);
        font.lfHeight = vb::Sub32(0, api.MulDiv(points, dpi, kPointsPerInch));
    }
    font.lfWidth = 0;
    font.lfEscapement = angle;
    font.lfOrientation = angle;
    font.lfWeight = object.FontBold() ? gdi::kFwBold : gdi::kFwNormal;
    font.lfItalic = Flag(object.FontItalic());
    font.lfUnderline = Flag(object.FontUnderline());
    font.lfStrikeOut = Flag(object.FontStrikethru());
    font.lfCharSet = gdi::kAnsiCharset;
    font.lfOutPrecision = gdi::kOutDefaultPrecis;
    font.lfClipPrecision = gdi::kClipDefaultPrecis;
    font.lfQuality = gdi::kProofQuality;
    font.lfPitchAndFamily = gdi::kFixedPitch | gdi::kFfSwiss;
    SetFaceName(font, object.FontName(), api);
    return font;
}

}  // namespace quillant::render
