#include "forms/outline_widths.h"

#include <cstring>

namespace quillant::forms {
namespace {

constexpr int kMeasureScale = 16;

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
        if (!large_) return {};
        measuredFor_ = font;
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
