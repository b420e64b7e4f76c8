#pragma once
// The COM face of a drawing surface: IUnknown, ISupportErrorInfo and the
// IDrawingObject members both stand-ins share, each a thin call into the
// surface inside a ComBoundary so that a VbError reaches the caller as
// HRESULT 0x800A0000 | number with IErrorInfo.
//
//   class PictureBox final : public DrawingObjectDispatch<IPictureBox, PictureSurface> { ... };

#include <windows.h>
#include <oaidl.h>

#include <new>
#include <optional>

#include "QuillantForms_h.h"
#include "win32/bstr.h"
#include "win32/com_ptr.h"
#include "win32/property_argument.h"
#include "forms/live_objects.h"
#include "forms/module_dispatch.h"
#include "forms/scale_units.h"
#include "win32/type_info_dispatch.h"
#include "win32/variant.h"
#include "win32/vb_com_error.h"

namespace quillant::forms {

template <class Interface, class Surface>
class DrawingObjectDispatch : public win32::TypeInfoDispatch<Interface>, public ISupportErrorInfo, private LiveObject {
public:
    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IDrawingObject) ||
            IsEqualIID(iid, __uuidof(Interface)) || AnswersAs(iid)) {
            *out = static_cast<Interface*>(this);
        } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
            *out = static_cast<ISupportErrorInfo*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseReference(); }

    // IDispatch: the members drawn with for every module straight from their
    // DISPIDs, everything else through the type library.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argError) override {
        HRESULT hr = S_OK;
        if (params && InvokeModuleMember(*this, member, iid, flags, *params, result, excep, hr)) return hr;
        return win32::TypeInfoDispatch<Interface>::Invoke(member, iid, lcid, flags, params, result,
                                                                        excep, argError);
    }

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        return IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IDrawingObject) ||
                       IsEqualIID(iid, __uuidof(Interface))
                   ? S_OK
                   : S_FALSE;
    }

    // IDrawingObject
    HRESULT STDMETHODCALLTYPE get_CurrentX(double* value) override { return Get(value, [&] { return surface_.CurrentX(); }); }
    HRESULT STDMETHODCALLTYPE put_CurrentX(double value) override { return Do([&] { surface_.SetCurrentX(value); }); }
    HRESULT STDMETHODCALLTYPE get_CurrentY(double* value) override { return Get(value, [&] { return surface_.CurrentY(); }); }
    HRESULT STDMETHODCALLTYPE put_CurrentY(double value) override { return Do([&] { surface_.SetCurrentY(value); }); }
    HRESULT STDMETHODCALLTYPE Line(LONG flags, double x1, double y1, double x2, double y2, LONG colour) override {
        return Do([&] { surface_.Line(flags, x1, y1, x2, y2, colour); });
    }
    HRESULT STDMETHODCALLTYPE get_ForeColor(LONG* value) override { return Get(value, [&] { return surface_.ForeColor(); }); }
    HRESULT STDMETHODCALLTYPE put_ForeColor(LONG value) override { return Do([&] { surface_.SetForeColor(value); }); }
    HRESULT STDMETHODCALLTYPE get_BackColor(LONG* value) override { return Get(value, [&] { return surface_.BackColor(); }); }
    HRESULT STDMETHODCALLTYPE put_BackColor(LONG value) override { return Do([&] { surface_.SetBackColor(value); }); }
    HRESULT STDMETHODCALLTYPE get_FillColor(LONG* value) override { return Get(value, [&] { return surface_.FillColor(); }); }
    HRESULT STDMETHODCALLTYPE put_FillColor(LONG value) override { return Do([&] { surface_.SetFillColor(value); }); }
    HRESULT STDMETHODCALLTYPE get_DrawWidth(short* value) override { return Get(value, [&] { return surface_.DrawWidth(); }); }
    HRESULT STDMETHODCALLTYPE put_DrawWidth(short value) override { return Do([&] { surface_.SetDrawWidth(value); }); }

    HRESULT STDMETHODCALLTYPE get_FontName(BSTR* value) override {
        return Get(value, [&] { return win32::Bstr(surface_.FontName()).Detach(); });
    }
    HRESULT STDMETHODCALLTYPE put_FontName(BSTR value) override {
        return Do([&] { surface_.SetFontName(win32::Bstr::ViewOf(value)); });
    }
    HRESULT STDMETHODCALLTYPE get_FontSize(double* value) override { return Get(value, [&] { return surface_.FontSize(); }); }
    HRESULT STDMETHODCALLTYPE put_FontSize(double value) override { return Do([&] { surface_.SetFontSize(value); }); }
    HRESULT STDMETHODCALLTYPE get_FontBold(VARIANT_BOOL* value) override { return GetBool(value, &Surface::FontBold); }
    HRESULT STDMETHODCALLTYPE put_FontBold(VARIANT_BOOL value) override {
        return Do([&] { surface_.SetFontBold(value != VARIANT_FALSE); });
    }
    HRESULT STDMETHODCALLTYPE get_FontItalic(VARIANT_BOOL* value) override { return GetBool(value, &Surface::FontItalic); }
    HRESULT STDMETHODCALLTYPE put_FontItalic(VARIANT_BOOL value) override {
        return Do([&] { surface_.SetFontItalic(value != VARIANT_FALSE); });
    }
    HRESULT STDMETHODCALLTYPE get_FontUnderline(VARIANT_BOOL* value) override {
        return GetBool(value, &Surface::FontUnderline);
    }
    HRESULT STDMETHODCALLTYPE put_FontUnderline(VARIANT_BOOL value) override {
        return Do([&] { surface_.SetFontUnderline(value != VARIANT_FALSE); });
    }
    HRESULT STDMETHODCALLTYPE get_FontStrikethru(VARIANT_BOOL* value) override {
        return GetBool(value, &Surface::FontStrikethru);
    }
    HRESULT STDMETHODCALLTYPE put_FontStrikethru(VARIANT_BOOL value) override {
        return Do([&] { surface_.SetFontStrikethru(value != VARIANT_FALSE); });
    }

    HRESULT STDMETHODCALLTYPE TextWidth(BSTR text, double* value) override {
        return Get(value, [&] { return surface_.TextWidth(win32::Bstr::ViewOf(text)); });
    }
    HRESULT STDMETHODCALLTYPE TextHeight(BSTR text, double* value) override {
        return Get(value, [&] { return surface_.TextHeight(win32::Bstr::ViewOf(text)); });
    }
    HRESULT STDMETHODCALLTYPE Print(VARIANT text) override {
        return Do([&] {
            // No argument (or Empty) prints an empty line.
            if (Missing(text)) return surface_.Print(L"");
            win32::Variant copy;
            const HRESULT hr = VariantChangeType(copy.Get(), &text, VARIANT_ALPHABOOL, VT_BSTR);
            if (FAILED(hr)) throw vb_errors::TypeMismatch();
            surface_.Print(win32::Bstr::ViewOf(V_BSTR(copy.Get())));
        });
    }
    HRESULT STDMETHODCALLTYPE get_hDC(LONG* value) override {
        return Get(value, [&] { return static_cast<LONG>(reinterpret_cast<INT_PTR>(surface_.Hdc())); });
    }
    HRESULT STDMETHODCALLTYPE PaintPicture(IDispatch* picture, double x, double y, VARIANT width,
                                           VARIANT height) override {
        return Do([&] { surface_.PaintPicture(picture, x, y, OptionalNumber(width), OptionalNumber(height)); });
    }

    HRESULT STDMETHODCALLTYPE get_Width(double* value) override { return Get(value, [&] { return surface_.Width(); }); }
    HRESULT STDMETHODCALLTYPE put_Width(double value) override { return Do([&] { surface_.SetWidth(value); }); }
    HRESULT STDMETHODCALLTYPE get_Height(double* value) override { return Get(value, [&] { return surface_.Height(); }); }
    HRESULT STDMETHODCALLTYPE put_Height(double value) override { return Do([&] { surface_.SetHeight(value); }); }
    HRESULT STDMETHODCALLTYPE get_ScaleWidth(double* value) override {
        return Get(value, [&] { return surface_.ScaleWidth(); });
    }
    HRESULT STDMETHODCALLTYPE get_ScaleHeight(double* value) override {
        return Get(value, [&] { return surface_.ScaleHeight(); });
    }
    HRESULT STDMETHODCALLTYPE get_ScaleMode(short* value) override { return Get(value, [&] { return surface_.ScaleMode(); }); }
    HRESULT STDMETHODCALLTYPE put_ScaleMode(short value) override { return Do([&] { surface_.SetScaleMode(value); }); }
    HRESULT STDMETHODCALLTYPE ScaleX(double width, VARIANT from, VARIANT to, double* value) override {
        return Get(value, [&] { return surface_.ScaleLength(Axis::kX, width, OptionalScale(from), OptionalScale(to)); });
    }
    HRESULT STDMETHODCALLTYPE ScaleY(double height, VARIANT from, VARIANT to, double* value) override {
        return Get(value, [&] { return surface_.ScaleLength(Axis::kY, height, OptionalScale(from), OptionalScale(to)); });
    }
    HRESULT STDMETHODCALLTYPE get_TwipsPerPixelX(double* value) override {
        return Get(value, [&] { return surface_.TwipsPerPixel(Axis::kX); });
    }
    HRESULT STDMETHODCALLTYPE get_TwipsPerPixelY(double* value) override {
        return Get(value, [&] { return surface_.TwipsPerPixel(Axis::kY); });
    }

    Surface& surface() { return surface_; }

