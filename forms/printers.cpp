#include "forms/printers.h"

#include <string>
#include <utility>
#include <vector>

#include "QuillantForms_h.h"
#include "forms/forms_errors.h"
#include "forms/live_objects.h"
#include "forms/print_device.h"
#include "forms/printer.h"
#include "win32/com_ptr.h"
#include "win32/type_info_dispatch.h"
#include "win32/vb_com_error.h"

namespace quillant::forms {
namespace {

constexpr wchar_t kSource[] = L"QuillantForms.Printers";

std::vector<std::wstring> PrinterNames() {
    std::vector<std::wstring> names;
    for (InstalledPrinter& printer : InstalledPrinters()) names.push_back(std::move(printer.name));
    return names;
}

HRESULT PrinterFor(const std::wstring& name, REFIID iid, void** out) {
    const win32::ComPtr<Printer> printer = win32::ComPtr<Printer>::Attach(new Printer());
    printer->surface().SetDeviceName(name);
    return printer.QueryTo(iid, out);
}

// For Each: the printers installed when the loop began.
class PrinterEnumerator final : public IEnumVARIANT, private LiveObject {
public:
    explicit PrinterEnumerator(std::vector<std::wstring> names, size_t next = 0)
        : names_(std::move(names)), next_(next) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IEnumVARIANT)) return E_NOINTERFACE;
        *out = static_cast<IEnumVARIANT*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseReference(); }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
        if (fetched) *fetched = 0;
        if (count && !items) return E_POINTER;
        ULONG made = 0;
        for (; made < count && next_ < names_.size(); ++made, ++next_) {
            VariantInit(&items[made]);
            IDispatch* printer = nullptr;
            const HRESULT hr = win32::ComBoundary(IID_IEnumVARIANT, kSource, [&] {
                return PrinterFor(names_[next_], IID_IDispatch, reinterpret_cast<void**>(&printer));
            });
            if (FAILED(hr)) {
                for (ULONG i = 0; i < made; ++i) VariantClear(&items[i]);
                return hr;
            }
            V_VT(&items[made]) = VT_DISPATCH;
            V_DISPATCH(&items[made]) = printer;
        }
        if (fetched) *fetched = made;
        return made == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const size_t left = names_.size() - next_;
        next_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
        if (!out) return E_POINTER;
        *out = new (std::nothrow) PrinterEnumerator(names_, next_);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

private:
    std::vector<std::wstring> names_;
    size_t next_;
};

class Printers final : public win32::TypeInfoDispatch<IPrinters>, public ISupportErrorInfo, private LiveObject {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IPrinters)) {
            *out = static_cast<IPrinters*>(this);
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

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        return IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IPrinters) ? S_OK : S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_Count(LONG* value) override {
        if (!value) return E_POINTER;
        return win32::ComBoundary(IID_IPrinters, kSource, [&] {
            *value = static_cast<LONG>(PrinterNames().size());
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_Item(LONG index, IPrinter** value) override {
        if (!value) return E_POINTER;
        *value = nullptr;
        return win32::ComBoundary(IID_IPrinters, kSource, [&] {
            const std::vector<std::wstring> names = PrinterNames();
            if (index < 0 || static_cast<size_t>(index) >= names.size()) {
                throw vb_errors::WithDetail(vb_errors::kSubscriptOutOfRange,
                                            "Printers(" + std::to_string(index) + "): " +
                                                std::to_string(names.size()) + " printers are installed");
            }
            return PrinterFor(names[static_cast<size_t>(index)], IID_IPrinter, reinterpret_cast<void**>(value));
        });
    }
    HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** value) override {
        if (!value) return E_POINTER;
        *value = nullptr;
        return win32::ComBoundary(IID_IPrinters, kSource, [&] {
            *value = static_cast<IEnumVARIANT*>(new PrinterEnumerator(PrinterNames()));
            return S_OK;
        });
    }
};

}  // namespace

HRESULT CreatePrinters(IDispatch** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return win32::ComBoundary(IID_IDispatch, kSource, [&] {
        *out = static_cast<IPrinters*>(new Printers());
        return S_OK;
    });
}

}  // namespace quillant::forms
