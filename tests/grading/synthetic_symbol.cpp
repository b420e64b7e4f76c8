#include "tests/grading/synthetic_symbol.h"

#include <cmath>
#include <fstream>
#include <stdexcept>

namespace quillant::grading::testing {
namespace {

uint16_t Level(double reflectance) { return static_cast<uint16_t>(std::lround(reflectance * 255)); }

}  // namespace

GreyPicture DrawSymbol(const std::string& modules, const Drawing& drawing) {
    const std::string quiet(static_cast<size_t>(drawing.quietModules), '0');
    const std::string all = quiet + modules + quiet;
    const auto edge = [&](size_t module) {
        return static_cast<int>(std::lround(drawing.origin + static_cast<double>(module) * drawing.dotsPerModule));
    };
    GreyPicture picture;
    picture.width = edge(all.size());
    picture.height = drawing.barHeight + 2 * drawing.margin;
    picture.levels.assign(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height),
                          Level(drawing.light));
    for (size_t m = 0; m < all.size(); ++m) {
        if (all[m] == '1') Paint(picture, {edge(m), drawing.margin, edge(m + 1) - edge(m), drawing.barHeight},
                                 drawing.dark);
    }
    return picture;
}

void Paint(GreyPicture& picture, const Region& where, double reflectance) {
    for (int y = where.y; y < where.y + where.height; ++y) {
        for (int x = where.x; x < where.x + where.width; ++x) {
            picture.levels[static_cast<size_t>(y) * static_cast<size_t>(picture.width) + static_cast<size_t>(x)] =
                Level(reflectance);
        }
    }
}

void WritePgm(const GreyPicture& picture, const std::string& path) {
    std::ofstream file(path, std::ios::binary);
    file << "P5\n" << picture.width << ' ' << picture.height << "\n255\n";
    for (const auto level : picture.levels) file.put(static_cast<char>(level));
    if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace quillant::grading::testing
