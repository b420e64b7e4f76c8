// A C++ host of Quillant.dll: creates Quillant.Quillant1 and a stand-in
// picture box with CoCreateInstance and calls both through IDispatch by member
// name, the way Visual Basic calls late-bound objects. Saves one barcode as
// a PNG file.
//
//   print_barcode.exe [picture.png] [text]
//
// Needs Quillant.dll and QuillantForms.dll registered (regsvr32). ComPtr, Bstr,
// Variant and ExcepInfo are this project's small ownership types (win32/);
// ATL's CComPtr, CComBSTR and CComVariant or WIL's equivalents do the same.
// Prints "PASS ..." when the picture is written; "FAIL ..." and exit status 1
// otherwise.

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "win32/bstr.h"
#include "win32/com_ptr.h"
#include "win32/variant.h"
#include "win32/vb_com_error.h"

namespace {

using quillant::win32::Bstr;
using quillant::win32::ComPtr;
using quillant::win32::ExcepInfo;
using quillant::win32::Variant;

// What went wrong, with the callee's own description when it gave one.
struct Failure {
    std::wstring what;
    HRESULT hr;
    std::wstring description;
};

// COM for this thread, for as long as the object lives.
class Apartment {
public:
    Apartment() {
        const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (FAILED(hr)) throw Failure{L"CoInitializeEx", hr, {}};
    }
    ~Apartment() { CoUninitialize(); }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;
};

Variant Number(double value) {
    Variant v;
    V_VT(v.Get()) = VT_R8;
    V_R8(v.Get()) = value;
    return v;
}

Variant Text(std::wstring_view value) {
    Variant v;
    V_VT(v.Get()) = VT_BSTR;
    V_BSTR(v.Get()) = Bstr(value).Detach();
    return v;
}

// An automation object called by member name.
class LateBound {
public:
    // By ProgID, as CreateObject does.
    static LateBound Create(const wchar_t* progId) {
        CLSID clsid;
        HRESULT hr = CLSIDFromProgID(progId, &clsid);
        if (FAILED(hr)) throw Failure{std::wstring(progId) + L" is not registered", hr, {}};
        ComPtr<IDispatch> object;
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.PutVoid());
        if (FAILED(hr)) throw Failure{std::wstring(L"creating ") + progId, hr, {}};
        return LateBound(std::move(object));
    }

    IDispatch* Object() const { return object_.Get(); }

    Variant Get(const wchar_t* name) { return Invoke(name, DISPATCH_PROPERTYGET, {}); }

    void Put(const wchar_t* name, Variant value) {
        DISPID named = DISPID_PROPERTYPUT;
        Invoke(name, DISPATCH_PROPERTYPUT, {value.Get()}, &named);
    }

    // Object properties such as DeviceObject are assigned by reference (Set).
    void PutRef(const wchar_t* name, IDispatch* object) {
        Variant value;
        V_VT(value.Get()) = VT_DISPATCH;
        V_DISPATCH(value.Get()) = ComPtr<IDispatch>(object).Detach();
        DISPID named = DISPID_PROPERTYPUT;
        Invoke(name, DISPATCH_PROPERTYPUTREF, {value.Get()}, &named);
    }

    Variant Call(const wchar_t* name, std::initializer_list<VARIANT*> args = {}) {
        return Invoke(name, DISPATCH_METHOD, args);
    }

private:
    explicit LateBound(ComPtr<IDispatch> object) : object_(std::move(object)) {}

    Variant Invoke(const wchar_t* name, WORD flags, std::initializer_list<VARIANT*> args,
                   DISPID* named = nullptr) {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(hr)) throw Failure{name, hr, L"no such member"};

        // IDispatch takes the arguments last to first.
        std::vector<VARIANT> reversed;
        for (auto it = args.end(); it != args.begin();) reversed.push_back(**--it);
        DISPPARAMS params{reversed.data(), named, static_cast<UINT>(reversed.size()), named ? 1u : 0u};

        Variant result;
        ExcepInfo excep;
        hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.Put(), &excep, nullptr);
        if (FAILED(hr)) {
            // A Visual Basic error arrives as 0x800A0000 | number with its text.
            const HRESULT code = hr == DISP_E_EXCEPTION && excep.scode ? excep.scode : hr;
            throw Failure{name, code, std::wstring(Bstr::ViewOf(excep.bstrDescription))};
        }
        return result;
    }

    ComPtr<IDispatch> object_;
};

std::wstring Draw(const std::wstring& pictureFile, const std::wstring& text) {
    LateBound barcode = LateBound::Create(L"Quillant.Quillant1");
    LateBound box = LateBound::Create(L"QuillantForms.PictureBox");

    // The picture box's units are twips, 15 to a pixel: 45 makes 3-pixel
    // modules, with ten modules of white on either side.
    barcode.Put(L"EncodeString", Text(text));
    barcode.Put(L"ElementWidth", Number(45));
    barcode.Put(L"BarHeight", Number(1500));
    barcode.Put(L"XPosition", Number(450));
    barcode.Put(L"YPosition", Number(300));

    // GetBarWidth raises error 5 for a character Code 128 cannot carry and 6
    // when the width leaves 16 bits; the Failure names it.
    Variant width = barcode.Call(L"GetBarWidth");
    if (FAILED(width.ChangeType(VT_I4))) throw Failure{L"GetBarWidth", DISP_E_TYPEMISMATCH, {}};
    box.Put(L"Width", Number(V_I4(width.Get()) + 900));
    box.Put(L"Height", Number(2400));

    barcode.PutRef(L"DeviceObject", box.Object());
    // Encode raises nothing: it returns "Sucess" (sic) or the error's text.
    Variant result = barcode.Call(L"Encode");
    const std::wstring_view answer =
        V_VT(result.Get()) == VT_BSTR ? Bstr::ViewOf(V_BSTR(result.Get())) : std::wstring_view();
    if (answer != L"Sucess") throw Failure{L"Encode", S_OK, std::wstring(answer)};

    Variant path = Text(pictureFile);
    box.Call(L"SavePicture", {path.Get()});
    return std::to_wstring(V_I4(width.Get()));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring pictureFile = argc > 1 ? argv[1] : L"print_barcode.png";
    const std::wstring text = argc > 2 ? argv[2] : L"Quillant from C++";
    try {
        Apartment apartment;
        const std::wstring width = Draw(pictureFile, text);
        std::wprintf(L"PASS %ls: \"%ls\", %ls twips wide\n", pictureFile.c_str(), text.c_str(), width.c_str());
        return 0;
    } catch (const Failure& failure) {
        std::wprintf(L"FAIL %ls: 0x%08lX %ls\n", failure.what.c_str(), static_cast<unsigned long>(failure.hr),
                     failure.description.c_str());
        return 1;
    }
}
