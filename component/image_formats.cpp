#include "component/image_formats.h"

#include "encoding/vb_error.h"
#include "forms/file_names.h"

namespace quillant::component {
namespace {

struct FormatRow {
    const char16_t* name;
    ImageFormat format;
};
constexpr FormatRow kNames[] = {
    {u"png", ImageFormat::kPng}, {u"bmp", ImageFormat::kBmp}, {u"emf", ImageFormat::kEmf},
    {u"svg", ImageFormat::kSvg}, {u"dib", ImageFormat::kDib},
};

constexpr forms::ExtensionRow<ImageFormat> kExtensions[] = {
    {L".png", ImageFormat::kPng}, {L".bmp", ImageFormat::kBmp}, {L".emf", ImageFormat::kEmf},
    {L".svg", ImageFormat::kSvg}, {L".dib", ImageFormat::kDib},
};

constexpr uint32_t kSystemColourFlag = 0x80000000;
constexpr uint32_t kLastSystemColour = 0x80000018;  // COLOR_INFOBK

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

}  // namespace

ImageFormat ImageFormatNamed(std::u16string_view name) {
    for (const FormatRow& row : kNames) {
        const std::u16string_view known(row.name);
        if (known.size() != name.size()) continue;
        bool same = true;
        for (size_t i = 0; i < name.size() && same; ++i) same = Lower(name[i]) == known[i];
        if (same) return row.format;
    }
    throw vb_errors::WithDetail(vb_errors::kInvalidPropertyValue,
                                "Format must be \"png\", \"bmp\", \"emf\", \"svg\" or \"dib\"");
}

ImageFormat ImageFormatOfFile(const std::wstring& path) {
    return forms::FormatOfFileName(path, kExtensions, "FileName '" + forms::NameForMessage(path) + "'");
}

bool IsOleColour(uint32_t colour) {
    return colour <= 0xFFFFFF || (colour >= kSystemColourFlag && colour <= kLastSystemColour);
}

}  // namespace quillant::component
