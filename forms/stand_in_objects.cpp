#include "stand_in_objects.h"

#include "QuillantForms_h.h"
#include "forms_type_info.h"
#include "picture_box.h"
#include "printer.h"

namespace quillant::forms {
namespace {

std::atomic<long> liveObjects{0};

template <class Object>
HRESULT Create(const wchar_t* source, IDispatch** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return win32::ComBoundary(IID_IDispatch, source, [&]() -> HRESULT {
        const win32::ComPtr<Object> object = win32::ComPtr<Object>::Attach(new Object());
        return object.QueryTo(IID_IDispatch, reinterpret_cast<void**>(out));
    });
}

}  // namespace

const IID IID_VbPrinter = {0x33AD4F31, 0x6699, 0x11CF, {0xB7, 0x0C, 0x00, 0xAA, 0x00, 0x60, 0xD3, 0x93}};

HRESULT FormsTypeInfo(REFIID iid, ITypeInfo** out) { return win32::ModuleTypeInfoOfLibrary(LIBID_QuillantForms, iid, out); }

void ObjectCreated() { ++liveObjects; }
void ObjectDestroyed() { --liveObjects; }
long LiveObjectCount() { return liveObjects; }

HRESULT CreatePictureBox(IDispatch** out) { return Create<PictureBox>(L"QuillantForms.PictureBox", out); }
HRESULT CreatePrinter(IDispatch** out) { return Create<Printer>(L"QuillantForms.Printer", out); }

}  // namespace quillant::forms
