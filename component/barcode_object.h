#pragma once
// What Quillant1 and Quillant2 share: COM identity (IUnknown, IDispatch
// through the type library, ISupportErrorInfo, IProvideClassInfo so that a
// script's TypeName names the class), the nine properties of _Quillant1 with
// their puts converted as Visual Basic converts an assignment, and
// DeviceObject held by reference. Each class adds GetBarWidth, Encode and
// its own members.

#include <oaidl.h>
#include <ocidl.h>

#include <atomic>
#include <memory>
#include <new>
#include <optional>
#include <string>

#include "adapters/dispatch_caller.h"
#include "component/dispids.h"
#include "component/shared_drawing_objects.h"
#include "encoding/vb_error.h"
#include "win32/com_server/server_lifetime.h"
#include "render/barcode_properties.h"
#include "win32/bstr.h"
#include "win32/com_ptr.h"
#include "win32/property_argument.h"
#include "win32/text_conversion.h"
#include "win32/type_info_dispatch.h"
#include "win32/vb_com_error.h"

namespace quillant::component {

// Reads one stored value out; the only failure is a null out pointer.
template <class T, class Field>
HRESULT ReadProperty(const Field& field, T* out) {
    if (!out) return E_POINTER;
    *out = static_cast<T>(field);
    return S_OK;
}

// The class factory's CreateInstance for a barcode class: a new object that
// starts with the shared default printer. Fails, handing out nothing, when
// the printer cannot be obtained.
template <class Class>
HRESULT CreateBarcodeObject(REFIID iid, void** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    win32::ComPtr<IDispatch> printer;
    const HRESULT hr = DefaultPrinter(printer.Put());
    if (FAILED(hr)) return hr;
    // The new object's own reference goes with the owner; the caller's comes
    // from QueryInterface.
    const auto object = win32::ComPtr<Class>::Attach(new (std::nothrow) Class(std::move(printer)));
    if (!object) return E_OUTOFMEMORY;
    return object->QueryInterface(iid, out);
}

template <class Interface, class Properties>
class BarcodeObject : public win32::TypeInfoDispatch<Interface>, public ISupportErrorInfo, public IProvideClassInfo {
public:
    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(Interface)) {
            *out = static_cast<Interface*>(this);
        } else if (iid == IID_ISupportErrorInfo) {
            *out = static_cast<ISupportErrorInfo*>(this);
        } else if (iid == IID_IProvideClassInfo) {
            *out = static_cast<IProvideClassInfo*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: property puts convert their value as Visual Basic does (see
    // win32/property_argument.h); the type library answers everything else.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argError) override {
        HRESULT hr = S_OK;
        const bool put = (flags & DISPATCH_PROPERTYPUT) ||
                         ((flags & DISPATCH_PROPERTYPUTREF) && IsOwnPutByReference(member));
        if (put && params && IsEqualIID(iid, IID_NULL) && PutArgument(member, *params, lcid, flags, hr)) {
            if ((hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW) && argError) *argError = 0;
            // A value the property refuses (Quillant2's 380) carries its text
            // the way the type library's calls carry theirs.
            if (HRESULT_FACILITY(hr) == FACILITY_CONTROL && excep) return win32::ExceptionOfErrorInfo(hr, *excep);
            return hr;
        }
        if (IsEqualIID(iid, IID_NULL) && params && params->cArgs == 0 && InvokeOwnGet(member, flags, result, hr)) {
            if (FAILED(hr) && HRESULT_FACILITY(hr) == FACILITY_CONTROL && excep) {
                return win32::ExceptionOfErrorInfo(hr, *excep);
            }
            return hr;
        }
        return win32::TypeInfoDispatch<Interface>::Invoke(member, iid, lcid, flags, params, result, excep,
                                                          argError);
    }

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        return iid == __uuidof(Interface) || iid == IID_IDispatch ? S_OK : S_FALSE;
    }

    // IProvideClassInfo
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override {
        return win32::ModuleTypeInfo(classId_, info);
    }

