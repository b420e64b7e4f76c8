#pragma once
// The font members of a drawing object and the GDI font they make.

#include <windows.h>

#include <string>

#include "win32/gdi_object.h"

namespace quillant::forms {

struct FontSettings {
    std::wstring face = L"MS Sans Serif";
    double points = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethru = false;
};

inline bool operator==(const FontSettings& a, const FontSettings& b) {
    return a.face == b.face && a.points == b.points && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline && a.strikethru == b.strikethru;
}

// A GDI font for settings on a device of dpi pixels (or logical units) per inch,
// and the face GDI actually chose for it.
struct RealizedFont {
    win32::Font font;
    std::wstring face;
    LOGFONTW description = {};  // what the font was made from, as GetObjectW answers it
};
RealizedFont RealizeFont(const FontSettings& settings, double dpi);

// The face to ask GDI for: the requested one when it is installed, else an
// installed stand-in from the fallback table, else the requested one (GDI's
// own font mapper then picks).
std::wstring InstalledFace(const std::wstring& requested);

}  // namespace quillant::forms
