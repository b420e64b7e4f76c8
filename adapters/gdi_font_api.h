#pragma once
// The renderer's font calls on the real gdi32 and kernel32.

#include "render/font_api.h"

namespace quillant::render::win32 {

class GdiFontApi final : public FontApi {
public:
    int32_t SetGraphicsMode(DeviceContext dc, int32_t mode) noexcept override;
    int32_t GetDeviceCaps(DeviceContext dc, int32_t index) noexcept override;
    GdiHandle CreateFontIndirectA(const LogFontA& font) noexcept override;
    GdiHandle SelectObject(DeviceContext dc, GdiHandle object) noexcept override;
    bool DeleteObject(GdiHandle object) noexcept override;
    int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) noexcept override;
    std::string ToAnsiCodePage(std::u16string_view text) override;
    std::vector<bool> MissingGlyphs(DeviceContext dc, std::u16string_view text) override;
    int32_t TextAscent(DeviceContext dc) override;
};

}  // namespace quillant::render::win32
