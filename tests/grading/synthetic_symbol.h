#pragma once
// Symbols drawn the way a printer would: a module string laid on a grid of
// dots, each edge rounded to the nearest dot.

#include <string>

#include "tools/grading/grey_picture.h"

namespace quillant::grading::testing {

struct Drawing {
    double dotsPerModule = 3;
    double origin = 0;         // where module 0 of the quiet zone starts, in dots
    int quietModules = 10;     // light modules either side, inside the picture
    int barHeight = 60;
    int margin = 12;           // light rows above and below the bars
    double dark = 0.0;         // reflectances
    double light = 1.0;
};

// The picture holds the quiet zones and the symbol and nothing more across.
GreyPicture DrawSymbol(const std::string& modules, const Drawing& drawing);

// Paints a rectangle with one reflectance.
void Paint(GreyPicture& picture, const Region& where, double reflectance);

// Writes a binary PGM, for the readers run on the command line.
void WritePgm(const GreyPicture& picture, const std::string& path);

}  // namespace quillant::grading::testing
