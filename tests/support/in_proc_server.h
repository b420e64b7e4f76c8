#pragma once
// An in-process COM server loaded from the folder of the program that uses it
// (the build puts tests, benchmarks and servers together in bin/), asked for
// objects through its exports as COM would, without registration.

#include <windows.h>
#include <objbase.h>

#include <string>

#include "win32/com_ptr.h"

namespace quillant::testing {

// The full path of a file in the folder of the running program.
inline std::wstring BesideProgram(const wchar_t* fileName) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring program(path, length);
    return program.substr(0, program.find_last_of(L'\\') + 1) + fileName;
}

class InProcServer {
public:
    explicit InProcServer(const wchar_t* fileName) : InProcServer(BesideProgram(fileName)) {}
    explicit InProcServer(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {
        if (!module_) return;
        getClassObject_ = reinterpret_cast<GetClassObjectFn>(
            reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
        canUnloadNow_ =
            reinterpret_cast<CanUnloadNowFn>(reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
    }
    InProcServer(const InProcServer&) = delete;
    InProcServer& operator=(const InProcServer&) = delete;
    ~InProcServer() {
        if (module_) FreeLibrary(module_);
    }

    bool Loaded() const { return getClassObject_ && canUnloadNow_; }
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out) const {
        return getClassObject_ ? getClassObject_(clsid, iid, out) : E_UNEXPECTED;
    }
    HRESULT CanUnloadNow() const { return canUnloadNow_ ? canUnloadNow_() : E_UNEXPECTED; }

    template <class T>
    HRESULT Create(REFCLSID clsid, win32::ComPtr<T>& out) const {
        win32::ComPtr<IClassFactory> factory;
        const HRESULT hr = GetClassObject(clsid, IID_IClassFactory, factory.PutVoid());
        if (FAILED(hr)) return hr;
        return factory->CreateInstance(nullptr, __uuidof(T), out.PutVoid());
    }

private:
    using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

    HMODULE module_ = nullptr;
    GetClassObjectFn getClassObject_ = nullptr;
    CanUnloadNowFn canUnloadNow_ = nullptr;
};

}  // namespace quillant::testing