    // The members of _Quillant1 that only store and read.
    HRESULT STDMETHODCALLTYPE put_Orientation(::Orientations value) override {
        properties_.orientation = static_cast<int32_t>(value);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Orientation(::Orientations* value) override {
        return ReadProperty(properties_.orientation, value);
    }
    HRESULT STDMETHODCALLTYPE put_VisibleCode(VARIANT_BOOL value) override {
        properties_.visibleCode = value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_VisibleCode(VARIANT_BOOL* value) override {
        return ReadProperty(properties_.visibleCode, value);
    }
    HRESULT STDMETHODCALLTYPE put_IndentedCode(VARIANT_BOOL value) override {
        properties_.indentedCode = value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_IndentedCode(VARIANT_BOOL* value) override {
        return ReadProperty(properties_.indentedCode, value);
    }
    // The new position arrives through a pointer that is only read: the
    // caller's variable is never written.
    HRESULT STDMETHODCALLTYPE put_XPosition(LONG* value) override {
        if (!value) return E_POINTER;
        properties_.xPosition = *value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_XPosition(LONG* value) override { return ReadProperty(properties_.xPosition, value); }
    HRESULT STDMETHODCALLTYPE put_YPosition(LONG* value) override {
        if (!value) return E_POINTER;
        properties_.yPosition = *value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_YPosition(LONG* value) override { return ReadProperty(properties_.yPosition, value); }
    HRESULT STDMETHODCALLTYPE put_BarHeight(short value) override {
        properties_.barHeight = value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_BarHeight(short* value) override { return ReadProperty(properties_.barHeight, value); }
    HRESULT STDMETHODCALLTYPE put_ElementWidth(short value) override {
        properties_.elementWidth = value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_ElementWidth(short* value) override {
        return ReadProperty(properties_.elementWidth, value);
    }
    HRESULT STDMETHODCALLTYPE putref_DeviceObject(IDispatch* value) override {
        deviceObject_ = win32::ComPtr<IDispatch>(value);
        deviceMembers_ = NewMemberTable();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_DeviceObject(IDispatch** value) override {
        if (!value) return E_POINTER;
        *value = win32::ComPtr<IDispatch>(deviceObject_).Detach();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_EncodeString(BSTR value) override {
        return Boundary([&] {
            properties_.encodeString = win32::Bstr::U16Of(value);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_EncodeString(BSTR* value) override {
        if (!value) return E_POINTER;
        *value = nullptr;
        return Boundary([&] {
            *value = win32::Bstr(properties_.encodeString).Detach();
            return S_OK;
        });
    }

protected:
    BarcodeObject(const wchar_t* errorSource, REFCLSID classId, win32::ComPtr<IDispatch> deviceObject)
        : errorSource_(errorSource), classId_(classId), deviceObject_(std::move(deviceObject)),
          deviceMembers_(NewMemberTable()) {
        win32::com_server::ObjectCreated();
    }
    virtual ~BarcodeObject() { win32::com_server::ObjectDestroyed(); }

    // A property get without arguments the class answers itself, where the
    // type library's Invoke cannot.
    virtual bool InvokeOwnGet(DISPID, WORD, VARIANT*, HRESULT&) { return false; }

    // The class's own properties set by value, which it converts itself, and
    // those it also takes by reference (Set); flags says which way it came.
    virtual bool IsOwnPutByValue(DISPID) const { return false; }
    virtual bool IsOwnPutByReference(DISPID) const { return false; }
    virtual HRESULT PutOwnArgument(DISPID, const VARIANT&, LCID, WORD) { return DISP_E_MEMBERNOTFOUND; }

    // Errors leave as Visual Basic errors with rich error information.
    template <class Body>
    HRESULT Boundary(Body&& body) {
        return win32::ComBoundary(__uuidof(Interface), errorSource_, std::forward<Body>(body));
    }

    // The DeviceObject may call back into this object while it is drawing
    // (a Line that calls Encode again) and would recurse until the stack ran
    // out. A call that draws or measures on it while another one of this
    // object is under way on the same thread is refused instead. Calls on
    // other threads (Quillant2 in the multithreaded apartment) are not
    // re-entries, so the calls under way are kept per thread.
    class OnDevice {
    public:
        explicit OnDevice(const void* object) : object_(object), previous_(top_), entered_(!Drawing(object)) {
            top_ = this;
        }
        OnDevice(const OnDevice&) = delete;
        OnDevice& operator=(const OnDevice&) = delete;
        ~OnDevice() { top_ = previous_; }
        // The re-entered call's error; null for the outermost call.
        std::optional<VbError> Refusal(const char* member) const {
            if (entered_) return std::nullopt;
            return vb_errors::WithDetail(vb_errors::kInvalidCall,
                                         std::string(member) + " was called again from the DeviceObject while this "
                                                               "object was drawing on it");
        }

        // For Encode, which answers with an error's text rather than raising:
        // whether this call was refused, with that answer in result.
        bool RefusedEncode(BSTR* result) const {
            const std::optional<VbError> refusal = Refusal("Encode");
            if (refusal) *result = win32::Bstr(win32::Utf16FromUtf8(refusal->description())).Detach();
            return refusal.has_value();
        }

    private:
        static bool Drawing(const void* object) {
            for (const OnDevice* call = top_; call; call = call->previous_) {
                if (call->object_ == object) return true;
            }
            return false;
        }

        // The innermost call under way on this thread; a plain pointer, so
        // that no thread's exit runs a destructor for it.
        static inline thread_local const OnDevice* top_ = nullptr;
        const void* const object_;
        const OnDevice* const previous_;
        const bool entered_;
    };

    const wchar_t* const errorSource_;
    const CLSID classId_;
    Properties properties_;
    win32::ComPtr<IDispatch> deviceObject_;
    // The DISPIDs deviceObject_ has answered, made anew with every object
    // set; a call under way keeps the table of the object it draws on.
    // Quillant2 lends it to its calls; Quillant1 asks for names on every
    // call, as it always has. None when memory ran out: names are then asked
    // for on every call.
    std::shared_ptr<render::win32::KnownMembers> deviceMembers_;

private:
    static std::shared_ptr<render::win32::KnownMembers> NewMemberTable() noexcept {
        try {
            return std::make_shared<render::win32::KnownMembers>();
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }

    static bool IsCommonPutByValue(DISPID member) {
        switch (member) {
            case DISPID_QUILLANT_ORIENTATION: case DISPID_QUILLANT_VISIBLECODE: case DISPID_QUILLANT_INDENTEDCODE:
            case DISPID_QUILLANT_XPOSITION: case DISPID_QUILLANT_YPOSITION: case DISPID_QUILLANT_BARHEIGHT:
            case DISPID_QUILLANT_ELEMENTWIDTH: case DISPID_QUILLANT_ENCODESTRING:
                return true;
            default:
                return false;  // DeviceObject is put by reference
        }
    }

    bool PutArgument(DISPID member, const DISPPARAMS& params, LCID lcid, WORD flags, HRESULT& hr) {
        if (!IsCommonPutByValue(member) && !IsOwnPutByValue(member) && !IsOwnPutByReference(member)) return false;
        if (params.cNamedArgs != 1 || !params.rgdispidNamedArgs || params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
            hr = DISP_E_PARAMNOTFOUND;
            return true;
        }
        if (params.cArgs != 1 || !params.rgvarg) {
            hr = DISP_E_BADPARAMCOUNT;
            return true;
        }
        const VARIANT& argument = params.rgvarg[0];
        int32_t number = 0;
        int16_t small = 0;
        VARIANT_BOOL flag = 0;
        win32::Bstr text;
        switch (member) {
            case DISPID_QUILLANT_ORIENTATION:
                hr = win32::ArgumentToLong(argument, lcid, number);
                if (SUCCEEDED(hr)) hr = put_Orientation(static_cast<::Orientations>(number));
                break;
            case DISPID_QUILLANT_XPOSITION:
            case DISPID_QUILLANT_YPOSITION:
                hr = win32::ArgumentToLong(argument, lcid, number);
                if (SUCCEEDED(hr)) {
                    LONG position = number;
                    hr = member == DISPID_QUILLANT_XPOSITION ? put_XPosition(&position) : put_YPosition(&position);
                }
                break;
            case DISPID_QUILLANT_BARHEIGHT:
            case DISPID_QUILLANT_ELEMENTWIDTH:
                hr = win32::ArgumentToShort(argument, lcid, small);
                if (SUCCEEDED(hr)) hr = member == DISPID_QUILLANT_BARHEIGHT ? put_BarHeight(small) : put_ElementWidth(small);
                break;
            case DISPID_QUILLANT_VISIBLECODE:
            case DISPID_QUILLANT_INDENTEDCODE:
                hr = win32::ArgumentToBoolean(argument, lcid, flag);
                if (SUCCEEDED(hr)) hr = member == DISPID_QUILLANT_VISIBLECODE ? put_VisibleCode(flag) : put_IndentedCode(flag);
                break;
            case DISPID_QUILLANT_ENCODESTRING:
                hr = win32::ArgumentToString(argument, lcid, text);
                if (SUCCEEDED(hr)) hr = put_EncodeString(text.Get());
                break;
            default:
                hr = PutOwnArgument(member, argument, lcid, flags);
                break;
        }
        return true;
    }

    std::atomic<ULONG> references_{1};
};

}  // namespace quillant::component
