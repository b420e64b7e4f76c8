#pragma once
// Recording stand-ins for the renderer's three interfaces. Every call lands,
// in order, in one shared log, so tests can check the sequence across the
// target, the scratch picture and the GDI calls:
//
//   target:        "CurrentX=0"  "CurrentY"  "Line(36,0,0,20,1500,0)"  "Print(AB)"
//   scratch:       "Picture1.Height=1010"  "Picture1.Print(AB)"
//   platform:      "Form1.Load"  "gdi.SelectObject(200,256)"
//
// "Name=value" is a property put, a bare "Name" a read, "Name(args)" a call.
// Numbers are written in their shortest exact form (10.526315789473685).
// The target keeps its pen like a real one: Line leaves it at the second corner.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/drawing_object.h"
#include "render/font_api.h"
#include "render/scratch_surface.h"
#include "encoding/vb_error.h"

namespace quillant::render::fake {

std::string Number(double value);
std::string Utf8(std::u16string_view text);
// The numbers of a logged call, "Line(20,100,200,120,1700,0)" in order.
std::vector<double> Arguments(const std::string& entry);

// The shared log, and faults to inject: the n-th call of one member raises
// the given error.
class Recorder {
public:
    std::vector<std::string> log;

    void FailOn(std::string member, int occurrence, VbError error);
    // The n-th call of any member of the objects (not of GDI) raises error.
    void FailAtCall(int call, VbError error);

    // Logs entry; throws when a fault is due. member is the key FailOn names.
    void Record(const std::string& member, std::string entry);

    // Entries that begin with prefix.
    std::vector<std::string> Matching(std::string_view prefix) const;
    size_t Count(std::string_view prefix) const { return Matching(prefix).size(); }
    int objectCalls() const { return objectCalls_; }

private:
    struct Fault {
        std::string member;
        int occurrence;
        VbError error;
    };
    std::vector<Fault> faults_;
    std::optional<Fault> callFault_;
    std::map<std::string, int, std::less<>> calls_;
    int objectCalls_ = 0;
};

class FakePicture : public Picture {
public:
    explicit FakePicture(int number) : serial(number) {}
    int serial;
};

// A drawing object; the same class serves as the scratch picture box. Its
// public fields are what it answers.
class FakeObject : public DrawingObject, public ScratchPicture {
public:
    // name prefixes the log entries ("Picture1."); empty for the target.
    FakeObject(Recorder& recorder, std::string name);

    bool printer = false;
    double textWidth = 600;
    // When set, what TextWidth answers instead, by text and the face set.
    std::function<double(std::u16string_view text, const std::u16string& face)> widthOf;
    double textHeight = 285;
    // A target that offers only some sizes answers this instead of what was set.
    std::optional<double> adjustedFontSize;
    DeviceContext hdc = 100;
    std::function<Color()> backColor = [] { return kWhite; };
    // What ScaleX(1, vbPixels) and ScaleY answer: none for a target without
    // them. Other scales are converted as from twips.
    std::optional<double> pixelX;
    std::optional<double> pixelY;
    // A target that does not leave its pen at Line's second corner.
    double penDriftX = 0;
    double penDriftY = 0;

    // State as the calls leave it.
    double x = 0;
    double y = 0;
    double fontSize = 8.25;
    bool fontBold = false;
    bool fontItalic = false;
    bool fontUnderline = false;
    bool fontStrikethru = false;
    std::u16string fontName = u"MS Sans Serif";
    double width = 0;
    double height = 0;

    bool IsPrinter() override;
    double CurrentX() override;
    double CurrentY() override;
    void SetCurrentX(double value) override;
    void SetCurrentY(double value) override;
    void Line(LineStyle style, double x1, double y1, double x2, double y2, Color color) override;
    void SetForeColor(Color color) override;
    void SetDrawWidth(int16_t value) override;
    Color BackColor() override;
    void SetBackColor(Color color) override;
    void SetFillColor(Color color) override;
    std::u16string FontName() override;
    void SetFontName(std::u16string_view name) override;
    double FontSize() override;
    void SetFontSize(double points) override;
    bool FontBold() override;
    void SetFontBold(bool bold) override;
    bool FontItalic() override;
    void SetFontItalic(bool italic) override;
    bool FontUnderline() override;
    bool FontStrikethru() override;
    double TextWidth(std::u16string_view text) override;
    double TextHeight(std::u16string_view text) override;
    void Print(std::u16string_view text) override;
    DeviceContext Hdc() override;
    void PaintPicture(const Picture& picture, double x1, double y1, double w, double h) override;
    std::optional<double> ScaleX(double value, int16_t fromScale) override;
    std::optional<double> ScaleY(double value, int16_t fromScale) override;
    double Height() override;
    void SetWidth(double twips) override;
    void SetHeight(double twips) override;
    void Cls() override;
    std::unique_ptr<Picture> Image() override;

private:
    void Record(std::string_view member, std::string args = {});

    Recorder& recorder_;
    std::string name_;
    int images_ = 0;
};

class FakeForm : public ScratchForm {
public:
    explicit FakeForm(Recorder& recorder) : recorder_(recorder) {}
    ScratchPicture& Picture1() override;
    // Null until the first printer caption.
    FakeObject* picture() { return picture_.get(); }

private:
    Recorder& recorder_;
    std::unique_ptr<FakeObject> picture_;
};

// GDI with real semantics where tests look: SelectObject returns what was
// selected, MulDiv rounds as Windows does, fonts are counted.
class FakeFontApi : public FontApi {
public:
    static constexpr GdiHandle kStockFont = 7;

    explicit FakeFontApi(Recorder& recorder) : recorder_(recorder) {}

    int32_t dpi = 96;
    bool createFails = false;
    // Bytes per character above U+00FF in the "ANSI code page" (2 mimics a
    // double-byte code page).
    int wideCharBytes = 1;
    // The characters every font selected lacks a glyph for.
    std::u16string lacking;

    std::vector<LogFontA> created;
    // Fonts made and not deleted; what each DC has selected.
    std::vector<GdiHandle> live;
    std::map<DeviceContext, GdiHandle> selected;

    // Every DC has its original font back and no font is left undeleted.
    bool Clean() const;

    int32_t SetGraphicsMode(DeviceContext dc, int32_t mode) noexcept override;
    int32_t GetDeviceCaps(DeviceContext dc, int32_t index) noexcept override;
    GdiHandle CreateFontIndirectA(const LogFontA& font) noexcept override;
    GdiHandle SelectObject(DeviceContext dc, GdiHandle object) noexcept override;
    bool DeleteObject(GdiHandle object) noexcept override;
    int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) noexcept override;
    std::string ToAnsiCodePage(std::u16string_view text) override;
    std::vector<bool> MissingGlyphs(DeviceContext dc, std::u16string_view text) override;
    int32_t TextAscent(DeviceContext) override { return 0; }

private:
    void Record(std::string entry) noexcept;

    Recorder& recorder_;
    GdiHandle next_ = 0x100;
};

}  // namespace quillant::render::fake
