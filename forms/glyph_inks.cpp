#include "forms/glyph_inks.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "render/byte_spans.h"

namespace quillant::forms {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
// A glyph's scratch beyond this (a caption font hundreds of pixels high) is
// left to GDI rather than held on to.
constexpr int64_t kMostScratchPixels = int64_t{1} << 20;

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

GlyphInks::GlyphInks() = default;
GlyphInks::~GlyphInks() = default;

bool GlyphInks::MakeScratch(HDC dc, const LOGFONTW& font) {
    if (scratch_ && SameFont(font, scratchFor_)) return true;
    TEXTMETRICW metrics = {};
    if (!GetTextMetricsW(dc, &metrics) || metrics.tmHeight <= 0 || metrics.tmMaxCharWidth <= 0) return false;
    const int margin = metrics.tmHeight + 2;
    const int64_t width = int64_t{metrics.tmMaxCharWidth} + 2 * int64_t{margin};
    const int64_t height = int64_t{metrics.tmHeight} + 2 * int64_t{margin};
    if (width * height > kMostScratchPixels) return false;
    if (!scratch_ || scratch_->Width() < width || scratch_->Height() < height) {
        scratch_.reset();
        scratch_ = std::make_unique<RasterImage>(static_cast<int>(width), static_cast<int>(height), kWhite);
        const HDC scratch = scratch_->Dc();
        SetTextColor(scratch, RGB(0, 0, 0));
        SetBkMode(scratch, TRANSPARENT);
        SetTextAlign(scratch, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    }
    scratchMargin_ = margin;
    scratchFor_ = font;
    return true;
}

GlyphInks::FontGlyphs& GlyphInks::GlyphsOf(const LOGFONTW& font) {
    for (const auto& kept : fonts_) {
        if (SameFont(kept->font, font)) return *kept;
    }
    auto glyphs = std::make_unique<FontGlyphs>();
    glyphs->font = font;
    if (fonts_.size() < kFontsKept) {
        fonts_.push_back(std::move(glyphs));
        return *fonts_.back();
    }
    std::unique_ptr<FontGlyphs>& replaced = fonts_[nextReplaced_];
    nextReplaced_ = (nextReplaced_ + 1) % kFontsKept;
    replaced = std::move(glyphs);
    return *replaced;
}

const GlyphInks::Glyph& GlyphInks::GlyphOf(HDC dc, FontGlyphs& glyphs, wchar_t c) {
    Glyph& glyph = glyphs.glyphs[static_cast<size_t>(c)];
    if (glyph.drawn) return glyph;
    glyph.drawn = true;
    RasterImage& scratch = *scratch_;
    scratch.Fill(kWhite);
    const HDC scratchDc = scratch.DrawingDc();
    {
        const win32::Selection selected(scratchDc, GetCurrentObject(dc, OBJ_FONT));
        if (!ExtTextOutW(scratchDc, scratchMargin_, scratchMargin_, 0, nullptr, &c, 1, nullptr)) return glyph;
    }
    const uint8_t* bits = scratch.Bits();
    const int width = scratch.Width(), height = scratch.Height();
    std::vector<uint8_t> levels;  // three to a pixel until the glyph proves grey
    // 0 white (no ink), 1 black, 2 smoothed.
    const auto kind = [](const uint8_t* bgr) {
        if ((bgr[0] & bgr[1] & bgr[2]) == 0xFF) return 0;
        return (bgr[0] | bgr[1] | bgr[2]) == 0 ? 1 : 2;
    };
    glyph.left = glyph.top = INT_MAX;
    glyph.right = glyph.bottom = INT_MIN;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = bits + static_cast<size_t>(y) * static_cast<size_t>(scratch.Stride());
        for (int x = 0; x < width;) {
            const int ink = kind(row + static_cast<size_t>(x) * 3);
            if (ink == 0) {
                ++x;
                continue;
            }
            const int first = x;
            for (; x < width && x - first < 0xFFFF && kind(row + static_cast<size_t>(x) * 3) == ink; ++x) {
                if (ink == 1) continue;
                const uint8_t* bgr = row + static_cast<size_t>(x) * 3;
                levels.insert(levels.end(), bgr, bgr + 3);
                glyph.grey = glyph.grey && bgr[0] == bgr[1] && bgr[1] == bgr[2];
            }
            // Ink on the scratch's edge may have been cut off there.
            if (first == 0 || x == width || y == 0 || y == height - 1) {
                glyph.spans.clear();
                return glyph;
            }
            glyph.spans.push_back(Span{static_cast<int16_t>(first - scratchMargin_),
                                       static_cast<int16_t>(y - scratchMargin_), static_cast<uint16_t>(x - first),
                                       ink == 1});
            glyph.left = std::min(glyph.left, first - scratchMargin_);
            glyph.right = std::max(glyph.right, x - scratchMargin_);
            glyph.top = std::min(glyph.top, y - scratchMargin_);
            glyph.bottom = y + 1 - scratchMargin_;
        }
    }
    if (glyph.grey) {
        for (size_t i = 0; i < levels.size() / 3; ++i) levels[i] = levels[i * 3];
        levels.resize(levels.size() / 3);
    }
    glyph.levels = std::move(levels);
    glyph.kept = true;
    return glyph;
}

namespace {

// What a smoothed black glyph of this level leaves of a channel.
inline uint8_t Darkened(uint8_t channel, uint8_t level) {
    return static_cast<uint8_t>(unsigned{channel} * unsigned{level} / 255u);
}

}  // namespace

bool GlyphInks::Ink(HDC dc, const LOGFONTW& font, COLORREF colour, int x, int y, std::wstring_view line,
                    const std::vector<INT>& advances, const OpenRows& open) {
    if (colour != RGB(0, 0, 0) || font.lfUnderline || font.lfStrikeOut || advances.size() != line.size()) return false;
    for (const wchar_t c : line) {
        if (c > 0xFF) return false;
    }
    if (GetTextCharacterExtra(dc) != 0 || !MakeScratch(dc, font)) return false;
    FontGlyphs& glyphs = GlyphsOf(font);
    int top = INT_MAX, bottom = INT_MIN;
    for (const wchar_t c : line) {
        const Glyph& glyph = GlyphOf(dc, glyphs, c);
        if (!glyph.kept) return false;
        if (glyph.spans.empty()) continue;
        top = std::min(top, glyph.top);
        bottom = std::max(bottom, glyph.bottom);
    }
    if (top >= bottom) return true;  // spaces only
    const InkArea area = open(static_cast<int>(std::max<int64_t>(int64_t{y} + top, INT_MIN)),
                              static_cast<int>(std::min<int64_t>(int64_t{y} + bottom, INT_MAX)));
    int64_t originX = x;
    for (size_t i = 0; i < line.size(); ++i) {
        const Glyph& glyph = glyphs.glyphs[static_cast<size_t>(line[i])];
        const int64_t ox = originX;
        originX += advances[i];
        if (glyph.spans.empty()) continue;
        const bool inside = ox + glyph.left >= 0 && ox + glyph.right <= area.width &&
                            int64_t{y} + glyph.top >= area.top && int64_t{y} + glyph.bottom <= area.bottom;
        const uint8_t* nextLevels = glyph.levels.data();
        const size_t perPixel = glyph.grey ? 1 : 3;
        for (const Span& span : glyph.spans) {
            const int64_t row = int64_t{y} + span.y;
            const int64_t first = ox + span.x;
            const uint8_t* levels = nextLevels;
            if (!span.solid) nextLevels += span.count * perPixel;
            if (inside) {
                uint8_t* bgr = area.bits + static_cast<size_t>(row) * area.stride + static_cast<size_t>(first) * 3;
                if (span.solid) {
                    render::FillBytes(bgr, 0, span.count * size_t{3});
                } else if (glyph.grey) {
                    for (unsigned k = 0; k < span.count; ++k, bgr += 3) {
                        const uint8_t level = levels[k], b = bgr[0], g = bgr[1], r = bgr[2];
                        bgr[0] = Darkened(b, level);
                        bgr[1] = Darkened(g, level);
                        bgr[2] = Darkened(r, level);
                    }
                } else {
                    for (unsigned k = 0; k < span.count * 3u; ++k) bgr[k] = Darkened(bgr[k], levels[k]);
                }
                continue;
            }
            if (row < area.top || row >= area.bottom) continue;
            for (unsigned k = 0; k < span.count; ++k) {
                const int64_t px = first + k;
                if (px < 0 || px >= area.width) continue;
                uint8_t* bgr = area.bits + static_cast<size_t>(row) * area.stride + static_cast<size_t>(px) * 3;
                for (size_t c = 0; c < 3; ++c) {
                    bgr[c] = span.solid ? 0 : Darkened(bgr[c], levels[k * perPixel + c % perPixel]);
                }
            }
        }
    }
    return true;
}

}  // namespace quillant::forms
