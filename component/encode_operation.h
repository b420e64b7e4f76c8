#pragma once
// The body of Encode: draws the symbol for the stored properties on the
// drawing object and reports the outcome as text, render's kEncodeSucceeded
// or the description of the error that stopped it. It never raises.

#include <oaidl.h>

#include <functional>
#include <memory>
#include <string>

#include "adapters/dispatch_caller.h"
#include "render/barcode_properties.h"
#include "render/drawing_object.h"
#include "render/platform.h"

namespace quillant::component {

// Runs one drawing on the host's object, with gdi32 for turned fonts and the
// process's scratch form, and hands back the renderer's result as text. The
// drawing gets no object when device is null. A Visual Basic error or
// exhausted memory thrown by draw (a text it cannot encode) becomes the answer.
// known, when given, is the DISPIDs device has answered to earlier calls.
using Drawing = std::function<std::string(render::DrawingObject* target, render::Platform platform)>;
std::u16string DrawOnDevice(IDispatch* device, const Drawing& draw,
                            std::shared_ptr<render::win32::KnownMembers> known = nullptr);

// Quillant1's Encode: its symbol of the text (symbol_encoder.h), drawn by
// render::Encode.
std::u16string EncodeOnDevice(const BarcodeProperties& properties, IDispatch* device);

}  // namespace quillant::component
