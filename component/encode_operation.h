#pragma once
// The body of Quillant1::Encode: draws the symbol for the stored properties
// on the drawing object and reports the outcome as text, render's
// kEncodeSucceeded or the description of the error that stopped it. It never raises.

#include <oaidl.h>

#include <string>

#include "render/barcode_properties.h"

namespace quillant::component {

// modulePattern receives the module string of this call.
std::u16string EncodeOnDevice(const BarcodeProperties& properties, IDispatch* device, std::string& modulePattern);

}  // namespace quillant::component
