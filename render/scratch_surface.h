#pragma once
// The hidden picture box that rotated captions for a printer are drawn on
// first: a printer's own device context is never written with the rotated
// font, the picture is painted onto the page instead. Its size, pen and text
// measure are in twips, its ground is white, and Print uses the font selected
// into its hdc.

#include <memory>
#include <string_view>

#include "render/drawing_object.h"

namespace quillant::render {

// How turned printer captions use the scratch picture. Its point size is what
// the form was designed with, a single-precision 7.2; its length along the
// text is the text's width at that size times kLengthPerTextWidth, its depth
// across the text kDepth twips (the turned font is 100 pixels high); the text
// starts kInset twips in from the picture's edge. On the page, the picture
// covers kPaintedThicknessFactor times the thickness it is given across the
// text.
namespace scratch {
constexpr float kFontSize = 7.2f;
constexpr double kDepth = 1500;
constexpr double kLengthPerTextWidth = 10.1;
constexpr double kInset = 10;
constexpr double kPaintedThicknessFactor = 1.75;
}  // namespace scratch

class ScratchPicture {
public:
    virtual ~ScratchPicture() = default;

    virtual void SetFontName(std::u16string_view name) = 0;
    virtual void SetFontSize(double points) = 0;
    virtual double Height() = 0;
    virtual void SetWidth(double twips) = 0;
    virtual void SetHeight(double twips) = 0;
    virtual void SetBackColor(Color color) = 0;
    // Clears the whole surface to its BackColor.
    virtual void Cls() = 0;
    virtual double TextWidth(std::u16string_view text) = 0;
    virtual DeviceContext Hdc() = 0;
    virtual void SetCurrentX(double x) = 0;
    virtual void SetCurrentY(double y) = 0;
    virtual void Print(std::u16string_view text) = 0;
    // What has been drawn so far, as a picture a printer can paint.
    virtual std::unique_ptr<Picture> Image() = 0;
};

// The private form holding the scratch picture box. The platform creates it on
// the first call and keeps it, hidden, for the life of the library.
class ScratchForm {
public:
    virtual ~ScratchForm() = default;
    virtual ScratchPicture& Picture1() = 0;
};

}  // namespace quillant::render
