#include "win32/vb_com_error.h"

#include <string>

#include "win32/bstr.h"
#include "win32/com_ptr.h"
#include "win32/local_memory.h"

namespace quillant::win32 {
namespace {

std::string Narrow(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

// Visual Basic's own numbers for the dispatch failures a late-bound call meets.
int32_t VbNumberOf(HRESULT hr) {
    switch (hr) {
        case DISP_E_UNKNOWNNAME:
        case DISP_E_MEMBERNOTFOUND:
            return 438;
        case DISP_E_TYPEMISMATCH:
            return vb_errors::kTypeMismatch;
        case DISP_E_OVERFLOW:
            return vb_errors::kOverflow;
        case DISP_E_BADPARAMCOUNT:
        case DISP_E_PARAMNOTOPTIONAL:
            return 450;
        case E_OUTOFMEMORY:
            return 7;
        default:
            break;
    }
    if (HRESULT_FACILITY(hr) == FACILITY_CONTROL) return HRESULT_CODE(hr);
    return static_cast<int32_t>(hr);
}

// Visual Basic's own texts for the numbers a drawing object raises, for an
// error that arrives with a number and no description (Wine's VBScript
// objects raise theirs that way).
struct VbText {
    int32_t number;
    const char* text;
};
constexpr VbText kVbTexts[] = {
    {5, "Invalid procedure call or argument"},
    {vb_errors::kOverflow, "Overflow"},
    {7, "Out of memory"},
    {9, "Subscript out of range"},
    {11, "Division by zero"},
    {vb_errors::kTypeMismatch, "Type mismatch"},
    {53, "File not found"},
    {61, "Disk full"},
    {75, "Path/File access error"},
    {91, "Object variable or With block variable not set"},
    {380, "Invalid property value"},
    {424, "Object required"},
    {438, "Object doesn't support this property or method"},
    {450, "Wrong number of arguments or invalid property assignment"},
    {480, "Can't create AutoRedraw image"},
    {481, "Invalid picture"},
    {482, "Printer error"},
};

const char* VbTextOf(int32_t number) {
    for (const VbText& row : kVbTexts) {
        if (row.number == number) return row.text;
    }
    return nullptr;
}

std::string SystemText(HRESULT hr) {
    LocalMemory<wchar_t> buffer;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(buffer.Put()), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer.Get(), length) : std::wstring();
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return Narrow(text);
}

}  // namespace

HRESULT ReportError(const VbError& error, REFIID iid, const wchar_t* source) noexcept {
    const HRESULT hr = HresultOfVbNumber(error.number());
    ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(create.Put()))) {
        try {
            const std::wstring description = Widen(error.description());
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

VbError ErrorFromCall(HRESULT hr, EXCEPINFO* excep, IUnknown* callee) noexcept {
    try {
        std::string description;
        int32_t number = 0;
        if (hr == DISP_E_EXCEPTION && excep) {
            if (excep->pfnDeferredFillIn) excep->pfnDeferredFillIn(excep);
            const HRESULT scode = excep->scode ? excep->scode : HresultOfVbNumber(excep->wCode);
            number = VbNumberOf(scode);
            description = Narrow(Bstr::ViewOf(excep->bstrDescription));
        } else {
            number = VbNumberOf(hr);
            ComPtr<ISupportErrorInfo> support;
            ComPtr<IErrorInfo> info;
            if (callee && SUCCEEDED(callee->QueryInterface(IID_ISupportErrorInfo, support.PutVoid())) &&
                GetErrorInfo(0, info.Put()) == S_OK) {
                Bstr text;
                if (SUCCEEDED(info->GetDescription(text.Put()))) description = Narrow(text.View());
            }
        }
        if (description.empty()) {
            if (const char* vbText = VbTextOf(number)) description = vbText;
        }
        if (description.empty()) description = SystemText(hr == DISP_E_EXCEPTION && excep ? excep->scode : hr);
        if (description.empty()) description = "Automation error";
        return VbError(number, description);
    } catch (...) {
        return VbError(7, "Out of memory");
    }
}

}  // namespace quillant::win32
