#include "win32/vb_com_error.h"

#include <iterator>
#include <string>

#include "win32/bstr.h"
#include "win32/com_ptr.h"
#include "win32/text_conversion.h"
#include "win32/local_memory.h"

namespace quillant::win32 {
namespace {

// Visual Basic's own numbers for the dispatch failures a late-bound call meets.
int32_t VbNumberOf(HRESULT hr) {
    switch (hr) {
        case DISP_E_UNKNOWNNAME:
        case DISP_E_MEMBERNOTFOUND:
            return vb_errors::kNoSuchMember;
        case DISP_E_TYPEMISMATCH:
            return vb_errors::kTypeMismatch;
        case DISP_E_OVERFLOW:
            return vb_errors::kOverflow;
        case DISP_E_BADPARAMCOUNT:
        case DISP_E_PARAMNOTOPTIONAL:
            return vb_errors::kWrongArguments;
        case E_OUTOFMEMORY:
            return vb_errors::kOutOfMemory;
        default:
            break;
    }
    if (HRESULT_FACILITY(hr) == FACILITY_CONTROL && HRESULT_CODE(hr) != 0) return HRESULT_CODE(hr);
    return static_cast<int32_t>(hr);
}


std::string SystemText(HRESULT hr) {
    LocalMemory<wchar_t> buffer;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(buffer.Put()), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer.Get(), length) : std::wstring();
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return Utf8FromWide(text);
}

}  // namespace

HRESULT ReportError(const VbError& error, REFIID iid, const wchar_t* source) noexcept {
    const HRESULT hr = HresultOfVbNumber(error.number());
    ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(create.Put()))) {
        try {
            const std::wstring description = WideFromUtf8(error.description());
            create->SetGUID(iid);
            create->SetSource(const_cast<wchar_t*>(source));
            create->SetDescription(const_cast<wchar_t*>(description.c_str()));
        } catch (...) {
            // The HRESULT alone still tells the caller what failed.
        }
        ComPtr<IErrorInfo> info;
        if (SUCCEEDED(create.As(info))) SetErrorInfo(0, info.Get());
    }
    return hr;
}

HRESULT ExceptionOfErrorInfo(HRESULT hr, EXCEPINFO& excep) noexcept {
    excep = EXCEPINFO();
    excep.scode = hr;
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Put()) == S_OK && info) {
        info->GetSource(&excep.bstrSource);
        info->GetDescription(&excep.bstrDescription);
        info->GetHelpFile(&excep.bstrHelpFile);
        info->GetHelpContext(&excep.dwHelpContext);
    }
    return DISP_E_EXCEPTION;
}

VbError ErrorFromCall(HRESULT hr, EXCEPINFO* excep, IUnknown* callee, REFIID iid) noexcept {
    try {
        std::string description;
        // The failure the number and the system's text come from: an
        // exception raised with neither scode nor wCode is still a failure.
        HRESULT failure = hr;
        if (hr == DISP_E_EXCEPTION && excep) {
            if (excep->pfnDeferredFillIn) excep->pfnDeferredFillIn(excep);
            if (excep->scode) {
                failure = excep->scode;
            } else if (excep->wCode) {
                failure = HresultOfVbNumber(excep->wCode);
            }
            description = Utf8FromWide(Bstr::ViewOf(excep->bstrDescription));
        } else {
            ComPtr<ISupportErrorInfo> support;
            ComPtr<IErrorInfo> info;
            if (callee && SUCCEEDED(callee->QueryInterface(IID_ISupportErrorInfo, support.PutVoid())) &&
                support->InterfaceSupportsErrorInfo(iid) == S_OK && GetErrorInfo(0, info.Put()) == S_OK && info) {
                Bstr text;
                if (SUCCEEDED(info->GetDescription(text.Put()))) description = Utf8FromWide(text.View());
            }
        }
        const int32_t number = VbNumberOf(failure);
        if (description.empty()) {
            // Wine's VBScript objects raise with a number and no description.
            if (const char* vbText = vb_errors::TextOf(number)) description = vbText;
        }
        if (description.empty()) description = SystemText(failure);
        if (description.empty()) description = "Automation error";
        return VbError(number, description);
    } catch (...) {
        return VbError(vb_errors::kOutOfMemory, vb_errors::TextOf(vb_errors::kOutOfMemory));
    }
}

}  // namespace quillant::win32
