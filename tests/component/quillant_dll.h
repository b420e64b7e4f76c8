#pragma once
// Quillant.dll as the tests load it: from the folder of the test program
// (the build puts both in bin/), through its exports, without registration.

#include <windows.h>
#include <objbase.h>

#include <string>

#include "Quillant_h.h"
#include "win32/com_ptr.h"

namespace quillant::testing {

std::wstring ExeFolder();
std::wstring QuillantDllPath();

class QuillantDll {
public:
    QuillantDll();
    QuillantDll(const QuillantDll&) = delete;
    QuillantDll& operator=(const QuillantDll&) = delete;
    ~QuillantDll();

    bool Loaded() const { return module_ != nullptr; }
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out) const;
    HRESULT CanUnloadNow() const;
    template <class T>
    HRESULT Create(win32::ComPtr<T>& out) const;

private:
    using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

    HMODULE module_ = nullptr;
    GetClassObjectFn getClassObject_ = nullptr;
    CanUnloadNowFn canUnloadNow_ = nullptr;
};

template <class T>
HRESULT QuillantDll::Create(win32::ComPtr<T>& out) const {
    win32::ComPtr<IClassFactory> factory;
    const HRESULT hr = GetClassObject(CLSID_Quillant1, IID_IClassFactory, factory.PutVoid());
    if (FAILED(hr)) return hr;
    return factory->CreateInstance(nullptr, __uuidof(T), out.PutVoid());
}

}  // namespace quillant::testing
