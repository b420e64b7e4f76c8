#pragma once
// A picture as grey levels, read as reflectance: 0 is black, 1 is white.
// Cropping and turning happen here so that everything after sees a symbol
// whose bars stand upright and which reads from left to right.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillant::grading {

struct GreyPicture {
    int width = 0;
    int height = 0;
    int maxLevel = 255;            // the level that means white
    std::vector<uint16_t> levels;  // row by row, top row first

    double Reflectance(int x, int y) const {
        return levels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] /
               static_cast<double>(maxLevel);
    }
};

struct Region {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The part of the picture inside the region; std::invalid_argument when the
// region is empty or reaches outside the picture.
GreyPicture Crop(const GreyPicture& picture, const Region& region);

// Undoes a turn of the symbol by `degrees` counter-clockwise (0, 90, 180 or
// 270): 90 is a symbol that reads from bottom to top, 270 one that reads from
// top to bottom. std::invalid_argument for any other angle.
GreyPicture TurnBack(const GreyPicture& picture, int degrees);

}  // namespace quillant::grading
