#pragma once
// The one wording for a character that Code 128 cannot carry, shared by every
// encoder so hosts see the same description whichever path refused the text.

#include <cstddef>
#include <string_view>

#include "encoding/vb_error.h"

namespace quillant {

// Error 5 naming the character at pos (0-based) and its 1-based UTF-16 position.
VbError UnencodableCharacter(std::u16string_view text, size_t pos);

}  // namespace quillant
