#include "tests/component/quillant_dll.h"

namespace quillant::testing {

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring QuillantDllPath() { return ExeFolder() + L"\\Quillant.dll"; }

QuillantDll::QuillantDll() : module_(LoadLibraryW(QuillantDllPath().c_str())) {
    if (!module_) return;
    getClassObject_ = reinterpret_cast<GetClassObjectFn>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    canUnloadNow_ = reinterpret_cast<CanUnloadNowFn>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
}

QuillantDll::~QuillantDll() {
    if (module_) FreeLibrary(module_);
}

HRESULT QuillantDll::GetClassObject(REFCLSID clsid, REFIID iid, void** out) const {
    if (!getClassObject_) return E_UNEXPECTED;
    return getClassObject_(clsid, iid, out);
}

HRESULT QuillantDll::CanUnloadNow() const {
    if (!canUnloadNow_) return E_UNEXPECTED;
    return canUnloadNow_();
}

}  // namespace quillant::testing
