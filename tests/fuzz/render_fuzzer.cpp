// Arbitrary properties and arbitrary target behaviour through Encode: the
// target's measurements, sizes, resolution, pen drift and failing members all
// come from the input. Whatever happens, Encode answers "Sucess" or a known
// error text, leaves no font created or selected, and never half-draws a
// symbol on a target that moves its pen as a drawing object should.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "render/encode.h"
#include "encoding/symbol_encoder.h"
#include "tests/render/recording_fake.h"
#include "encoding/vb_error.h"

namespace {

using namespace quillant;
using namespace quillant::render;

void Check(bool condition) {
    if (!condition) std::abort();
}

constexpr const char* kInjected = "injected by the fuzzer";

const char* const kMembers[] = {
    "CurrentX", "CurrentY", "Line", "ForeColor", "DrawWidth", "BackColor", "FillColor", "FontName",
    "FontSize", "FontBold", "FontItalic", "FontUnderline", "FontStrikethru", "TextWidth", "TextHeight",
    "Print", "hdc", "PaintPicture", "Picture1.FontName", "Picture1.FontSize", "Picture1.Width",
    "Picture1.Height", "Picture1.TextWidth", "Picture1.BackColor", "Picture1.Cls", "Picture1.hdc",
    "Picture1.CurrentX", "Picture1.CurrentY", "Picture1.Print", "Picture1.Image",
};

// Mostly values a host would use, sometimes anything at all.
template <class Int>
Int Coordinate(FuzzedDataProvider& in, Int typicalLow, Int typicalHigh) {
    return in.ConsumeBool() ? in.ConsumeIntegralInRange<Int>(typicalLow, typicalHigh) : in.ConsumeIntegral<Int>();
}

double Measure(FuzzedDataProvider& in, double typicalHigh) {
    return in.ConsumeBool() ? in.ConsumeFloatingPointInRange<double>(0, typicalHigh) : in.ConsumeFloatingPoint<double>();
}

std::u16string Utf16(FuzzedDataProvider& in, size_t maxUnits) {
    const std::string bytes = in.ConsumeRandomLengthString(maxUnits * 2);
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text += static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8);
    }
    return text;
}

bool IsEncoderRefusal(const std::string& result) {
    const std::string tail = "cannot be encoded in Code 128";
    return result.rfind("Character U+", 0) == 0 && result.size() > tail.size() &&
           result.compare(result.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);

    BarcodeProperties p;
    p.xPosition = Coordinate<int32_t>(in, -2000, 33000);
    p.yPosition = Coordinate<int32_t>(in, -2000, 33000);
    p.elementWidth = Coordinate<int16_t>(in, -30, 60);
    p.barHeight = Coordinate<int16_t>(in, -100, 3000);
    p.visibleCode = in.ConsumeIntegral<int16_t>();
    p.indentedCode = in.ConsumeIntegral<int16_t>();
    p.orientation = in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(1, 2) : in.ConsumeIntegral<int32_t>();

    fake::Recorder recorder;
    fake::FakeObject target(recorder, "");
    fake::FakeFontApi gdi(recorder);
    fake::FakeForm form(recorder);
    const bool noTarget = in.ConsumeProbability<double>() < 0.05;
    target.printer = in.ConsumeBool();
    target.textWidth = Measure(in, 5000);
    target.textHeight = Measure(in, 1000);
    if (in.ConsumeBool()) target.adjustedFontSize = Measure(in, 100);
    target.hdc = in.ConsumeIntegral<int32_t>();
    const Color back = in.ConsumeIntegral<uint32_t>();
    target.backColor = [back] { return back; };
    const bool drifts = in.ConsumeProbability<double>() < 0.1;
    if (drifts) {
        target.penDriftX = in.ConsumeFloatingPointInRange<double>(-2000, 2000);
        target.penDriftY = in.ConsumeFloatingPointInRange<double>(-2000, 2000);
    }
    target.fontName = Utf16(in, 40);
    target.fontBold = in.ConsumeBool();
    gdi.dpi = in.ConsumeIntegral<int32_t>();
    gdi.createFails = in.ConsumeProbability<double>() < 0.1;
    gdi.wideCharBytes = in.ConsumeIntegralInRange<int>(1, 3);
    if (in.ConsumeBool()) {
        static_cast<void>(form.Picture1());
        form.picture()->textWidth = Measure(in, 5000);
    }
    const bool faulty = in.ConsumeBool();
    if (faulty) {
        const VbError fault(in.ConsumeIntegral<int32_t>(), kInjected);
        if (in.ConsumeBool()) {
            recorder.FailOn(in.PickValueInArray(kMembers), in.ConsumeIntegralInRange<int>(1, 40), fault);
        } else {
            recorder.FailAtCall(in.ConsumeIntegralInRange<int>(1, 2000), fault);
        }
    }
    p.encodeString = Utf16(in, 120);

    // As Quillant1's Encode: a text the encoder refuses is never drawn.
    std::string pattern;
    std::string result;
    try {
        pattern = ModulePattern(p.encodeString, Encoding::Quillant1);
        result = Encode(p, pattern, noTarget ? nullptr : &target, Platform{gdi, form});
    } catch (const VbError& error) {
        result = error.description();
    }

    Check(result == kEncodeSucceeded || result == "Overflow" || result == "Invalid procedure call or argument" ||
          result == "Object variable or With block variable not set" || result == kInjected ||
          IsEncoderRefusal(result));
    Check(gdi.Clean());
    if (IsEncoderRefusal(result)) {
        Check(recorder.objectCalls() == 0);
        return 0;
    }

    const size_t modules = pattern.size();
    const size_t started = recorder.Count("DrawWidth=");
    if (result == kEncodeSucceeded) {
        Check(started == modules);
        // A caption printed on the printer's page itself, unless it went
        // through the scratch picture.
        const bool scratchCaption = target.printer && p.orientation == bcVertical;
        Check(recorder.Count("Print(") == (p.visibleCode != 0 && !scratchCaption ? 1u : 0u));
    }
    if (result == "Overflow" && !drifts) {
        // Refused before the first module, or only the caption's measured
        // values were too large, after the whole symbol.
        Check(started == 0 || started == modules);
        if (started == 0) Check(recorder.objectCalls() == 0);
    }
    if (result == "Invalid procedure call or argument" || result == "Object variable or With block variable not set") {
        Check(recorder.objectCalls() == 0);
    }
    return 0;
}
