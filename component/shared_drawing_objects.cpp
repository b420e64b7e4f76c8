#include "component/shared_drawing_objects.h"

#include <objbase.h>

#include <map>
#include <mutex>
#include <utility>

#include "forms/stand_in_objects.h"
#include "win32/com_ptr.h"
#include "win32/com_server/server_lifetime.h"

namespace quillant::component {
namespace {

// Each single-threaded apartment is one thread; the process has one
// multithreaded apartment (the implicit one included), keyed 0.
DWORD ApartmentKey() {
    APTTYPE type = APTTYPE_CURRENT;
    APTTYPEQUALIFIER qualifier = APTTYPEQUALIFIER_NONE;
    if (SUCCEEDED(CoGetApartmentType(&type, &qualifier)) && (type == APTTYPE_STA || type == APTTYPE_MAINSTA)) {
        return GetCurrentThreadId();
    }
    return 0;
}

// What the server keeps. Its destructor runs when the module unloads, under
// the loader lock: by then DllCanUnloadNow has released everything, and what
// is left (a process ending without asking it) is abandoned rather than
// released there.
struct Kept {
    Kept() = default;
    Kept(const Kept&) = delete;
    Kept& operator=(const Kept&) = delete;
    ~Kept() {
        for (auto& printer : printers) printer.second.Detach();
        scratchForms.Abandon();
    }

    std::mutex mutex;  // guards printers; never held while calling an object
    std::map<DWORD, win32::ComPtr<IDispatch>> printers;
    render::win32::ScratchFormPool scratchForms{&forms::CreatePictureBox};
};

Kept& TheKept() {
    static Kept kept;
    return kept;
}

}  // namespace

render::win32::ScratchFormPool& ScratchForms() { return TheKept().scratchForms; }

HRESULT DefaultPrinter(IDispatch** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    try {
        Kept& kept = TheKept();
        const DWORD apartment = ApartmentKey();
        {
            std::lock_guard<std::mutex> lock(kept.mutex);
            const auto found = kept.printers.find(apartment);
            if (found != kept.printers.end()) {
                *out = win32::ComPtr<IDispatch>(found->second).Detach();
                return S_OK;
            }
        }
        win32::ComPtr<IDispatch> made;
        const HRESULT hr = forms::CreatePrinter(made.Put());
        if (FAILED(hr)) return hr;
        std::lock_guard<std::mutex> lock(kept.mutex);
        // Only this apartment's threads make its printer; in the
        // multithreaded one two may race, and the first one made is kept.
        const auto placed = kept.printers.emplace(apartment, std::move(made)).first;
        *out = win32::ComPtr<IDispatch>(placed->second).Detach();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

bool DrawingObjectsInUse() noexcept {
    Kept& kept = TheKept();
    std::map<DWORD, win32::ComPtr<IDispatch>> released;
    {
        std::lock_guard<std::mutex> lock(kept.mutex);
        for (const auto& printer : kept.printers) {
            if (printer.second.ReferenceCount() > 1) return true;
        }
        const long keptObjects = static_cast<long>(kept.printers.size() + kept.scratchForms.PictureBoxes());
        if (forms::LiveObjectCount() != keptObjects) return true;
        // A barcode object made since the question was asked keeps them.
        if (!win32::com_server::ServerIsIdle()) return true;
        released.swap(kept.printers);
    }
    kept.scratchForms.DropIdle();
    return false;
}

}  // namespace quillant::component
