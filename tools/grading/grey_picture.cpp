#include "tools/grading/grey_picture.h"

#include <stdexcept>
#include <string>

namespace quillant::grading {

GreyPicture Crop(const GreyPicture& picture, const Region& region) {
    if (region.width <= 0 || region.height <= 0 || region.x < 0 || region.y < 0 ||
        region.width > picture.width - region.x || region.height > picture.height - region.y) {
        throw std::invalid_argument("the region " + std::to_string(region.x) + "," + std::to_string(region.y) + " " +
                                    std::to_string(region.width) + "x" + std::to_string(region.height) +
                                    " is not inside the " + std::to_string(picture.width) + "x" +
                                    std::to_string(picture.height) + " picture");
    }
    GreyPicture out;
    out.width = region.width;
    out.height = region.height;
    out.maxLevel = picture.maxLevel;
    out.levels.reserve(static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
    for (int y = region.y; y < region.y + region.height; ++y) {
        const auto row = picture.levels.begin() + static_cast<std::ptrdiff_t>(y) * picture.width;
        out.levels.insert(out.levels.end(), row + region.x, row + region.x + region.width);
    }
    return out;
}

GreyPicture TurnBack(const GreyPicture& picture, int degrees) {
    if (degrees == 0) return picture;
    if (degrees != 90 && degrees != 180 && degrees != 270) {
        throw std::invalid_argument("orientation " + std::to_string(degrees) + " is not 0, 90, 180 or 270");
    }
    const int w = picture.width;
    const int h = picture.height;
    GreyPicture out;
    out.maxLevel = picture.maxLevel;
    out.width = degrees == 180 ? w : h;
    out.height = degrees == 180 ? h : w;
    out.levels.resize(picture.levels.size());
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            // Where the pixel that lands on (x, y) sits in the turned picture.
            int sx = 0;
            int sy = 0;
            if (degrees == 90) {  // turn clockwise: the bottom edge becomes the left edge
                sx = y;
                sy = h - 1 - x;
            } else if (degrees == 180) {
                sx = w - 1 - x;
                sy = h - 1 - y;
            } else {  // 270: turn counter-clockwise, the top edge becomes the left edge
                sx = w - 1 - y;
                sy = x;
            }
            out.levels[static_cast<size_t>(y) * static_cast<size_t>(out.width) + static_cast<size_t>(x)] =
                picture.levels[static_cast<size_t>(sy) * static_cast<size_t>(w) + static_cast<size_t>(sx)];
        }
    }
    return out;
}

}  // namespace quillant::grading
