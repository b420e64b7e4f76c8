#pragma once
// Error descriptions are UTF-8 inside the component and UTF-16 at the COM
// boundary.

#include <string>
#include <string_view>

namespace quillant::component {

std::u16string Utf16FromUtf8(std::string_view text);

}  // namespace quillant::component
