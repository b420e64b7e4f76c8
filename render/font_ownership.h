#pragma once
// Ownership of the one GDI font a rotated caption makes: it is deselected and
// deleted on every way out, an error from the drawing object included, so a
// failing target never leaks a font or leaves it selected into a DC.

#include "render/font_api.h"

namespace quillant::render {

class OwnedFont {
public:
    OwnedFont(FontApi& api, GdiHandle font) noexcept : api_(api), font_(font) {}
    OwnedFont(const OwnedFont&) = delete;
    OwnedFont& operator=(const OwnedFont&) = delete;
    ~OwnedFont() { Delete(); }

    GdiHandle Get() const noexcept { return font_; }

    // A font the platform could not make (null) is handed to DeleteObject all
    // the same; the platform ignores it.
    void Delete() noexcept {
        if (owned_) {
            owned_ = false;
            api_.DeleteObject(font_);
        }
    }

private:
    FontApi& api_;
    GdiHandle font_;
    bool owned_ = true;
};

// Selects a font into a DC and puts the previous object back.
class FontSelection {
public:
    FontSelection(FontApi& api, DeviceContext dc, GdiHandle font) noexcept
        : api_(api), dc_(dc), previous_(api.SelectObject(dc, font)) {}
    FontSelection(const FontSelection&) = delete;
    FontSelection& operator=(const FontSelection&) = delete;
    ~FontSelection() { RestoreInto(dc_); }

    // The regular way out, with the DC handle as the object reports it now.
    // On an error path the destructor uses the handle the font went into.
    void RestoreInto(DeviceContext dc) noexcept {
        if (selected_) {
            selected_ = false;
            api_.SelectObject(dc, previous_);
        }
    }

private:
    FontApi& api_;
    DeviceContext dc_;
    GdiHandle previous_;
    bool selected_ = true;
};

}  // namespace quillant::render
