#pragma once
// The host's drawing object (a printer, a picture box, a form) as the renderer
// sees it: only the members Encode uses, each one call on the real object. The
// Win32 side answers them through IDispatch by member name; tests answer them
// with a recording fake.
//
// Any member may fail; a failure is thrown as a VbError carrying the object's
// own number and description, and ends Encode with that description.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quillant::render {

// 32-bit RGB in the object's own convention; system colours pass through
// untouched.
using Color = uint32_t;
constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;
// The colour argument of a Line whose style draws in ForeColor.
constexpr Color kNoColor = 0;

// A device-context handle as the object reports it through hdc: a 32-bit
// integer (sign-extended to a handle on 64-bit Windows).
using DeviceContext = int32_t;

// What Image returns: a picture only the same platform can paint. The Win32
// side wraps its IPictureDisp; the renderer only hands it to PaintPicture.
class Picture {
public:
    virtual ~Picture() = default;
};

// The flag words of Line: what to draw and whether the colour argument counts.
enum class LineStyle : int16_t {
    kBoxOutline = 20,      // box outline in ForeColor
    kFilledBox = 36,       // filled box in ForeColor
    kFilledBoxColor = 38,  // filled box in the colour argument
};

class DrawingObject {
public:
    virtual ~DrawingObject() = default;

    // Whether the object is the forms runtime's Printer. Asked once per Encode.
    virtual bool IsPrinter() = 0;

    // Pen position in the object's scale units. After Line it is the second corner.
    virtual double CurrentX() = 0;
    virtual double CurrentY() = 0;
    virtual void SetCurrentX(double x) = 0;
    virtual void SetCurrentY(double y) = 0;

    // Corners (x1, y1) and (x2, y2); color is kNoColor unless the style uses it.
    virtual void Line(LineStyle style, double x1, double y1, double x2, double y2, Color color) = 0;

    virtual void SetForeColor(Color color) = 0;
    virtual void SetDrawWidth(int16_t width) = 0;
    virtual Color BackColor() = 0;
    virtual void SetFillColor(Color color) = 0;

    virtual std::u16string FontName() = 0;
    virtual void SetFontName(std::u16string_view name) = 0;
    virtual double FontSize() = 0;
    virtual void SetFontSize(double points) = 0;
    virtual bool FontBold() = 0;
    virtual void SetFontBold(bool bold) = 0;
    virtual bool FontItalic() = 0;
    virtual void SetFontItalic(bool italic) = 0;
    virtual bool FontUnderline() = 0;
    virtual bool FontStrikethru() = 0;

    virtual double TextWidth(std::u16string_view text) = 0;
    virtual double TextHeight(std::u16string_view text) = 0;
    // One item at the pen, then a line end, in the font selected into hdc.
    virtual void Print(std::u16string_view text) = 0;

    virtual DeviceContext Hdc() = 0;

    // Stretches picture into the rectangle (x, y) - (x + width, y + height).
    virtual void PaintPicture(const Picture& picture, double x, double y, double width, double height) = 0;

    // Visual Basic's ScaleX and ScaleY: a length in the scale fromScale
    // (1 twips, 3 pixels, ...) in the object's own scale units. Empty for an
    // object that has no such member; other failures raise as any member's.
    virtual std::optional<double> ScaleX(double, int16_t) { return std::nullopt; }
    virtual std::optional<double> ScaleY(double, int16_t) { return std::nullopt; }
};

// The object of one Encode with its printer test, asked once: the answer
// cannot change while the same object is being drawn on.
struct Target {
    DrawingObject& object;
    bool printer;
};

}  // namespace quillant::render
