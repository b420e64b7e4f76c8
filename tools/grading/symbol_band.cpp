#include "tools/grading/symbol_band.h"

#include <algorithm>
#include <vector>

namespace quillant::grading {
namespace {

// Rows of bars may differ in a few columns (a spot, a printer's ragged edge);
// a row that differs from the one above in more than this share of its
// columns starts a new band.
constexpr int kAlikeShare = 20;  // 1 in 20 columns

struct RowDarkness {
    std::vector<bool> dark;
    int runs = 0;
};

}  // namespace

std::optional<BarBand> FindBarBand(const GreyPicture& picture) {
    if (picture.levels.empty()) return std::nullopt;
    const auto [lowest, highest] = std::minmax_element(picture.levels.begin(), picture.levels.end());
    if (*lowest == *highest) return std::nullopt;
    const double threshold = (*lowest + *highest) / 2.0;

    const auto rowDarkness = [&](int y) {
        RowDarkness row;
        row.dark.resize(static_cast<size_t>(picture.width));
        for (int x = 0; x < picture.width; ++x) {
            const bool dark = picture.levels[static_cast<size_t>(y) * static_cast<size_t>(picture.width) +
                                             static_cast<size_t>(x)] < threshold;
            row.dark[static_cast<size_t>(x)] = dark;
            if (dark && (x == 0 || !row.dark[static_cast<size_t>(x) - 1])) ++row.runs;
        }
        return row;
    };

    int bestTop = -1;
    int bestHeight = 0;
    int top = -1;
    RowDarkness previous;
    for (int y = 0; y <= picture.height; ++y) {
        RowDarkness row;
        bool continues = false;
        if (y < picture.height) {
            row = rowDarkness(y);
            if (row.runs >= kFewestBars && top >= 0) {
                int differing = 0;
                for (size_t x = 0; x < row.dark.size(); ++x) differing += row.dark[x] != previous.dark[x];
                continues = differing * kAlikeShare <= picture.width;
            }
        }
        if (!continues) {
            if (top >= 0 && y - top > bestHeight) {
                bestTop = top;
                bestHeight = y - top;
            }
            top = y < picture.height && row.runs >= kFewestBars ? y : -1;
        }
        previous = std::move(row);
    }
    if (bestTop < 0) return std::nullopt;

    BarBand band;
    band.top = bestTop;
    band.bottom = bestTop + bestHeight - 1;
    const RowDarkness middle = rowDarkness((band.top + band.bottom) / 2);
    const auto first = std::find(middle.dark.begin(), middle.dark.end(), true);
    const auto last = std::find(middle.dark.rbegin(), middle.dark.rend(), true);
    band.left = static_cast<int>(first - middle.dark.begin());
    band.right = static_cast<int>(middle.dark.rend() - last);
    band.bars = middle.runs;
    return band;
}

}  // namespace quillant::grading
