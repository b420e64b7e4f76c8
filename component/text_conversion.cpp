#include "component/text_conversion.h"

#include <windows.h>

namespace quillant::component {

std::u16string Utf16FromUtf8(std::string_view text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::u16string out(static_cast<size_t>(size), u'\0');
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 on Windows");
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), reinterpret_cast<wchar_t*>(out.data()),
                        size);
    return out;
}

}  // namespace quillant::component
