#pragma once
// Ownership of GDI objects and device contexts. No raw DeleteObject/DeleteDC
// outside these types.

#include <windows.h>

#include "win32/unique_handle.h"

namespace quillant::win32 {

template <class H>
struct GdiObjectTraits : NullIsNone<H> {
    static void Close(H object) noexcept { DeleteObject(object); }
};
template <class H>
using GdiObject = UniqueHandle<GdiObjectTraits<H>>;

using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;

// A device context this code created, whatever kind: a memory DC
// (CreateCompatibleDC), a printer's DC (CreateDC) or its information
// context (CreateIC). All are deleted with DeleteDC; a DC borrowed with
// GetDC is released otherwise and is never held here.
struct CreatedDcTraits : NullIsNone<HDC> {
    static void Close(HDC dc) noexcept { DeleteDC(dc); }
};
using CreatedDc = UniqueHandle<CreatedDcTraits>;

// Selects an object into a DC and puts the previous one back on scope exit.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() {
        if (previous_) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace quillant::win32
