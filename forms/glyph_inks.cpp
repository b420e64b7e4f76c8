#include "forms/glyph_inks.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <utility>

#include "forms/latin1_text.h"
#include "forms/log_fonts.h"
#include "render/byte_spans.h"

namespace quillant::forms {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
// A glyph's scratch beyond this (a caption font hundreds of pixels high) is
// left to GDI rather than held on to.
constexpr int64_t kMostScratchPixels = int64_t{1} << 20;

}  // namespace

GlyphInks::GlyphInks() = default;
GlyphInks::~GlyphInks() = default;

bool GlyphInks::MakeScratch(HDC dc, const LOGFONTW& font) {
    if (scratch_ && SameLogFont(font, scratchFor_)) return true;
    TEXTMETRICW metrics = {};
    if (!GetTextMetricsW(dc, &metrics) || metrics.tmHeight <= 0 || metrics.tmMaxCharWidth <= 0) return false;
    // Square: a turned glyph's advance runs down or across.
    const int margin = metrics.tmHeight + 2;
    const int64_t side = int64_t{std::max(metrics.tmMaxCharWidth, metrics.tmHeight)} + 2 * int64_t{margin};
    const int64_t width = side, height = side;
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

GlyphInks::FontGlyphs& GlyphInks::GlyphsOf(const LOGFONTW& font, int mode) {
    for (const auto& kept : fonts_) {
        if (SameLogFont(kept->font, font) && kept->mode == mode) return *kept;
    }
    auto glyphs = std::make_unique<FontGlyphs>();
    glyphs->font = font;
    glyphs->mode = mode;
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
    // A turned font draws as the target's graphics mode has it.
    SetGraphicsMode(scratchDc, GetGraphicsMode(dc));
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

// Where each next glyph goes from the one before, by the font's turn: GDI
// steps along the line's direction, a whole pixel for each one of the
// advance. Other angles are left to GDI, and so is a line running downward:
// Wine's such lines were seen a pixel off their glyphs drawn alone in
// images, though not in the test's.
struct Step {
    int x;
    int y;
};
std::optional<Step> StepOf(const LOGFONTW& font) {
    if (font.lfOrientation != font.lfEscapement) return std::nullopt;
    switch (font.lfEscapement) {
        case 0: return Step{1, 0};
        case 900: return Step{0, -1};  // upward
        case 1800: return Step{-1, 0};
        default: return std::nullopt;
    }
}

}  // namespace

bool GlyphInks::Ink(HDC dc, const LOGFONTW& font, COLORREF colour, int x, int y, std::wstring_view line,
                    const std::vector<INT>& advances, const OpenRows& open) {
    const std::optional<Step> step = StepOf(font);
    if (!step || colour != RGB(0, 0, 0) || font.lfUnderline || font.lfStrikeOut || advances.size() != line.size() ||
        !IsLatin1(line)) {
        return false;
    }
    if (GetTextCharacterExtra(dc) != 0 || !MakeScratch(dc, font)) return false;
    FontGlyphs& glyphs = GlyphsOf(font, GetGraphicsMode(dc));
    // Each glyph's origin, and the rows the line's ink reaches.
    std::vector<std::pair<int64_t, int64_t>>& origins = origins_;
    origins.resize(line.size());
    int64_t top = INT64_MAX, bottom = INT64_MIN;
    int64_t along = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const Glyph& glyph = GlyphOf(dc, glyphs, line[i]);
        if (!glyph.kept) return false;
        origins[i] = {int64_t{x} + along * step->x, int64_t{y} + along * step->y};
        along += advances[i];
        if (glyph.spans.empty()) continue;
        top = std::min(top, origins[i].second + glyph.top);
        bottom = std::max(bottom, origins[i].second + glyph.bottom);
    }
    if (top >= bottom) return true;  // spaces only
    const InkArea area = open(static_cast<int>(std::max<int64_t>(top, INT_MIN)),
                              static_cast<int>(std::min<int64_t>(bottom, INT_MAX)));
    // A glyph cut by the picture's edge (or by the rows open to ink) is left
    // to GDI with the rest of its line: GDI clips a turned glyph there its
    // own way, and a caption lies inside its picture anyway.
    for (size_t i = 0; i < line.size(); ++i) {
        const Glyph& glyph = glyphs.glyphs[static_cast<size_t>(line[i])];
        if (glyph.spans.empty()) continue;
        const int64_t ox = origins[i].first, oy = origins[i].second;
        if (ox + glyph.left < 0 || ox + glyph.right > area.width || oy + glyph.top < area.top ||
            oy + glyph.bottom > area.bottom) {
            return false;
        }
    }
    for (size_t i = 0; i < line.size(); ++i) {
        const Glyph& glyph = glyphs.glyphs[static_cast<size_t>(line[i])];
        const uint8_t* nextLevels = glyph.levels.data();
        const size_t perPixel = glyph.grey ? 1 : 3;
        for (const Span& span : glyph.spans) {
            uint8_t* bgr = area.bits + static_cast<size_t>(origins[i].second + span.y) * area.stride +
                           static_cast<size_t>(origins[i].first + span.x) * 3;
            if (span.solid) {
                render::FillBytes(bgr, 0, span.count * size_t{3});
                continue;
            }
            const uint8_t* levels = nextLevels;
            nextLevels += span.count * perPixel;
            if (glyph.grey) {
                for (unsigned k = 0; k < span.count; ++k, bgr += 3) {
                    const uint8_t level = levels[k], b = bgr[0], g = bgr[1], r = bgr[2];
                    bgr[0] = Darkened(b, level);
                    bgr[1] = Darkened(g, level);
                    bgr[2] = Darkened(r, level);
                }
            } else {
                for (unsigned k = 0; k < span.count * 3u; ++k) bgr[k] = Darkened(bgr[k], levels[k]);
            }
        }
    }
    return true;
}

}  // namespace quillant::forms
