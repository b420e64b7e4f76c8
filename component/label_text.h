#pragma once
// What Quillant2 encodes for its properties: the module string and the
// human-readable caption, from the full Code 128 encoder or the GS1-128
// element string parser, as the symbology says.

#include <string>
#include <vector>

#include "render/label_properties.h"

namespace quillant::component {

struct LabelText {
    std::string modules;
    std::u16string caption;
    std::vector<int> values;  // start through check character, as the modules hold them
};

// Error 5 for text the symbology cannot carry (a character above U+00FF, a
// fault in an element string), 6 beyond what a symbol can hold, 380 for a
// symbology that does not exist.
LabelText EncodeLabelText(const LabelProperties& properties);

}  // namespace quillant::component
