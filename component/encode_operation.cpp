#include "component/encode_operation.h"

#include <memory>
#include <new>
#include <optional>
#include <utility>

#include "adapters/dispatch_drawing_object.h"
#include "render/encode.h"
#include "adapters/gdi_font_api.h"
#include "component/shared_drawing_objects.h"
#include "win32/text_conversion.h"
#include "encoding/symbol_encoder.h"
#include "encoding/vb_error.h"

namespace quillant::component {

std::u16string DrawOnDevice(IDispatch* device, const Drawing& draw,
                            std::shared_ptr<render::win32::KnownMembers> known) {
    render::win32::GdiFontApi fonts;
    std::optional<render::win32::DispatchDrawingObject> target;
    try {
        // Member names are looked up once per Encode, through this adapter,
        // unless the caller knows them.
        if (device) target.emplace(device, std::move(known));
    } catch (const VbError& error) {
        return win32::Utf16FromUtf8(error.description());
    }
    try {
        // A scratch form of this call's own: turned printer captions drawn from
        // two threads at once would mix on a shared one, and a lock held across
        // the drawing would be held across the host's object's calls.
        render::win32::ScratchFormPool::Lease form(ScratchForms());
        return win32::Utf16FromUtf8(draw(target ? &*target : nullptr, render::Platform{fonts, form}));
    } catch (...) {
        return win32::Utf16FromUtf8(vb_errors::CurrentError().description());
    }
}

std::u16string EncodeOnDevice(const BarcodeProperties& properties, IDispatch* device) {
    return DrawOnDevice(device, [&](render::DrawingObject* target, render::Platform platform) {
        const std::string modules = ModulePattern(properties.encodeString, Encoding::Quillant1);
        return render::Encode(properties, modules, target, platform);
    });
}

}  // namespace quillant::component
