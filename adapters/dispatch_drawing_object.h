#pragma once
// The host's drawing object (a Visual Basic Printer or picture box, a stand-in,
// a script object) behind the renderer's DrawingObject, through IDispatch.

#include <oaidl.h>

#include <memory>
#include <optional>
#include <utility>

#include "adapters/dispatch_caller.h"
#include "render/drawing_object.h"

namespace quillant::render::win32 {

// The Visual Basic forms runtime's Printer interface,
// {33AD4F31-6699-11CF-B70C-00AA0060D393}: only a printer answers it.
extern const IID IID_VbPrinter;

// A picture returned by Image, passed back to PaintPicture as the object it is.
class DispatchPicture final : public Picture {
public:
    explicit DispatchPicture(IDispatch* picture) : picture_(picture) {}
    IDispatch* Get() const { return picture_.Get(); }

private:
    quillant::win32::ComPtr<IDispatch> picture_;
};

class DispatchDrawingObject final : public DrawingObject {
public:
    explicit DispatchDrawingObject(IDispatch* object, std::shared_ptr<KnownMembers> known = nullptr)
        : caller_(object, std::move(known)) {}

    bool IsPrinter() override;
    double CurrentX() override;
    double CurrentY() override;
    void SetCurrentX(double x) override;
    void SetCurrentY(double y) override;
    void Line(LineStyle style, double x1, double y1, double x2, double y2, Color color) override;
    void SetForeColor(Color color) override;
    void SetDrawWidth(int16_t width) override;
    Color BackColor() override;
    void SetFillColor(Color color) override;
    std::u16string FontName() override;
    void SetFontName(std::u16string_view name) override;
    double FontSize() override;
    void SetFontSize(double points) override;
    bool FontBold() override;
    void SetFontBold(bool bold) override;
    void SetFontItalic(bool italic) override;
    bool FontItalic() override;
    bool FontUnderline() override;
    bool FontStrikethru() override;
    double TextWidth(std::u16string_view text) override;
    double TextHeight(std::u16string_view text) override;
    void Print(std::u16string_view text) override;
    DeviceContext Hdc() override;
    void PaintPicture(const Picture& picture, double x, double y, double width, double height) override;

    std::optional<double> ScaleX(double value, int16_t fromScale) override;
    std::optional<double> ScaleY(double value, int16_t fromScale) override;

    // For adapters that add members of their own to the same object.
    DispatchCaller& Caller() { return caller_; }

private:
    DispatchCaller caller_;
    std::optional<bool> printer_;
};

// OLE_COLOR as Visual Basic hands it out: a Long, or an unsigned value for
// system colours (0x80000000 | index) from objects that declare it so.
Color AsColor(quillant::win32::Variant& value);

}  // namespace quillant::render::win32
