#include "component/shared_drawing_objects.h"

#include <mutex>

#include "win32/com_ptr.h"
#include "forms/stand_in_objects.h"

namespace quillant::component {
namespace {

std::mutex printerMutex;
// Kept until the module unloads; a failed creation is tried again next time.
win32::ComPtr<IDispatch> sharedPrinter;

}  // namespace

render::win32::SharedScratchForm& ScratchForm() {
    // Lives as long as the library; the picture box is our own object, so
    // releasing it when the library unloads calls nothing outside it.
    static render::win32::SharedScratchForm form(&forms::CreatePictureBox);
    return form;
}

HRESULT DefaultPrinter(IDispatch** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    std::lock_guard<std::mutex> lock(printerMutex);
    if (!sharedPrinter) {
        const HRESULT hr = forms::CreatePrinter(sharedPrinter.Put());
        if (FAILED(hr)) return hr;
    }
    *out = win32::ComPtr<IDispatch>(sharedPrinter).Detach();
    return S_OK;
}

bool DrawingObjectsInUse() noexcept {
    std::lock_guard<std::mutex> lock(printerMutex);
    // The shared printer and the scratch form's picture box stay for the life
    // of the library; only objects beyond them keep it loaded.
    const long kept = (sharedPrinter ? 1 : 0) + (ScratchForm().Loaded() ? 1 : 0);
    return forms::LiveObjectCount() != kept || (sharedPrinter && sharedPrinter.ReferenceCount() > 1);
}

}  // namespace quillant::component
