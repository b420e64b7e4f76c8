#pragma once
// Quillant2's CaptionFont: a font object (StdFont) the host reads, changes
// in place (CaptionFont.Bold = True), replaces (Set) or copies (Let). Until
// the host gives it a size of its own, the caption's size follows the module
// width as it always has, and the object's Size reads that size.

#include <oaidl.h>
#include <ocidl.h>

#include <optional>
#include <string>
#include <utility>

#include "render/label_properties.h"
#include "win32/com_ptr.h"

namespace quillant::component {

class CaptionFont {
public:
    // Set: the host's own font object; Nothing goes back to the default.
    // Raises 380 for an object that is no font.
    void SetReference(IDispatch* font);
    // Let: a copy of a font object's look, or a face name (a StdFont's
    // default member, which is what a Let of a font often hands over).
    void SetCopy(const VARIANT& value, LCID lcid);
    // The font object, made on first ask. While its size follows the module,
    // its Size is set to followingPoints first.
    win32::ComPtr<IDispatch> Object(double followingPoints);
    // The look the caption is drawn with; a size that follows the module is 0.
    void ReadInto(CaptionStyle& style) const;

private:
    // Our own font's name and size as written, and as the font reads them
    // back: a StdFont reports the face and size it realised (Wine's reports
    // a stand-in face for "OCR A Extended", which the drawing objects find
    // under a name of their own).
    void Written(const std::wstring& name);

    win32::ComPtr<IDispatch> font_;
    std::optional<std::pair<std::wstring, std::wstring>> name_;  // written, read back
    // The size read back after it was last set to follow the module; a Size
    // the host changed no longer equals it.
    std::optional<CY> following_;
};

}  // namespace quillant::component
