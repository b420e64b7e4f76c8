#include "forms/stand_in_objects.h"

#include "QuillantForms_h.h"
#include "forms/live_objects.h"
#include "forms/picture_box.h"
#include "forms/printer.h"

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


void ObjectCreated() { ++liveObjects; }
void ObjectDestroyed() { --liveObjects; }
long LiveObjectCount() { return liveObjects; }

HRESULT CreatePictureBox(IDispatch** out) { return Create<PictureBox>(L"QuillantForms.PictureBox", out); }
HRESULT CreatePrinter(IDispatch** out) { return Create<Printer>(L"QuillantForms.Printer", out); }

}  // namespace quillant::forms
