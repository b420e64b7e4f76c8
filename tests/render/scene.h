#pragma once
// One Encode's world for the tests: a recording target, GDI and scratch form
// sharing one log.

#include <string>

#include "render/barcode_properties.h"
#include "render/encode.h"
#include "encoding/symbol_encoder.h"
#include "encoding/vb_error.h"
#include "tests/render/recording_fake.h"

namespace quillant::render::fake {

struct Scene {
    Recorder recorder;
    FakeObject target{recorder, ""};
    FakeFontApi gdi{recorder};
    FakeForm form{recorder};

    Platform platform() { return {gdi, form}; }
    Target asTarget() { return {target, target.printer}; }
    // As Quillant1's Encode: its symbol of the text, or the text's error.
    std::string Encode(const BarcodeProperties& properties) {
        std::string modules;
        try {
            modules = ModulePattern(properties.encodeString, Encoding::Quillant1);
        } catch (const VbError& error) {
            return error.description();
        }
        return render::Encode(properties, modules, &target, platform());
    }
    const std::vector<std::string>& log() const { return recorder.log; }
};

}  // namespace quillant::render::fake
