#include "forms/outline_widths.h"

#include <cstring>

namespace quillant::forms {
namespace {

constexpr int kMeasureScale = 16;

bool IsLatin1(std::wstring_view line) {
    for (wchar_t c : line) {
        if (c > 0xFF) return false;
    }
    return true;
}

// Where GetTextExtentExPoint's ends are the plain sums of GetCharWidth32's
// widths: device units as they are, and no extra space between characters.
bool MeasuresPlainly(HDC dc) {
    return GetMapMode(dc) == MM_TEXT && GetGraphicsMode(dc) == GM_COMPATIBLE && GetTextCharacterExtra(dc) == 0;
}

}  // namespace

std::vector<double> OutlineWidths::Ends(HDC dc, std::wstring_view line) {
    LOGFONTW font = {};
    if (line.empty() || !GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font) || font.lfHeight == 0) {
        return {};
    }
    if (!large_ || std::memcmp(&font, &measuredFor_, sizeof font) != 0) {
        LOGFONTW scaled = font;
        scaled.lfHeight *= kMeasureScale;
        scaled.lfWidth *= kMeasureScale;
        large_ = win32::Font(CreateFontIndirectW(&scaled));
        lastDc_ = nullptr;
        advancesDc_ = nullptr;
        if (!large_) return {};
        measuredFor_ = font;
    }
    if (IsLatin1(line) && MeasuresPlainly(dc)) {
        if (dc != advancesDc_) {
            const win32::Selection selection(dc, large_.Get());
            if (GetCharWidth32W(dc, 0, 0xFF, advances_.data())) advancesDc_ = dc;
        }
        if (dc == advancesDc_) {
            std::vector<double> ends(line.size());
            INT end = 0;
            for (size_t i = 0; i < line.size(); ++i) {
                end += advances_[static_cast<size_t>(line[i])];
                ends[i] = static_cast<double>(end) / kMeasureScale;
            }
            return ends;
        }
    }
    if (dc == lastDc_ && line == lastLine_) return lastEnds_;
    std::vector<double> scaled;
    {
        const win32::Selection selection(dc, large_.Get());
        std::vector<int> ends(line.size());
        SIZE size = {};
        if (!GetTextExtentExPointW(dc, line.data(), static_cast<int>(line.size()), 0, nullptr, ends.data(), &size)) {
            return {};
        }
        scaled.resize(ends.size());
        for (size_t i = 0; i < ends.size(); ++i) scaled[i] = static_cast<double>(ends[i]) / kMeasureScale;
    }
    lastDc_ = dc;
    lastLine_.assign(line);
    lastEnds_ = scaled;
    return scaled;
}

}  // namespace quillant::forms
