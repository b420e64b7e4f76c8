#pragma once
// What a Quillant2 object stores beyond Quillant1's properties: the
// symbology, how the symbol meets the device's dots, and its quiet zones.

#include <cstdint>
#include <string>

#include "render/barcode_properties.h"
#include "render/caption_face.h"

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

// Which side of the bars the caption is on. Below is the side the
// orientation puts it on (under a horizontal symbol), above the other one.
enum CaptionPositions : int32_t {
    bcCaptionBelow = 0,
    bcCaptionAbove = 1,
    bcCaptionNone = 2,
};

// The caption's look (CaptionFont, CaptionPosition, CaptionGap). A size of 0
// is today's: the module width over kCaptionDivisor.
struct CaptionStyle {
    std::u16string face{render::kCaptionFace};
    double points = 0;
    bool bold = false;
    bool italic = false;
    int32_t position = bcCaptionBelow;
    int32_t gap = 0;  // the target's units, from the bars' edge out
};

struct LabelProperties : BarcodeProperties {
    int32_t symbology = bcCode128;
    int16_t snapToDevice = -1;     // automation Boolean
    int32_t deviceResolution = 0;  // dots per inch; 0 asks the target
    int16_t barWidthReduction = 0; // percent of a module
    int16_t quietZones = 0;        // automation Boolean
    CaptionStyle caption;
};

// The limits of the settable values, which Quillant2's puts enforce.
namespace label_limits {
constexpr int32_t kLowestResolution = 72;
constexpr int32_t kHighestResolution = 4800;
constexpr int16_t kMostReduction = 50;
constexpr int32_t kQuietZoneModules = 10;
constexpr int32_t kMostCaptionGap = 32767;
}  // namespace label_limits

}  // namespace quillant
