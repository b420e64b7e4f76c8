#include "render/print_rotated.h"

#include <cmath>
#include <limits>
#include <string>

#include "render/caption_face.h"
#include "render/font_ownership.h"
#include "render/rotated_font.h"
#include "encoding/vb_error.h"

namespace quillant::render {
namespace {

// Visual Basic's Single: a value beyond its range raises Overflow rather than
// turning infinite.
float ToSingle(double value) {
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max()) {
        throw vb_errors::Overflow();
    }
    return static_cast<float>(value);
}

void PrepareScratch(ScratchPicture& picture, std::u16string_view text) {
    picture.SetFontName(kCaptionFace);
    picture.SetFontSize(scratch::kFontSize);
    picture.SetWidth(scratch::kDepth);
    picture.SetHeight(ToSingle(picture.TextWidth(text) * scratch::kLengthPerTextWidth));
    // The whole picture goes onto the paper, ground and all: whatever an
    // earlier caption left on it would be printed again.
    picture.SetBackColor(kWhite);
    picture.Cls();
}

}  // namespace

void PrintRotated(Target target, Platform platform, std::u16string_view text, int16_t angle, double x, double y,
                  int32_t length, int32_t thickness) {
    const std::u16string caption(text);
    DrawingObject& object = target.object;
    ScratchPicture* const scratch = target.printer ? &platform.form1.Picture1() : nullptr;
    if (scratch) PrepareScratch(*scratch, caption);

    // The target's hdc is read afresh for every use: a forms runtime may hand
    // out a different DC each time.
    GraphicsMode mode(platform.fonts, object.Hdc(), gdi::kGmAdvanced);
    const LogFontA description = DescribeRotatedFont(target, platform.fonts, angle);
    OwnedFont font(platform.fonts, platform.fonts.CreateFontIndirectA(description));
    FontSelection selection(platform.fonts, scratch ? scratch->Hdc() : object.Hdc(), font.Get());

    object.SetCurrentX(x);
    object.SetCurrentY(y);
    if (scratch) {
        scratch->SetCurrentY(ToSingle(scratch->Height() - scratch::kInset));
        scratch->SetCurrentX(0);
        scratch->Print(caption);
        const std::unique_ptr<Picture> image = scratch->Image();
        if (!image) throw vb_errors::ObjectNotSet();
        object.PaintPicture(*image, x, y - length, thickness * scratch::kPaintedThicknessFactor, length);
    } else {
        object.Print(caption);
    }

    selection.RestoreInto(scratch ? scratch->Hdc() : object.Hdc());
    font.Delete();
    mode.RestoreInto(object.Hdc());
}

}  // namespace quillant::render
