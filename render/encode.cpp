#include "render/encode.h"

#include <exception>

#include "render/caption.h"
#include "render/coordinate_check.h"
#include "render/symbol_drawing.h"
#include "encoding/vb_error.h"
#include "encoding/vb_numbers.h"

namespace quillant::render {
namespace {

bool DrawsSomething(int32_t orientation) { return orientation == bcHorizontal || orientation == bcVertical; }

void Render(const BarcodeProperties& properties, std::string_view modulePattern, DrawingObject* object,
            Platform platform) {
    if (!vb::FitsInt32(static_cast<int64_t>(modulePattern.size()))) throw vb_errors::Overflow();
    const auto modules = static_cast<int32_t>(modulePattern.size());

    // An orientation that draws nothing is a mistake the host should hear of,
    // not a success with an empty page.
    if (!DrawsSomething(properties.orientation)) throw vb_errors::InvalidCall();
    if (!object) throw vb_errors::ObjectNotSet();
    CheckCoordinatesFit(properties, modules);

    const Target target{*object, object->IsPrinter()};
    DrawSymbol(target, properties, modulePattern);
    if (properties.visibleCode != 0) PrintCaption(target, platform, properties, modules);
}

}  // namespace

std::string Encode(const BarcodeProperties& properties, std::string_view modules, DrawingObject* target,
                   Platform platform) {
    try {
        Render(properties, modules, target, platform);
        return kEncodeSucceeded;
    } catch (...) {
        // A platform adapter's own failure too: the host gets text, never a
        // raised error, from Encode.
        return vb_errors::CurrentError().description();
    }
}

}  // namespace quillant::render
