#pragma once
// What a Quillant1 object stores: its nine published properties with their
// defaults. Setters store values unchanged; Encode and GetBarWidth read them.

#include <cstdint>
#include <string>

namespace quillant {

enum Orientations : int32_t {
    bcHorizontal = 1,
    bcVertical = 2,
};

struct BarcodeProperties {
    int32_t xPosition = 0;
    int32_t yPosition = 0;
    std::u16string encodeString = u"EMPTY";
    int16_t elementWidth = 20;
    int16_t barHeight = 1500;
    int16_t visibleCode = -1;   // automation Boolean: any non-zero value is true
    int16_t indentedCode = -1;  // automation Boolean
    int32_t orientation = bcHorizontal;
};

}  // namespace quillant
