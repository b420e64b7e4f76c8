#pragma once
// Ownership of what a rotated caption changes in GDI: the font it makes is
// deselected and deleted, and the DC's graphics mode set back, on every way
// out, an error from the drawing object included. A failing target never
// leaks a font, leaves it selected into a DC or leaves the DC in a mode its
// owner did not choose.

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

// Sets a DC's graphics mode and puts back the one it had. Left in the advanced
// mode, GDI would paint the right and bottom edges of every later box on that
// object too, and a host has no way to set it back.
class GraphicsMode {
public:
    GraphicsMode(FontApi& api, DeviceContext dc, int32_t mode) noexcept
        : api_(api), dc_(dc), previous_(api.SetGraphicsMode(dc, mode)) {}
    GraphicsMode(const GraphicsMode&) = delete;
    GraphicsMode& operator=(const GraphicsMode&) = delete;
    ~GraphicsMode() { RestoreInto(dc_); }

    // As FontSelection::RestoreInto. A mode that could not be set (0) has
    // nothing to put back.
    void RestoreInto(DeviceContext dc) noexcept {
        if (previous_ != 0) {
            api_.SetGraphicsMode(dc, previous_);
            previous_ = 0;
        }
    }

private:
    FontApi& api_;
    DeviceContext dc_;
    int32_t previous_;
};

}  // namespace quillant::render
