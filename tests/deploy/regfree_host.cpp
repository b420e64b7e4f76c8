// A host that uses Quillant without registration: its application manifest
// (regfree_host.exe.manifest) depends on the side-by-side assembly of both
// DLLs, so COM finds the classes in the activation context Windows builds
// from the manifests, not in the registry.
//
//   regfree_host.exe PICTURE_PREFIX
//
// Creates Quillant.Quillant1 by ProgID and by CLSID, and for each a stand-in
// picture box the same way, draws "Reg-free by ProgID" and "Reg-free by
// CLSID" and saves PICTURE_PREFIX-progid.png and PICTURE_PREFIX-clsid.png.
// Prints PASS, or FAIL with the step that failed.

#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>

#include "Quillant_h.h"
#include "QuillantForms_h.h"
#include "tests/support/late_bound.h"
#include "win32/com_ptr.h"

namespace {

using quillant::testing::LateBound;
using quillant::win32::ComPtr;

struct Failure {
    std::wstring step;
    HRESULT hr;
};

class Apartment {
public:
    Apartment() { hr_ = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~Apartment() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;
    HRESULT Result() const { return hr_; }

private:
    HRESULT hr_;
};

LateBound CreateByClsid(REFCLSID clsid, const std::wstring& what) {
    ComPtr<IDispatch> object;
    const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.PutVoid());
    if (FAILED(hr)) throw Failure{L"creating " + what, hr};
    return LateBound(std::move(object));
}

LateBound CreateByProgId(const wchar_t* progId) {
    CLSID clsid;
    const HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (FAILED(hr)) throw Failure{std::wstring(L"finding ") + progId, hr};
    return CreateByClsid(clsid, progId);
}

// The step a failure happened in, for the message.
std::wstring step;

void Draw(const LateBound& barcode, const LateBound& box, const std::wstring& text, const std::wstring& picture) {
    step = L"EncodeString";
    barcode.Put(L"EncodeString", text);
    step = L"ElementWidth";
    barcode.Put(L"ElementWidth", 45);
    barcode.Put(L"BarHeight", 1500);
    barcode.Put(L"XPosition", 450);
    barcode.Put(L"YPosition", 300);
    step = L"GetBarWidth and the picture box's Width";
    box.Put(L"Width", barcode.CallNumber(L"GetBarWidth", {}) + 900);
    box.Put(L"Height", 2400);
    step = L"DeviceObject";
    barcode.Invoke(L"DeviceObject", DISPATCH_PROPERTYPUTREF, {box.Object()});
    step = L"Encode";
    quillant::win32::Variant result = barcode.Call(L"Encode");
    if (FAILED(result.ChangeType(VT_BSTR))) throw Failure{L"Encode returned no text", E_UNEXPECTED};
    const std::wstring answer(quillant::win32::Bstr::ViewOf(V_BSTR(result.Get())));
    if (answer != L"Sucess") throw Failure{L"Encode: " + answer, S_OK};
    step = L"SavePicture";
    box.Call(L"SavePicture", {picture});
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: regfree_host PICTURE_PREFIX\n");
        return 64;
    }
    const std::wstring prefix = argv[1];
    Apartment apartment;
    try {
        if (FAILED(apartment.Result())) throw Failure{L"CoInitializeEx", apartment.Result()};
        Draw(CreateByProgId(L"Quillant.Quillant1"), CreateByProgId(L"QuillantForms.PictureBox"),
             L"Reg-free by ProgID", prefix + L"-progid.png");
        Draw(CreateByClsid(CLSID_Quillant1, L"CLSID_Quillant1"), CreateByClsid(CLSID_PictureBox, L"CLSID_PictureBox"),
             L"Reg-free by CLSID", prefix + L"-clsid.png");
    } catch (const Failure& failure) {
        std::wprintf(L"FAIL %ls: 0x%08lx\n", failure.step.c_str(), static_cast<unsigned long>(failure.hr));
        return 1;
    } catch (const quillant::VbError& error) {
        std::wprintf(L"FAIL %ls: error %ld\n", step.c_str(), static_cast<long>(error.number()));
        return 1;
    }
    std::wprintf(L"PASS created by ProgID and by CLSID without registration\n");
    return 0;
}
