#pragma once
// What a Quillant2 object stores beyond Quillant1's properties: the
// symbology, how the symbol meets the device's dots, and its quiet zones.

#include <cstdint>

#include "render/barcode_properties.h"

namespace quillant {

enum Symbologies : int32_t {
    bcCode128 = 1,  // every character U+0000..U+00FF, shortest symbol
    bcGS1_128 = 2,  // a GS1 element string
};

// The turns Quillant2 adds to Orientations.
enum LabelOrientations : int32_t {
    bcUpsideDown = 3,    // 180 degrees, reading right to left
    bcVerticalDown = 4,  // 90 degrees clockwise, reading top to bottom
};

struct LabelProperties : BarcodeProperties {
    int32_t symbology = bcCode128;
    int16_t snapToDevice = -1;     // automation Boolean
    int32_t deviceResolution = 0;  // dots per inch; 0 asks the target
    int16_t barWidthReduction = 0; // percent of a module
    int16_t quietZones = 0;        // automation Boolean
};

// The limits of the settable values, which Quillant2's puts enforce.
namespace label_limits {
constexpr int32_t kLowestResolution = 72;
constexpr int32_t kHighestResolution = 4800;
constexpr int16_t kMostReduction = 50;
constexpr int32_t kQuietZoneModules = 10;
}  // namespace label_limits

}  // namespace quillant