protected:
    explicit DrawingObjectDispatch(const wchar_t* source) : source_(source) {}

    // Further interface identifiers the object answers with its main interface.
    virtual bool AnswersAs(REFIID) const { return false; }

    template <class Body>
    HRESULT Do(Body&& body) {
        return win32::ComBoundary(__uuidof(Interface), source_, [&]() -> HRESULT {
            body();
            return S_OK;
        });
    }
    template <class T, class Body>
    HRESULT Get(T* out, Body&& body) {
        if (!out) return E_POINTER;
        return win32::ComBoundary(__uuidof(Interface), source_, [&]() -> HRESULT {
            *out = body();
            return S_OK;
        });
    }
    HRESULT GetBool(VARIANT_BOOL* out, bool (Surface::*member)() const) {
        return Get(out, [&] { return (surface_.*member)() ? VARIANT_TRUE : VARIANT_FALSE; });
    }

    // A missing optional argument arrives as VT_ERROR / DISP_E_PARAMNOTFOUND.
    static bool Missing(const VARIANT& argument) { return V_VT(&argument) == VT_ERROR || V_VT(&argument) == VT_EMPTY; }

    static std::optional<double> OptionalNumber(const VARIANT& argument) {
        if (Missing(argument)) return std::nullopt;
        win32::Variant copy;
        if (FAILED(VariantChangeType(copy.Get(), const_cast<VARIANT*>(&argument), 0, VT_R8))) {
            throw vb_errors::TypeMismatch();
        }
        return V_R8(copy.Get());
    }

    // Rounded as CInt rounds; NaN and numbers beyond an Integer overflow.
    static std::optional<int16_t> OptionalScale(const VARIANT& argument) {
        if (Missing(argument)) return std::nullopt;
        int16_t scale = 0;
        const HRESULT hr = win32::ArgumentToShort(argument, LOCALE_USER_DEFAULT, scale);
        if (FAILED(hr)) throw win32::ErrorFromCall(hr, nullptr, nullptr);
        return scale;
    }

    Surface surface_;

private:
    const wchar_t* source_;
};

}  // namespace quillant::forms
