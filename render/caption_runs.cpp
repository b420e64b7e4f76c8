#include "render/caption_runs.h"

#include "render/caption_face.h"

namespace quillant::render {
namespace {

constexpr int16_t kPixelScale = 3;  // vbPixels

bool IsControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace

std::u16string PrintableCaption(std::u16string_view text) {
    std::u16string printable(text);
    for (char16_t& c : printable) {
        if (IsControl(c)) c = u' ';
    }
    return printable;
}

double CaptionPoints(const CaptionStyle& style, double moduleWidth) {
    return style.points > 0 ? style.points : moduleWidth / kCaptionDivisor;
}

void SetCaptionFace(DrawingObject& object, const CaptionStyle& style, double points, bool fallback) {
    object.SetFontName(fallback ? kFallbackCaptionFace : std::u16string_view(style.face));
    object.SetFontSize(points);
    object.SetFontBold(style.bold);
    object.SetFontItalic(style.italic);
}

CaptionLayout LayOutCaption(DrawingObject& object, FontApi& fonts, const CaptionStyle& style, double moduleWidth,
                            std::u16string_view text) {
    const std::u16string visible = PrintableCaption(text);
    const double points = CaptionPoints(style, moduleWidth);
    SetCaptionFace(object, style, points, false);
    CaptionLayout layout;
    layout.height = object.TextHeight(visible);
    // An empty answer: the platform cannot tell, every glyph is taken as there.
    const std::vector<bool> missing = visible.empty() ? std::vector<bool>() : fonts.MissingGlyphs(object.Hdc(), visible);
    for (size_t i = 0; i < visible.size(); ++i) {
        const bool fallback = i < missing.size() && missing[i];
        if (layout.runs.empty() || layout.runs.back().fallback != fallback) layout.runs.push_back({u"", fallback, 0, 0});
        layout.runs.back().text += visible[i];
    }
    // Measured in their own faces, the chosen face's runs first: a caption
    // wholly in it is measured with the font already set.
    int32_t chosenAscent = 0;
    double drop = 0;
    for (const bool fallback : {false, true}) {
        bool set = !fallback;
        for (CaptionRun& run : layout.runs) {
            if (run.fallback != fallback) continue;
            if (!set) {
                chosenAscent = fonts.TextAscent(object.Hdc());
                SetCaptionFace(object, style, points, true);
                const int32_t pixels = chosenAscent - fonts.TextAscent(object.Hdc());
                drop = pixels == 0 ? 0 : object.ScaleY(pixels, kPixelScale).value_or(0);
                set = true;
            }
            run.width = object.TextWidth(run.text);
            run.drop = drop;
        }
    }
    for (const CaptionRun& run : layout.runs) layout.width += run.width;
    return layout;
}

}  // namespace quillant::render
