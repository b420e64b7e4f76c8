#include "component/quillant2.h"

#include "component/encode_operation.h"
#include "component/label_text.h"
#include "component/raw_print_job.h"
#include "encoding/gs1_element_string.h"
#include "render/caption_face.h"
#include "render/label_commands.h"
#include "render/label_encode.h"
#include "adapters/dispatch_drawing_object.h"

namespace quillant::component {

Quillant2::Quillant2(win32::ComPtr<IDispatch> deviceObject)
    : BarcodeObject(L"Quillant.Quillant2", CLSID_Quillant2, std::move(deviceObject)) {}

HRESULT Quillant2::GetBarWidth(short* width) {
    if (!width) return E_POINTER;
    return Boundary([&] {
        const LabelText text = EncodeLabelText(properties_);
        if (!deviceObject_) {
            *width = render::LabelBarWidth(properties_, text.modules, nullptr);
            return S_OK;
        }
        const OnDevice call(this);
        if (const auto refusal = call.Refusal("GetBarWidth")) throw *refusal;
        render::win32::DispatchDrawingObject target(deviceObject_.Get(), deviceMembers_);
        *width = render::LabelBarWidth(properties_, text.modules, &target);
        return S_OK;
    });
}

HRESULT Quillant2::Encode(BSTR* result) {
    if (!result) return E_POINTER;
    *result = nullptr;
    return Boundary([&] {
        const OnDevice call(this);
        if (call.RefusedEncode(result)) return S_OK;
        const std::u16string outcome =
            DrawOnDevice(deviceObject_.Get(), [&](render::DrawingObject* target, render::Platform platform) {
                const LabelText text = EncodeLabelText(properties_);
                return render::EncodeLabel(Drawn(), text.modules, text.caption, target, platform);
            }, deviceMembers_);
        *result = win32::Bstr(outcome).Detach();
        return S_OK;
    });
}

// 380 "Invalid property value"; the property keeps what it had.
HRESULT Quillant2::RefuseValue() {
    return Boundary([]() -> HRESULT { throw vb_errors::WithText(vb_errors::kInvalidPropertyValue); });
}

LabelProperties Quillant2::Drawn() const {
    LabelProperties drawn = properties_;
    captionFont_.ReadInto(drawn.caption);
    return drawn;
}

win32::ComPtr<IDispatch> Quillant2::CaptionFontObject() {
    return captionFont_.Object(properties_.elementWidth / render::kCaptionDivisor);
}

HRESULT Quillant2::get_CaptionFont(IFontDisp** value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    return Boundary([&] {
        const win32::ComPtr<IDispatch> font = CaptionFontObject();
        return font->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(value));
    });
}

HRESULT Quillant2::putref_CaptionFont(IFontDisp* value) {
    return Boundary([&] {
        captionFont_.SetReference(value);
        return S_OK;
    });
}

HRESULT Quillant2::put_CaptionFont(IFontDisp* value) {
    return Boundary([&] {
        VARIANT given;
        V_VT(&given) = VT_DISPATCH;
        V_DISPATCH(&given) = value;
        captionFont_.SetCopy(given, LOCALE_USER_DEFAULT);
        return S_OK;
    });
}

HRESULT Quillant2::put_CaptionPosition(::CaptionPositions value) {
    if (value != ::bcCaptionBelow && value != ::bcCaptionAbove && value != ::bcCaptionNone) return RefuseValue();
    properties_.caption.position = static_cast<int32_t>(value);
    return S_OK;
}
HRESULT Quillant2::get_CaptionPosition(::CaptionPositions* value) {
    return ReadProperty(properties_.caption.position, value);
}

HRESULT Quillant2::put_CaptionGap(LONG value) {
    if (value < 0 || value > label_limits::kMostCaptionGap) return RefuseValue();
    properties_.caption.gap = value;
    return S_OK;
}
HRESULT Quillant2::get_CaptionGap(LONG* value) { return ReadProperty(properties_.caption.gap, value); }

HRESULT Quillant2::put_Symbology(::Symbologies value) {
    if (value != ::bcCode128 && value != ::bcGS1_128) return RefuseValue();
    properties_.symbology = static_cast<int32_t>(value);
    return S_OK;
}
HRESULT Quillant2::get_Symbology(::Symbologies* value) { return ReadProperty(properties_.symbology, value); }

