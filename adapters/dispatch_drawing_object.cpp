#include "adapters/dispatch_drawing_object.h"

#include "win32/bstr.h"
#include "encoding/vb_error.h"

namespace quillant::render::win32 {

using quillant::win32::Bstr;
using quillant::win32::ComPtr;
using quillant::win32::Variant;

const IID IID_VbPrinter = {0x33AD4F31, 0x6699, 0x11CF, {0xB7, 0x0C, 0x00, 0xAA, 0x00, 0x60, 0xD3, 0x93}};

Color AsColor(Variant& value) {
    if (V_VT(value.Get()) == VT_UI4) return V_UI4(value.Get());
    return static_cast<Color>(AsLong(value));
}

bool DispatchDrawingObject::IsPrinter() {
    // The forms runtime's Printer interface: only a printer answers it. An
    // object does not change its kind, so it is asked once.
    if (!printer_) {
        ComPtr<IUnknown> printer;
        printer_ = SUCCEEDED(caller_.Object()->QueryInterface(IID_VbPrinter, printer.PutVoid()));
    }
    return *printer_;
}

double DispatchDrawingObject::CurrentX() {
    Variant v = caller_.Get(Member::kCurrentX);
    return AsDouble(v);
}
double DispatchDrawingObject::CurrentY() {
    Variant v = caller_.Get(Member::kCurrentY);
    return AsDouble(v);
}
void DispatchDrawingObject::SetCurrentX(double x) { caller_.Put(Member::kCurrentX, ArgDouble(x)); }
void DispatchDrawingObject::SetCurrentY(double y) { caller_.Put(Member::kCurrentY, ArgDouble(y)); }

void DispatchDrawingObject::Line(LineStyle style, double x1, double y1, double x2, double y2, Color color) {
    caller_.Call(Member::kLine, {ArgShort(static_cast<int16_t>(style)), ArgDouble(x1), ArgDouble(y1), ArgDouble(x2),
                           ArgDouble(y2), ArgLong(static_cast<int32_t>(color))});
}

void DispatchDrawingObject::SetForeColor(Color color) {
    caller_.Put(Member::kForeColor, ArgLong(static_cast<int32_t>(color)));
}
void DispatchDrawingObject::SetDrawWidth(int16_t width) { caller_.Put(Member::kDrawWidth, ArgShort(width)); }
Color DispatchDrawingObject::BackColor() {
    Variant v = caller_.Get(Member::kBackColor);
    return AsColor(v);
}
void DispatchDrawingObject::SetFillColor(Color color) {
    caller_.Put(Member::kFillColor, ArgLong(static_cast<int32_t>(color)));
}

std::u16string DispatchDrawingObject::FontName() {
    Variant v = caller_.Get(Member::kFontName);
    return AsString(v);
}
void DispatchDrawingObject::SetFontName(std::u16string_view name) {
    Bstr value(name);
    caller_.Put(Member::kFontName, ArgString(value.Get()));
}
double DispatchDrawingObject::FontSize() {
    Variant v = caller_.Get(Member::kFontSize);
    return AsDouble(v);
}
void DispatchDrawingObject::SetFontSize(double points) { caller_.Put(Member::kFontSize, ArgDouble(points)); }
bool DispatchDrawingObject::FontBold() {
    Variant v = caller_.Get(Member::kFontBold);
    return AsBool(v);
}
void DispatchDrawingObject::SetFontBold(bool bold) { caller_.Put(Member::kFontBold, ArgBool(bold)); }
void DispatchDrawingObject::SetFontItalic(bool italic) { caller_.Put(Member::kFontItalic, ArgBool(italic)); }
bool DispatchDrawingObject::FontItalic() {
    Variant v = caller_.Get(Member::kFontItalic);
    return AsBool(v);
}
bool DispatchDrawingObject::FontUnderline() {
    Variant v = caller_.Get(Member::kFontUnderline);
    return AsBool(v);
}
bool DispatchDrawingObject::FontStrikethru() {
    Variant v = caller_.Get(Member::kFontStrikethru);
    return AsBool(v);
}

double DispatchDrawingObject::TextWidth(std::u16string_view text) {
    Bstr value(text);
    Variant v = caller_.Call(Member::kTextWidth, {ArgString(value.Get())});
    return AsDouble(v);
}
double DispatchDrawingObject::TextHeight(std::u16string_view text) {
    Bstr value(text);
    Variant v = caller_.Call(Member::kTextHeight, {ArgString(value.Get())});
    return AsDouble(v);
}
void DispatchDrawingObject::Print(std::u16string_view text) {
    Bstr value(text);
    caller_.Call(Member::kPrint, {ArgString(value.Get())});
}

DeviceContext DispatchDrawingObject::Hdc() {
    Variant v = caller_.Get(Member::kHdc);
    return AsLong(v);
}

void DispatchDrawingObject::PaintPicture(const Picture& picture, double x, double y, double width,
                                         double height) {
    const auto* image = dynamic_cast<const DispatchPicture*>(&picture);
    if (!image) throw vb_errors::TypeMismatch();
    caller_.Call(Member::kPaintPicture,
                 {ArgObject(image->Get()), ArgDouble(x), ArgDouble(y), ArgDouble(width), ArgDouble(height)});
}

namespace {

// A length converted by the object's ScaleX or ScaleY; none from an object
// without the member, which is then drawn on unsnapped.
std::optional<double> ScaleLength(DispatchCaller& caller, Member member, double value, int16_t fromScale) {
    try {
        Variant v = caller.Call(member, {ArgDouble(value), ArgShort(fromScale)});
        return AsDouble(v);
    } catch (const VbError& error) {
        if (error.number() == vb_errors::kNoSuchMember) return std::nullopt;
        throw;
    }
}

}  // namespace

std::optional<double> DispatchDrawingObject::ScaleX(double value, int16_t fromScale) {
    return ScaleLength(caller_, Member::kScaleX, value, fromScale);
}
std::optional<double> DispatchDrawingObject::ScaleY(double value, int16_t fromScale) {
    return ScaleLength(caller_, Member::kScaleY, value, fromScale);
}

}  // namespace quillant::render::win32
