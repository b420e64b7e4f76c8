#pragma once
// One Encode's world for the tests: a recording target, GDI and scratch form
// sharing one log.

#include <string>

#include "render/barcode_properties.h"
#include "render/encode.h"
#include "tests/render/recording_fake.h"

namespace quillant::render::fake {

struct Scene {
    Recorder recorder;
    FakeObject target{recorder, ""};
    FakeFontApi gdi{recorder};
    FakeForm form{recorder};
    std::string pattern;

    Platform platform() { return {gdi, form}; }
    Target asTarget() { return {target, target.printer}; }
    std::string Encode(const BarcodeProperties& properties) {
        return render::Encode(properties, &target, platform(), pattern);
    }
    const std::vector<std::string>& log() const { return recorder.log; }
};

}  // namespace quillant::render::fake
