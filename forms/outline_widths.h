#pragma once
// Widths as a font's outlines give them, not as hinting rounds each advance
// to whole pixels at small sizes: a text measured small and printed large (a
// turned caption is sized from its width at 7.2 points and drawn 100 pixels
// high) must not come out longer than measured. The font in the DC is
// measured at a multiple of its size and the width scaled back.

#include <windows.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "win32/gdi_object.h"

namespace quillant::forms {

class OutlineWidths {
public:
    // Where each character of a line ends, from its start, in pixels at the
    // outlines' widths of font, which the DC holds; empty when the font
    // cannot be scaled (GDI's default size, which no multiple of it names)
    // or the text not measured.
    std::vector<double> Ends(HDC dc, const LOGFONTW& font, std::wstring_view line);

private:
    // What is kept of one font measured with.
    struct Measured {
        LOGFONTW font = {};
        win32::Font large;
        // The large font's advance of each character U+0000 to U+00FF on
        // advancesDc. GDI adds a line's advances up as they are, without
        // kerning, so a Latin-1 line's ends are running sums of these: no
        // font selected and no measuring call for each caption.
        HDC advancesDc = nullptr;
        std::array<INT, 256> advances = {};
        // The last line's answer in that font on that DC, for other lines:
        // a caption is measured to lay it out, again to draw it, and inked
        // at the same ends.
        HDC lastDc = nullptr;
        std::wstring lastLine;
        std::vector<double> lastEnds;
    };
    // The fonts of the last two lines measured: a turned caption is laid
    // out in its upright font and inked in its turned one, image after
    // image, and a large font made again costs a font lookup and its
    // widths each time.
    Measured* MeasuredFor(const LOGFONTW& font);
    std::array<Measured, 2> measured_;
    size_t latest_ = 0;
};

}  // namespace quillant::forms
