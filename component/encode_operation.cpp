#include "component/encode_operation.h"

#include <memory>
#include <mutex>
#include <new>

#include "render/win32/dispatch_drawing_object.h"
#include "render/encode.h"
#include "render/win32/gdi_font_api.h"
#include "component/shared_drawing_objects.h"
#include "win32/text_conversion.h"
#include "encoding/symbol_encoder.h"
#include "encoding/vb_error.h"

namespace quillant::component {

std::u16string DrawOnDevice(IDispatch* device, const Drawing& draw) {
    auto& form = ScratchForm();
    render::win32::GdiFontApi fonts;
    std::unique_ptr<render::win32::DispatchDrawingObject> target;
    std::unique_lock<std::mutex> formLock(form.InUse(), std::defer_lock);
    try {
        if (device) {
            // Member names are looked up once per Encode, through this adapter.
            target = std::make_unique<render::win32::DispatchDrawingObject>(device);
            // Printers share the one scratch form; captions drawn on it from two
            // threads at once would mix.
            if (target->IsPrinter()) formLock.lock();
        }
    } catch (const VbError& error) {
        return win32::Utf16FromUtf8(error.description());
    }
    try {
        return win32::Utf16FromUtf8(draw(target.get(), render::Platform{fonts, form}));
    } catch (const VbError& error) {
        return win32::Utf16FromUtf8(error.description());
    } catch (const std::bad_alloc&) {
        return win32::Utf16FromUtf8(vb_errors::TextOf(vb_errors::kOutOfMemory));
    }
}

std::u16string EncodeOnDevice(const BarcodeProperties& properties, IDispatch* device) {
    return DrawOnDevice(device, [&](render::DrawingObject* target, render::Platform platform) {
        const std::string modules = ModulePattern(properties.encodeString, Encoding::Quillant1);
        return render::Encode(properties, modules, target, platform);
    });
}

}  // namespace quillant::component
