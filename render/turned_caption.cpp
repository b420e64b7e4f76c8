#include "render/turned_caption.h"

#include <memory>
#include <string>

#include "render/font_ownership.h"
#include "render/rotated_font.h"
#include "encoding/vb_error.h"

namespace quillant::render {
namespace {

struct ScratchLayout {
    double width;
    double height;
    double startX;
    double startY;
};

ScratchLayout LayOutScratch(Turn turn, double length) {
    switch (turn) {
        case Turn::kUp:  // runs up from the bottom left
            return {scratch::kDepth, length, 0, length - scratch::kInset};
        case Turn::kDown:  // runs down from the top right
            return {scratch::kDepth, length, scratch::kDepth, scratch::kInset};
        case Turn::kUpsideDown:  // runs left from the bottom right
            break;
    }
    return {length, scratch::kDepth, length - scratch::kInset, scratch::kDepth};
}

// Where the scratch picture goes on the page: the text's cell, reaching from
// the start (x, y) across to the far side of the letters and along the text.
struct PaintedArea {
    double x, y, width, height;
};

PaintedArea PaintedAreaOf(Turn turn, double x, double y, double length, double thickness) {
    switch (turn) {
        case Turn::kUp:
            return {x, y - length, thickness, length};
        case Turn::kDown:
            return {x - thickness, y, thickness, length};
        case Turn::kUpsideDown:
            break;
    }
    return {x - length, y - thickness, length, thickness};
}

void PrintOnScratch(Target target, Platform platform, std::u16string_view face, std::u16string_view text, Turn turn,
                    double x, double y, double length, double thickness) {
    ScratchPicture& scratch = platform.form1.Picture1();
    scratch.SetFontName(face);
    scratch.SetFontSize(scratch::kFontSize);
    const ScratchLayout layout = LayOutScratch(turn, scratch.TextWidth(text) * scratch::kLengthPerTextWidth);
    scratch.SetWidth(layout.width);
    scratch.SetHeight(layout.height);
    scratch.SetBackColor(kWhite);
    scratch.Cls();

    const LogFontA description = DescribeRotatedFont(target, platform.fonts, static_cast<int16_t>(turn));
    GraphicsMode mode(platform.fonts, scratch.Hdc(), gdi::kGmAdvanced);
    OwnedFont font(platform.fonts, platform.fonts.CreateFontIndirectA(description));
    FontSelection selection(platform.fonts, scratch.Hdc(), font.Get());
    scratch.SetCurrentX(layout.startX);
    scratch.SetCurrentY(layout.startY);
    scratch.Print(text);
    selection.RestoreInto(scratch.Hdc());
    font.Delete();
    mode.RestoreInto(scratch.Hdc());

    const std::unique_ptr<Picture> image = scratch.Image();
    if (!image) throw vb_errors::ObjectNotSet();
    const PaintedArea area = PaintedAreaOf(turn, x, y, length, thickness);
    target.object.PaintPicture(*image, area.x, area.y, area.width, area.height);
}

}  // namespace

void PrintTurned(Target target, Platform platform, std::u16string_view face, std::u16string_view text, Turn turn,
                 double x, double y, double length, double thickness) {
    if (target.printer) {
        PrintOnScratch(target, platform, face, text, turn, x, y, length, thickness);
        return;
    }
    DrawingObject& object = target.object;
    const LogFontA description = DescribeRotatedFont(target, platform.fonts, static_cast<int16_t>(turn));
    GraphicsMode mode(platform.fonts, object.Hdc(), gdi::kGmAdvanced);
    OwnedFont font(platform.fonts, platform.fonts.CreateFontIndirectA(description));
    FontSelection selection(platform.fonts, object.Hdc(), font.Get());
    object.SetCurrentX(x);
    object.SetCurrentY(y);
    object.Print(text);
    selection.RestoreInto(object.Hdc());
    font.Delete();
    mode.RestoreInto(object.Hdc());
}

}  // namespace quillant::render
