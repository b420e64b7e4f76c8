#pragma once
// A printed page: its size in printer pixels and the printer's resolution,
// and how its recording maps those pixels onto a metafile DC.

#include <windows.h>

#include <string>

namespace quillant::forms {

struct PageSetup {
    int pixelWidth;
    int pixelHeight;
    int dpi;

    // US Letter, 8.5 x 11 inches, at 600 dpi.
    static PageSetup Letter() { return PageSetup{5100, 6600, 600}; }
    // The page in hundredths of a millimetre, as metafile frames measure it.
    RECT FrameHimetric() const;
};

// Makes one logical unit of dc one printer pixel. A metafile DC measures in
// the pixels of the screen it refers to; the extents are those the recording
// itself uses to place its frame on playback (device pixels per millimetre),
// so that playing the page into a rectangle of its pixel size maps every
// logical unit onto exactly one pixel.
void MapPrinterPixels(HDC dc, const PageSetup& page);

// The file of the n-th page (0-based): the path itself for the first page,
// "name-2.ext", "name-3.ext" ... for the following ones.
std::wstring PageFileName(const std::wstring& path, size_t index);
// path with insert before its extension: ("a\\label.png", "-2") is "a\\label-2.png".
std::wstring BeforeExtension(const std::wstring& path, const std::wstring& insert);

}  // namespace quillant::forms
