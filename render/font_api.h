#pragma once
// The platform calls behind a rotated caption: gdi32 and kernel32 on Windows,
// a recording fake in tests. None of them fails loudly; their results are used
// as they come, exactly as the platform returns them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/drawing_object.h"

namespace quillant::render {

// A GDI object handle (font, or whatever was selected before it).
using GdiHandle = std::uintptr_t;

// Field for field the platform's LOGFONTA, so the Win32 side can copy it
// straight into the real structure.
struct LogFontA {
    int32_t lfHeight = 0;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 0;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    char lfFaceName[32] = {};
};
static_assert(sizeof(LogFontA) == 60, "LogFontA must match the platform's LOGFONTA");

namespace gdi {
constexpr int32_t kGmAdvanced = 2;
constexpr int32_t kLogPixelsY = 90;
constexpr int32_t kFwNormal = 400;
constexpr int32_t kFwBold = 700;
constexpr uint8_t kAnsiCharset = 0;
constexpr uint8_t kOutDefaultPrecis = 0;
constexpr uint8_t kClipDefaultPrecis = 0;
constexpr uint8_t kProofQuality = 2;
constexpr uint8_t kFixedPitch = 1;
constexpr uint8_t kFfSwiss = 0x20;
}  // namespace gdi

class FontApi {
public:
    virtual ~FontApi() = default;

    virtual int32_t SetGraphicsMode(DeviceContext dc, int32_t mode) noexcept = 0;
    virtual int32_t GetDeviceCaps(DeviceContext dc, int32_t index) noexcept = 0;
    virtual GdiHandle CreateFontIndirectA(const LogFontA& font) noexcept = 0;
    virtual GdiHandle SelectObject(DeviceContext dc, GdiHandle object) noexcept = 0;
    virtual bool DeleteObject(GdiHandle object) noexcept = 0;
    virtual int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) noexcept = 0;

    // The face name in the system's ANSI code page, as an ANSI API receives a
    // string (WideCharToMultiByte CP_ACP); unmappable characters become the
    // code page's default character.
    virtual std::string ToAnsiCodePage(std::u16string_view text) = 0;

    // For each UTF-16 unit of text, whether the font selected into dc lacks
    // its glyph (GetGlyphIndicesW with GGI_MARK_NONEXISTING_GLYPHS). Empty
    // when the platform cannot tell; every glyph is then taken as there.
    virtual std::vector<bool> MissingGlyphs(DeviceContext dc, std::u16string_view text) = 0;

    // The ascent of the font selected into dc, in its pixels (GetTextMetrics);
    // 0 when the platform cannot tell.
    virtual int32_t TextAscent(DeviceContext dc) = 0;
};

}  // namespace quillant::render
