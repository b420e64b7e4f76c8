// What Encode itself costs per module: the symbol drawn onto a drawing object
// that does nothing but keep its pen, so only the renderer's own work is
// timed. BuildPattern of the same text, the first thing Encode does, is the
// baseline in the same run; the difference is the drawing.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "render/encode.h"
#include "render/png_file.h"
#include "encoding/symbol_encoder.h"

namespace {

using namespace quillant;
using namespace quillant::render;

class NoOpPicture : public Picture {};

// Keeps the pen where Line leaves it, as every target must; answers fixed
// measurements otherwise.
class NoOpTarget : public DrawingObject {
public:
    explicit NoOpTarget(bool printer) : printer_(printer) {}
    bool IsPrinter() override { return printer_; }
    double CurrentX() override { return x_; }
    double CurrentY() override { return y_; }
    void SetCurrentX(double x) override { x_ = x; }
    void SetCurrentY(double y) override { y_ = y; }
    void Line(LineStyle, double, double, double x2, double y2, Color) override {
        x_ = x2;
        y_ = y2;
    }
    void SetForeColor(Color) override {}
    void SetDrawWidth(int16_t) override {}
    Color BackColor() override { return kWhite; }
    void SetFillColor(Color) override {}
    std::u16string FontName() override { return u"OCR A Extended"; }
    void SetFontName(std::u16string_view) override {}
    double FontSize() override { return 10.5; }
    void SetFontSize(double) override {}
    bool FontBold() override { return false; }
    void SetFontBold(bool) override {}
    void SetFontItalic(bool) override {}
    bool FontItalic() override { return false; }
    bool FontUnderline() override { return false; }
    bool FontStrikethru() override { return false; }
    double TextWidth(std::u16string_view) override { return 600; }
    double TextHeight(std::u16string_view) override { return 285; }
    void Print(std::u16string_view) override {}
    DeviceContext Hdc() override { return 1; }
    void PaintPicture(const Picture&, double, double, double, double) override {}

private:
    bool printer_;
    double x_ = 0;
    double y_ = 0;
};

class NoOpScratch : public ScratchPicture, public ScratchForm {
public:
    ScratchPicture& Picture1() override { return *this; }
    void SetFontName(std::u16string_view) override {}
    void SetFontSize(double) override {}
    double Height() override { return 1010; }
    void SetWidth(double) override {}
    void SetHeight(double) override {}
    void SetBackColor(Color) override {}
    void Cls() override {}
    double TextWidth(std::u16string_view) override { return 100; }
    DeviceContext Hdc() override { return 2; }
    void SetCurrentX(double) override {}
    void SetCurrentY(double) override {}
    void Print(std::u16string_view) override {}
    std::unique_ptr<Picture> Image() override { return std::make_unique<NoOpPicture>(); }
};

class NoOpFonts : public FontApi {
public:
    int32_t SetGraphicsMode(DeviceContext, int32_t) noexcept override { return 1; }
    int32_t GetDeviceCaps(DeviceContext, int32_t) noexcept override { return 96; }
    GdiHandle CreateFontIndirectA(const LogFontA&) noexcept override { return 0x100; }
    GdiHandle SelectObject(DeviceContext, GdiHandle) noexcept override { return 7; }
    bool DeleteObject(GdiHandle) noexcept override { return true; }
    int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) noexcept override {
        return static_cast<int32_t>(int64_t{number} * numerator / denominator);
    }
    std::string ToAnsiCodePage(std::u16string_view text) override { return std::string(text.begin(), text.end()); }
    std::vector<bool> MissingGlyphs(DeviceContext, std::u16string_view) override { return {}; }
    int32_t TextAscent(DeviceContext) override { return 0; }
};

const std::u16string kTexts[] = {u"EMPTY", u"INV-2024/00815 Lot 7731904 qty:12 (Bx#9)"};

void PerModule(benchmark::State& state, size_t modules) {
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(modules));
    state.counters["modules"] = static_cast<double>(modules);
    state.counters["per module"] = benchmark::Counter(static_cast<double>(state.iterations() * modules),
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Encode(benchmark::State& state, bool printer, int32_t orientation) {
    const std::u16string& text = kTexts[state.range(0)];
    BarcodeProperties properties;
    properties.encodeString = text;
    properties.orientation = orientation;
    properties.xPosition = 1500;
    properties.yPosition = 1500;
    NoOpTarget target(printer);
    NoOpFonts fonts;
    NoOpScratch scratch;
    // The module string as the component builds it for each Encode.
    auto encode = [&] {
        const std::string pattern = ModulePattern(properties.encodeString, Encoding::Quillant1);
        return Encode(properties, pattern, &target, Platform{fonts, scratch});
    };
    for (auto _ : state) benchmark::DoNotOptimize(encode());
    const std::string pattern = ModulePattern(text, Encoding::Quillant1);
    if (encode() != kEncodeSucceeded) {
        state.SkipWithError("Encode failed");
    }
    PerModule(state, pattern.size());
}
BENCHMARK_CAPTURE(BM_Encode, picture_box_horizontal, false, bcHorizontal)->Arg(0)->Arg(1);
BENCHMARK_CAPTURE(BM_Encode, printer_vertical, true, bcVertical)->Arg(0)->Arg(1);

// Baseline: the module string alone.
void BM_BuildPattern(benchmark::State& state) {
    const std::u16string& text = kTexts[state.range(0)];
    for (auto _ : state) {
        benchmark::DoNotOptimize(ModulePattern(text, Encoding::Quillant1));
    }
    PerModule(state, ModulePattern(text, Encoding::Quillant1).size());
}
BENCHMARK(BM_BuildPattern)->Arg(0)->Arg(1);

// A symbol's picture as the image members write it, 627 x 171 pixels of
// bars and a smoothed caption, to PNG at the depth its pixels need; the
// pass that finds that depth is the baseline in the same run.
std::vector<uint8_t> SymbolPicture(int width, int height) {
    std::vector<uint8_t> bits(size_t(width) * height * 3, 255);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool bars = y < height * 3 / 4;
            const bool dark = bars ? (x / 3) % 5 < 2 : (x * 7 + y * 13) % 11 == 0;
            const uint8_t grey = dark ? (bars ? 0 : static_cast<uint8_t>(x * y)) : 255;
            for (int c = 0; c < 3; ++c) bits[(size_t(y) * width + x) * 3 + c] = grey;
        }
    }
    return bits;
}

void BM_PngFile(benchmark::State& state) {
    std::vector<uint8_t> bits = SymbolPicture(627, 171);
    const PixelRows rows{bits.data(), 627, 171, 627 * 3};
    for (auto _ : state) {
        const PixelDepth depth = DepthOf(rows.bits, rows.width, rows.height, rows.stride, PixelDepth::kBlackWhite);
        benchmark::DoNotOptimize(PngFile(rows, depth, 300));
    }
}
BENCHMARK(BM_PngFile)->Unit(benchmark::kMicrosecond);

void BM_DepthOf(benchmark::State& state) {
    std::vector<uint8_t> bits = SymbolPicture(627, 171);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DepthOf(bits.data(), 627, 171, 627 * 3, PixelDepth::kBlackWhite));
    }
}
BENCHMARK(BM_DepthOf)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