HRESULT Quillant2::put_SnapToDevice(VARIANT_BOOL value) {
    properties_.snapToDevice = value;
    return S_OK;
}
HRESULT Quillant2::get_SnapToDevice(VARIANT_BOOL* value) { return ReadProperty(properties_.snapToDevice, value); }

HRESULT Quillant2::put_DeviceResolution(LONG value) {
    if (value != 0 && (value < label_limits::kLowestResolution || value > label_limits::kHighestResolution)) {
        return RefuseValue();
    }
    properties_.deviceResolution = value;
    return S_OK;
}
HRESULT Quillant2::get_DeviceResolution(LONG* value) { return ReadProperty(properties_.deviceResolution, value); }

HRESULT Quillant2::put_BarWidthReduction(short value) {
    if (value < 0 || value > label_limits::kMostReduction) return RefuseValue();
    properties_.barWidthReduction = value;
    return S_OK;
}
HRESULT Quillant2::get_BarWidthReduction(short* value) { return ReadProperty(properties_.barWidthReduction, value); }

HRESULT Quillant2::put_QuietZones(VARIANT_BOOL value) {
    properties_.quietZones = value;
    return S_OK;
}
HRESULT Quillant2::get_QuietZones(VARIANT_BOOL* value) { return ReadProperty(properties_.quietZones, value); }

HRESULT Quillant2::get_CaptionText(BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    return Boundary([&] {
        *value = win32::Bstr(EncodeLabelText(properties_).caption).Detach();
        return S_OK;
    });
}

HRESULT Quillant2::get_ModulePattern(BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    return Boundary([&] {
        const std::string modules = EncodeLabelText(properties_).modules;
        *value = win32::Bstr(std::u16string(modules.begin(), modules.end())).Detach();
        return S_OK;
    });
}

HRESULT Quillant2::get_Gs1Missing(BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    return Boundary([&] {
        const std::string missing =
            properties_.symbology == bcGS1_128 ? ParseGs1(properties_.encodeString).missing : std::string();
        *value = win32::Bstr(win32::Utf16FromUtf8(missing)).Detach();
        return S_OK;
    });
}

HRESULT Quillant2::CheckGs1Label(VARIANT labels, BSTR* result) {
    if (!result) return E_POINTER;
    *result = nullptr;
    return Boundary([&] {
        std::vector<std::u16string> symbols;
        const HRESULT hr = win32::ArgumentToStrings(labels, LOCALE_USER_DEFAULT, symbols);
        if (hr == DISP_E_TYPEMISMATCH) throw vb_errors::WithText(vb_errors::kTypeMismatch);
        if (FAILED(hr)) return hr;
        *result = win32::Bstr(win32::Utf16FromUtf8(quillant::CheckGs1Label(symbols))).Detach();
        return S_OK;
    });
}

HRESULT Quillant2::LabelCommands(BSTR language, BSTR* result) {
    if (!result) return E_POINTER;
    *result = nullptr;
    return Boundary([&] {
        const auto found = render::FindCommandLanguage(win32::Bstr::U16Of(language));
        if (!found) throw vb_errors::PrinterCommandError(vb_errors::PrinterCommandFault::kUnknownLanguage);
        const LabelText text = EncodeLabelText(properties_);
        const std::string commands = render::LabelCommands(properties_, text.values, text.modules, *found);
        *result = win32::Bstr(std::u16string(commands.begin(), commands.end())).Detach();
        return S_OK;
    });
}

HRESULT Quillant2::PrintCommands(BSTR printerName, BSTR commands) {
    return Boundary([&] {
        SendRaw(win32::Bstr::U16Of(printerName), win32::Bstr::U16Of(commands));
        return S_OK;
    });
}

bool Quillant2::IsOwnPutByValue(DISPID member) const {
    switch (member) {
        case DISPID_QUILLANT_SYMBOLOGY: case DISPID_QUILLANT_SNAPTODEVICE: case DISPID_QUILLANT_DEVICERESOLUTION:
        case DISPID_QUILLANT_BARWIDTHREDUCTION: case DISPID_QUILLANT_QUIETZONES:
        case DISPID_QUILLANT_FORECOLOR: case DISPID_QUILLANT_BACKCOLOR:
        case DISPID_QUILLANT_CAPTIONPOSITION: case DISPID_QUILLANT_CAPTIONGAP: case DISPID_QUILLANT_CAPTIONFONT:
            return true;
        default:
            return false;
    }
}

