// Quillant2's image members: the colours, ImageBytes, SaveImage, Picture
// and CopyToClipboard. Each works on its own canvas (image_rendering.h).

#include <olectl.h>

#include <string>

#include "component/image_output.h"
#include "component/image_rendering.h"
#include "component/quillant2.h"
#include "forms/file_names.h"
#include "render/image_frame.h"

namespace quillant::component {
namespace {

bool Missing(const VARIANT& argument) {
    return V_VT(&argument) == VT_EMPTY || (V_VT(&argument) == VT_ERROR && V_ERROR(&argument) == DISP_E_PARAMNOTFOUND);
}

// A conversion's failure as the Visual Basic error it stands for.
void Converted(HRESULT hr) {
    if (hr == DISP_E_OVERFLOW) throw vb_errors::Overflow();
    if (FAILED(hr)) throw vb_errors::TypeMismatch();
}

VbError OutOfRange(const std::string& what) {
    return vb_errors::WithDetail(vb_errors::kInvalidPropertyValue,
                                 what + " must be from " + std::to_string(render::image_limits::kLowestResolution) +
                                     " to " + std::to_string(render::image_limits::kHighestResolution) +
                                     " dots per inch");
}

}  // namespace

HRESULT Quillant2::put_ForeColor(OLE_COLOR value) {
    if (!IsOleColour(value)) return RefuseValue();
    colours_.fore = value;
    return S_OK;
}
HRESULT Quillant2::get_ForeColor(OLE_COLOR* value) { return ReadProperty(colours_.fore, value); }

HRESULT Quillant2::put_BackColor(OLE_COLOR value) {
    if (!IsOleColour(value) && value != kTransparent) return RefuseValue();
    colours_.back = value;
    return S_OK;
}
HRESULT Quillant2::get_BackColor(OLE_COLOR* value) { return ReadProperty(colours_.back, value); }

int32_t Quillant2::ImageResolution(const VARIANT& given) const {
    int32_t dpi = properties_.deviceResolution != 0 ? properties_.deviceResolution
                                                    : render::image_limits::kDefaultResolution;
    if (!Missing(given)) {
        Converted(win32::ArgumentToLong(given, LOCALE_USER_DEFAULT, dpi));
    } else if (dpi > render::image_limits::kHighestResolution) {
        throw OutOfRange("DeviceResolution, the default Resolution,");
    }
    if (dpi < render::image_limits::kLowestResolution || dpi > render::image_limits::kHighestResolution) {
        throw OutOfRange("Resolution");
    }
    return dpi;
}

HRESULT Quillant2::ImageBytes(BSTR format, VARIANT resolution, VARIANT* result) {
    if (!result) return E_POINTER;
    VariantInit(result);
    return Boundary([&] {
        const ImageFormat chosen = ImageFormatNamed(win32::Bstr::U16Of(format));
        const std::vector<uint8_t> bytes = RenderImage(Drawn(), chosen, ImageResolution(resolution), colours_, canvas_);
        ByteArrayVariant(bytes, *result);
        return S_OK;
    });
}

HRESULT Quillant2::SaveImage(BSTR fileName, VARIANT format, VARIANT resolution) {
    return Boundary([&] {
        const std::u16string_view name16 = win32::Bstr::U16Of(fileName);
        const std::wstring name(name16.begin(), name16.end());
        ImageFormat chosen;
        if (Missing(format)) {
            chosen = ImageFormatOfFile(name);
        } else {
            if (const auto forbidden = forms::ForbiddenInFileName(name)) {
                throw vb_errors::WithDetail(vb_errors::kInvalidCall, "FileName '" + forms::NameForMessage(name) +
                                                                         "' holds " + *forbidden +
                                                                         ", which a file name cannot");
            }
            win32::Bstr text;
            Converted(win32::ArgumentToString(format, LOCALE_USER_DEFAULT, text));
            chosen = ImageFormatNamed(win32::Bstr::U16Of(text.Get()));
        }
        WriteWholeFile(name, RenderImage(Drawn(), chosen, ImageResolution(resolution), colours_, canvas_));
        return S_OK;
    });
}

HRESULT Quillant2::get_Picture(IPictureDisp** value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    return Boundary([&] {
        const VARIANT none = {};  // VT_EMPTY: the default resolution
        win32::EnhMetaFile recording = RenderMetafile(Drawn(), ImageResolution(none), colours_);
        *value = PictureOfMetafile(std::move(recording)).Detach();
        return S_OK;
    });
}

// Answered here rather than by the type library. Picture is declared as
// stdole's IPictureDisp, which Wine's type library Invoke cannot hand back
// (an alias of a dispinterface): it goes out as the VT_DISPATCH hosts take a
// StdPicture as. The colours go out as a Long, as Visual Basic reads an
// OLE_COLOR: script engines take no unsigned numbers (Wine's VBScript stops
// on one).
bool Quillant2::InvokeOwnGet(DISPID member, WORD flags, VARIANT* result, HRESULT& hr) {
    if (!(flags & DISPATCH_PROPERTYGET)) return false;
    switch (member) {
        case DISPID_QUILLANT_PICTURE: {
            win32::ComPtr<IPictureDisp> picture;
            hr = get_Picture(picture.Put());
            if (SUCCEEDED(hr) && result) {
                VariantInit(result);
                V_VT(result) = VT_DISPATCH;
                V_DISPATCH(result) = picture.Detach();
            }
            return true;
        }
        case DISPID_QUILLANT_FORECOLOR:
        case DISPID_QUILLANT_BACKCOLOR:
            hr = S_OK;
            if (result) {
                VariantInit(result);
                V_VT(result) = VT_I4;
                V_I4(result) = static_cast<LONG>(member == DISPID_QUILLANT_FORECOLOR ? colours_.fore : colours_.back);
            }
            return true;
        case DISPID_QUILLANT_CAPTIONFONT:
            // A StdFont goes out as VT_DISPATCH, as the picture does.
            hr = Boundary([&] {
                win32::ComPtr<IDispatch> font = CaptionFontObject();
                if (result) {
                    VariantInit(result);
                    V_VT(result) = VT_DISPATCH;
                    V_DISPATCH(result) = font.Detach();
                }
                return S_OK;
            });
            return true;
        default:
            return false;
    }
}

HRESULT Quillant2::CopyToClipboard() {
    return Boundary([&] {
        const VARIANT none = {};
        const int32_t dpi = ImageResolution(none);
        ImageColours opaque = colours_;
        if (opaque.back == kTransparent) opaque.back = 0xFFFFFF;  // a bitmap has a ground
        PutOnClipboard(RenderMetafile(Drawn(), dpi, colours_),
                       RenderImage(Drawn(), ImageFormat::kDib, dpi, opaque, canvas_));
        return S_OK;
    });
}

}  // namespace quillant::component
