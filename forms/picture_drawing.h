#pragma once
// Drawing an OLE picture into a rectangle of a DC, metafile DCs included.

#include <windows.h>
#include <ocidl.h>

namespace quillant::forms {

// The picture's size in twips. Raises error 481 for an empty picture.
SIZE PictureSizeTwips(IPicture* picture);

// Stretches picture into the device rectangle (right and bottom exclusive; a
// reversed side mirrors it). Bitmaps go through StretchDIBits, which every DC
// records and plays back faithfully; other picture types render themselves.
void DrawPicture(HDC dc, IPicture* picture, const RECT& target);

}  // namespace quillant::forms