bool Quillant2::IsOwnPutByReference(DISPID member) const { return member == DISPID_QUILLANT_CAPTIONFONT; }

HRESULT Quillant2::PutOwnArgument(DISPID member, const VARIANT& argument, LCID lcid, WORD flags) {
    int32_t number = 0;
    int16_t small = 0;
    VARIANT_BOOL flag = 0;
    HRESULT hr = S_OK;
    switch (member) {
        case DISPID_QUILLANT_SYMBOLOGY:
            hr = win32::ArgumentToLong(argument, lcid, number);
            return SUCCEEDED(hr) ? put_Symbology(static_cast<::Symbologies>(number)) : hr;
        case DISPID_QUILLANT_DEVICERESOLUTION:
            hr = win32::ArgumentToLong(argument, lcid, number);
            return SUCCEEDED(hr) ? put_DeviceResolution(number) : hr;
        case DISPID_QUILLANT_BARWIDTHREDUCTION:
            hr = win32::ArgumentToShort(argument, lcid, small);
            return SUCCEEDED(hr) ? put_BarWidthReduction(small) : hr;
        case DISPID_QUILLANT_FORECOLOR:
        case DISPID_QUILLANT_BACKCOLOR:
            // Visual Basic hands an OLE_COLOR over as a Long: &HFFFFFFFF is -1.
            hr = win32::ArgumentToLong(argument, lcid, number);
            if (FAILED(hr)) return hr;
            return member == DISPID_QUILLANT_FORECOLOR ? put_ForeColor(static_cast<OLE_COLOR>(number))
                                                       : put_BackColor(static_cast<OLE_COLOR>(number));
        case DISPID_QUILLANT_CAPTIONPOSITION:
            hr = win32::ArgumentToLong(argument, lcid, number);
            return SUCCEEDED(hr) ? put_CaptionPosition(static_cast<::CaptionPositions>(number)) : hr;
        case DISPID_QUILLANT_CAPTIONGAP:
            hr = win32::ArgumentToLong(argument, lcid, number);
            return SUCCEEDED(hr) ? put_CaptionGap(number) : hr;
        case DISPID_QUILLANT_CAPTIONFONT:
            return Boundary([&] {
                // Set takes the object itself, a Let a copy of it or a face name.
                if (flags & DISPATCH_PROPERTYPUTREF) {
                    if (!win32::IsReadable(argument)) return DISP_E_TYPEMISMATCH;
                    const VARIANT& value =
                        V_VT(&argument) == (VT_BYREF | VT_VARIANT) ? *V_VARIANTREF(&argument) : argument;
                    const VARTYPE type = static_cast<VARTYPE>(V_VT(&value) & ~VT_BYREF);
                    if (type == VT_EMPTY) {
                        captionFont_.SetReference(nullptr);
                        return S_OK;
                    }
                    if (type != VT_DISPATCH && type != VT_UNKNOWN) return DISP_E_TYPEMISMATCH;
                    IUnknown* object = (V_VT(&value) & VT_BYREF) ? *V_UNKNOWNREF(&value) : V_UNKNOWN(&value);
                    win32::ComPtr<IDispatch> font;
                    if (object) object->QueryInterface(IID_IDispatch, font.PutVoid());
                    if (object && !font) return DISP_E_TYPEMISMATCH;
                    captionFont_.SetReference(font.Get());
                    return S_OK;
                }
                if (!win32::IsReadable(argument)) return DISP_E_TYPEMISMATCH;
                captionFont_.SetCopy(argument, lcid);
                return S_OK;
            });
        case DISPID_QUILLANT_SNAPTODEVICE:
            hr = win32::ArgumentToBoolean(argument, lcid, flag);
            return SUCCEEDED(hr) ? put_SnapToDevice(flag) : hr;
        case DISPID_QUILLANT_QUIETZONES:
            hr = win32::ArgumentToBoolean(argument, lcid, flag);
            return SUCCEEDED(hr) ? put_QuietZones(flag) : hr;
        default:
            return DISP_E_MEMBERNOTFOUND;  // IsOwnPutByValue names no other
    }
}

}  // namespace quillant::component
