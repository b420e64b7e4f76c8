#include "tests/hardening/faulty_target.h"

#include <iterator>

#include "win32/bstr.h"
#include "win32/variant.h"
#include "adapters/dispatch_drawing_object.h"

namespace quillant::testing {
namespace {

// The members, by DISPID: index + 1.
constexpr const wchar_t* kMembers[] = {
    L"CurrentX",   L"CurrentY",      L"Line",           L"ForeColor", L"DrawWidth",  L"BackColor",
    L"FillColor",  L"FontName",      L"FontSize",       L"FontBold",  L"FontItalic", L"FontUnderline",
    L"FontStrikethru", L"TextWidth", L"TextHeight",     L"Print",     L"hDC",        L"PaintPicture",
    L"ScaleX",     L"ScaleY",
};
enum Member : size_t {
    kCurrentX, kCurrentY, kLine, kForeColor, kDrawWidth, kBackColor, kFillColor, kFontName, kFontSize, kFontBold,
    kFontItalic, kFontUnderline, kFontStrikethru, kTextWidth, kTextHeight, kPrint, kHdc, kPaintPicture, kScaleX, kScaleY,
};

using render::win32::IID_VbPrinter;

double NumberOf(const VARIANT& argument) {
    win32::Variant copy;
    if (FAILED(VariantCopyInd(copy.Get(), const_cast<VARIANT*>(&argument))) || FAILED(copy.ChangeType(VT_R8))) return 0;
    return V_R8(copy.Get());
}

void SetDouble(VARIANT* result, double value) {
    V_VT(result) = VT_R8;
    V_R8(result) = value;
}

}  // namespace

HRESULT FaultyTarget::QueryInterface(REFIID iid, void** out) {
    if (iid == IID_IUnknown || iid == IID_IDispatch || (fault_.printer && iid == IID_VbPrinter)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT FaultyTarget::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT FaultyTarget::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    lookups_ += count;
    if (count != 1) return E_INVALIDARG;
    if (fault_.member && FAILED(fault_.lookup) && lstrcmpiW(names[0], fault_.member) == 0) return fault_.lookup;
    for (size_t i = 0; i < std::size(kMembers); ++i) {
        if (lstrcmpiW(names[0], kMembers[i]) == 0) {
            ids[0] = static_cast<DISPID>(i + 1);
            return S_OK;
        }
    }
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT FaultyTarget::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* excep, UINT*) {
    if (member < 1 || static_cast<size_t>(member) > std::size(kMembers) || !params) return DISP_E_MEMBERNOTFOUND;
    const size_t index = static_cast<size_t>(member - 1);
    win32::Variant scratch;
    VARIANT* answer = result ? result : scratch.Get();
    if (fault_.member && fault_.behaviour && lstrcmpiW(kMembers[index], fault_.member) == 0) {
        return fault_.behaviour(answer, excep);
    }
    return Answer(index, flags, *params, answer);
}

HRESULT FaultyTarget::Answer(size_t member, WORD flags, const DISPPARAMS& params, VARIANT* result) {
    const bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
    switch (member) {
        case kCurrentX:
        case kCurrentY: {
            double& pen = member == kCurrentX ? penX_ : penY_;
            if (put) {
                pen = NumberOf(params.rgvarg[0]);
            } else {
                SetDouble(result, pen);
            }
            return S_OK;
        }
        case kLine:
            // Arguments arrive last to first: colour, y2, x2, y1, x1, flags.
            if (params.cArgs < 5) return DISP_E_BADPARAMCOUNT;
            penX_ = NumberOf(params.rgvarg[params.cArgs - 4]);
            penY_ = NumberOf(params.rgvarg[params.cArgs - 5]);
            return S_OK;
        case kBackColor:
            V_VT(result) = VT_I4;
            V_I4(result) = 0xFFFFFF;
            return S_OK;
        case kFontName:
            if (!put) {
                V_VT(result) = VT_BSTR;
                V_BSTR(result) = win32::Bstr(std::wstring_view(L"Arial")).Detach();
            }
            return S_OK;
        case kFontSize:
            if (!put) SetDouble(result, 8.25);
            return S_OK;
        case kFontBold:
        case kFontItalic:
        case kFontUnderline:
        case kFontStrikethru:
            if (!put) {
                V_VT(result) = VT_BOOL;
                V_BOOL(result) = VARIANT_FALSE;
            }
            return S_OK;
        case kTextWidth:
            SetDouble(result, 600);
            return S_OK;
        case kTextHeight:
            SetDouble(result, 285);
            return S_OK;
        case kScaleX:
        case kScaleY: {
            // The object measures in twips: 15 to a pixel (vbPixels = 3).
            if (params.cArgs < 2) return DISP_E_BADPARAMCOUNT;
            const double value = NumberOf(params.rgvarg[params.cArgs - 1]);
            SetDouble(result, NumberOf(params.rgvarg[params.cArgs - 2]) == 3 ? value * 15 : value);
            return S_OK;
        }
        case kHdc:
            V_VT(result) = VT_I4;
            V_I4(result) = 0;
            return S_OK;
        default:  // ForeColor, DrawWidth, FillColor, Print, PaintPicture: accepted
            return S_OK;
    }
}

}  // namespace quillant::testing
