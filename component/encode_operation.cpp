#include "component/encode_operation.h"

#include <memory>

#include "render/win32/dispatch_drawing_object.h"
#include "render/encode.h"
#include "render/win32/gdi_font_api.h"
#include "component/shared_drawing_objects.h"
#include "win32/text_conversion.h"
#include "encoding/vb_error.h"

namespace quillant::component {

std::u16string DrawOnDevice(IDispatch* device, const Drawing& draw) {
    render::win32::GdiFontApi fonts;
    std::unique_ptr<render::win32::DispatchDrawingObject> target;
    try {
        // Member names are looked up once per Encode, through this adapter.
        if (device) target = std::make_unique<render::win32::DispatchDrawingObject>(device);
    } catch (const VbError& error) {
        return win32::Utf16FromUtf8(error.description());
    }
    // A scratch form of this call's own: turned printer captions drawn from
    // two threads at once would mix on a shared one, and a lock held across
    // the drawing would be held across the host's object's calls.
    render::win32::ScratchFormPool::Lease form(ScratchForms());
    return win32::Utf16FromUtf8(draw(target.get(), render::Platform{fonts, form}));
}

std::u16string EncodeOnDevice(const BarcodeProperties& properties, IDispatch* device, std::string& modulePattern) {
    return DrawOnDevice(device, [&](render::DrawingObject* target, render::Platform platform) {
        return render::Encode(properties, target, platform, modulePattern);
    });
}

}  // namespace quillant::component
