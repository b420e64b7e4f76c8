#include "component/caption_font.h"

#include <olectl.h>

#include <cmath>
#include <string>

#include "encoding/vb_error.h"
#include "render/caption_face.h"
#include "win32/bstr.h"
#include "win32/variant.h"

namespace quillant::component {
namespace {

VbError NotAFont() {
    return vb_errors::WithDetail(vb_errors::kInvalidPropertyValue, "CaptionFont must be a font object (StdFont)");
}

CY ToCurrency(double points) {
    CY cy{};
    cy.int64 = std::llround(points * 10000);
    return cy;
}

// One property of a font object, converted to type; raises NotAFont.
win32::Variant Read(IDispatch* font, DISPID member, VARTYPE type) {
    DISPPARAMS none = {};
    win32::Variant value;
    if (FAILED(font->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.Put(), nullptr,
                            nullptr)) ||
        FAILED(value.ChangeType(type))) {
        throw NotAFont();
    }
    return value;
}

void Write(IDispatch* font, DISPID member, VARIANT value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&value, &named, 1, 1};
    if (FAILED(font->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                            nullptr))) {
        throw NotAFont();
    }
}

struct Look {
    win32::Bstr name;
    CY size;
    bool bold;
    bool italic;
};

Look ReadLook(IDispatch* font) {
    if (!font) throw NotAFont();
    const win32::Variant name = Read(font, DISPID_FONT_NAME, VT_BSTR);
    const win32::Variant size = Read(font, DISPID_FONT_SIZE, VT_CY);
    const win32::Variant bold = Read(font, DISPID_FONT_BOLD, VT_BOOL);
    const win32::Variant italic = Read(font, DISPID_FONT_ITALIC, VT_BOOL);
    return Look{win32::Bstr::CopyOf(V_BSTR(name.Get())), V_CY(size.Get()), V_BOOL(bold.Get()) != VARIANT_FALSE,
                V_BOOL(italic.Get()) != VARIANT_FALSE};
}

win32::ComPtr<IDispatch> NewFont(const Look& look) {
    FONTDESC description = {sizeof(FONTDESC), const_cast<LPOLESTR>(look.name.View().data()), look.size,
                            static_cast<SHORT>(look.bold ? FW_BOLD : FW_NORMAL), ANSI_CHARSET, look.italic, FALSE,
                            FALSE};
    win32::ComPtr<IDispatch> font;
    if (FAILED(OleCreateFontIndirect(&description, IID_IFontDisp, font.PutVoid()))) {
        throw vb_errors::WithText(vb_errors::kOutOfMemory);
    }
    return font;
}

bool operator==(const CY& a, const CY& b) { return a.int64 == b.int64; }

}  // namespace

void CaptionFont::Written(const std::wstring& name) {
    name_.emplace(name, std::wstring(ReadLook(font_.Get()).name.View()));
}

void CaptionFont::SetReference(IDispatch* font) {
    if (font) ReadLook(font);
    font_ = win32::ComPtr<IDispatch>(font);
    name_.reset();
    following_.reset();
}

void CaptionFont::SetCopy(const VARIANT& given, LCID lcid) {
    win32::Variant value;
    if (FAILED(VariantCopyInd(value.Put(), const_cast<VARIANT*>(&given)))) throw NotAFont();
    if (V_VT(value.Get()) == VT_DISPATCH || V_VT(value.Get()) == VT_UNKNOWN) {
        win32::ComPtr<IDispatch> source;
        if (!V_UNKNOWN(value.Get()) ||
            FAILED(V_UNKNOWN(value.Get())->QueryInterface(IID_IDispatch, source.PutVoid()))) {
            throw NotAFont();
        }
        const Look look = ReadLook(source.Get());
        font_ = NewFont(look);
        Written(std::wstring(look.name.View()));
        following_.reset();
        return;
    }
    if (FAILED(VariantChangeTypeEx(value.Get(), value.Get(), lcid, 0, VT_BSTR))) {
        throw vb_errors::WithText(vb_errors::kTypeMismatch);
    }
    Object(0);
    Write(font_.Get(), DISPID_FONT_NAME, *value.Get());
    Written(std::wstring(win32::Bstr::ViewOf(V_BSTR(value.Get()))));
}

win32::ComPtr<IDispatch> CaptionFont::Object(double followingPoints) {
    const CY size = ToCurrency(followingPoints);
    if (!font_) {
        const std::wstring face(render::kCaptionFace.begin(), render::kCaptionFace.end());
        font_ = NewFont(Look{win32::Bstr(face), size, false, false});
        Written(face);
        following_ = ReadLook(font_.Get()).size;
    } else if (following_ && ReadLook(font_.Get()).size == *following_ && followingPoints > 0) {
        VARIANT value;
        V_VT(&value) = VT_CY;
        V_CY(&value) = size;
        Write(font_.Get(), DISPID_FONT_SIZE, value);
        following_ = ReadLook(font_.Get()).size;
    }
    return font_;
}

void CaptionFont::ReadInto(CaptionStyle& style) const {
    if (!font_) return;
    const Look look = ReadLook(font_.Get());
    const std::wstring_view name = look.name.View();
    const std::wstring_view face = name_ && name == name_->second ? std::wstring_view(name_->first) : name;
    style.face = std::u16string(face.begin(), face.end());
    style.points = following_ && look.size == *following_ ? 0 : static_cast<double>(look.size.int64) / 10000.0;
    style.bold = look.bold;
    style.italic = look.italic;
}

}  // namespace quillant::component
