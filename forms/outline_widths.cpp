#include "forms/outline_widths.h"

#include "forms/latin1_text.h"
#include "forms/log_fonts.h"

namespace quillant::forms {
namespace {

constexpr int kMeasureScale = 16;

// Where GetTextExtentExPoint's ends are the plain sums of GetCharWidth32's
// widths: device units as they are, and no extra space between characters.
bool MeasuresPlainly(HDC dc) {
    return GetMapMode(dc) == MM_TEXT && GetGraphicsMode(dc) == GM_COMPATIBLE && GetTextCharacterExtra(dc) == 0;
}

}  // namespace

OutlineWidths::Measured* OutlineWidths::MeasuredFor(const LOGFONTW& font) {
    for (size_t i = 0; i < measured_.size(); ++i) {
        Measured& kept = measured_[(latest_ + i) % measured_.size()];
        if (kept.large && SameLogFont(font, kept.font)) {
            latest_ = (latest_ + i) % measured_.size();
            return &kept;
        }
    }
    // The one measured with longer ago makes way.
    latest_ = (latest_ + 1) % measured_.size();
    Measured& made = measured_[latest_];
    made = Measured{};
    LOGFONTW scaled = font;
    scaled.lfHeight *= kMeasureScale;
    scaled.lfWidth *= kMeasureScale;
    made.large = win32::Font(CreateFontIndirectW(&scaled));
    if (!made.large) return nullptr;
    made.font = font;
    return &made;
}

std::vector<double> OutlineWidths::Ends(HDC dc, const LOGFONTW& font, std::wstring_view line) {
    if (line.empty() || font.lfHeight == 0) return {};
    Measured* measured = MeasuredFor(font);
    if (!measured) return {};
    if (IsLatin1(line) && MeasuresPlainly(dc)) {
        if (dc != measured->advancesDc) {
            const win32::Selection selection(dc, measured->large.Get());
            if (GetCharWidth32W(dc, 0, 0xFF, measured->advances.data())) measured->advancesDc = dc;
        }
        if (dc == measured->advancesDc) {
            std::vector<double> ends(line.size());
            INT end = 0;
            for (size_t i = 0; i < line.size(); ++i) {
                end += measured->advances[static_cast<size_t>(line[i])];
                ends[i] = static_cast<double>(end) / kMeasureScale;
            }
            return ends;
        }
    }
    if (dc == measured->lastDc && line == measured->lastLine) return measured->lastEnds;
    std::vector<double> scaled;
    {
        const win32::Selection selection(dc, measured->large.Get());
        std::vector<int> ends(line.size());
        SIZE size = {};
        if (!GetTextExtentExPointW(dc, line.data(), static_cast<int>(line.size()), 0, nullptr, ends.data(), &size)) {
            return {};
        }
        scaled.resize(ends.size());
        for (size_t i = 0; i < ends.size(); ++i) scaled[i] = static_cast<double>(ends[i]) / kMeasureScale;
    }
    measured->lastDc = dc;
    measured->lastLine.assign(line);
    measured->lastEnds = scaled;
    return scaled;
}

}  // namespace quillant::forms
