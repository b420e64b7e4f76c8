#include "adapters/gdi_font_api.h"

#include <windows.h>

#include <cstring>

namespace quillant::render::win32 {
namespace {

static_assert(sizeof(LogFontA) == sizeof(LOGFONTA), "the portable LOGFONTA must match the platform's");

// A device context travels as Visual Basic's 32-bit hDC; GDI handles are
// 32-bit values sign-extended on 64-bit Windows.
HDC ToHdc(DeviceContext dc) { return reinterpret_cast<HDC>(static_cast<intptr_t>(dc)); }

}  // namespace

int32_t GdiFontApi::SetGraphicsMode(DeviceContext dc, int32_t mode) noexcept {
    return ::SetGraphicsMode(ToHdc(dc), mode);
}

int32_t GdiFontApi::GetDeviceCaps(DeviceContext dc, int32_t index) noexcept {
    return ::GetDeviceCaps(ToHdc(dc), index);
}

GdiHandle GdiFontApi::CreateFontIndirectA(const LogFontA& font) noexcept {
    LOGFONTA native;
    std::memcpy(&native, &font, sizeof native);
    return reinterpret_cast<GdiHandle>(::CreateFontIndirectA(&native));
}

GdiHandle GdiFontApi::SelectObject(DeviceContext dc, GdiHandle object) noexcept {
    return reinterpret_cast<GdiHandle>(::SelectObject(ToHdc(dc), reinterpret_cast<HGDIOBJ>(object)));
}

bool GdiFontApi::DeleteObject(GdiHandle object) noexcept {
    return ::DeleteObject(reinterpret_cast<HGDIOBJ>(object)) != FALSE;
}

int32_t GdiFontApi::MulDiv(int32_t number, int32_t numerator, int32_t denominator) noexcept {
    return ::MulDiv(number, numerator, denominator);
}

std::string GdiFontApi::ToAnsiCodePage(std::u16string_view text) {
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(CP_ACP, 0, wide, length, out.data(), size, nullptr, nullptr);
    return out;
}

// A glyph index of 0xFFFF marks a character the font has no glyph for.
// Index 0 (.notdef) is a glyph GDI would draw as a box or a blank, so it
// counts as missing too.
std::vector<bool> GdiFontApi::MissingGlyphs(DeviceContext dc, std::u16string_view text) {
    std::vector<WORD> indices(text.size());
    const DWORD done = ::GetGlyphIndicesW(ToHdc(dc), reinterpret_cast<const wchar_t*>(text.data()),
                                          static_cast<int>(text.size()), indices.data(), GGI_MARK_NONEXISTING_GLYPHS);
    if (done == GDI_ERROR || done != text.size()) return {};
    std::vector<bool> missing(text.size());
    for (size_t i = 0; i < text.size(); ++i) missing[i] = indices[i] == 0xFFFF || indices[i] == 0;
    return missing;
}

int32_t GdiFontApi::TextAscent(DeviceContext dc) {
    TEXTMETRICW metrics = {};
    return ::GetTextMetricsW(ToHdc(dc), &metrics) ? metrics.tmAscent : 0;
}

}  // namespace quillant::render::win32
