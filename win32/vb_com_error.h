#pragma once
// Visual Basic errors across the COM boundary, both ways:
// - out: a VbError becomes HRESULT 0x800A0000 | number plus IErrorInfo, so a
//   script's Err.Number and Err.Description read it;
// - in: a failed call on another object becomes a VbError carrying that
//   object's own description.

#include <windows.h>
#include <oleauto.h>

#include <cstdint>

#include "encoding/vb_error.h"

namespace quillant::win32 {

// The HRESULT a Visual Basic host maps back to Err.Number. Numbers that are
// already HRESULTs (errors passed through from other objects) stay as they
// are. An error is never a success: a number that names none (0, or beyond
// Visual Basic's range) is E_FAIL, so a caller never reads an output that
// was not written.
constexpr HRESULT HresultOfVbNumber(int32_t number) {
    if (number > 0 && number <= 0xFFFF) return static_cast<HRESULT>(0x800A0000u | static_cast<uint32_t>(number));
    return number < 0 ? static_cast<HRESULT>(number) : E_FAIL;
}

// Sets the thread's error object and returns the matching HRESULT.
HRESULT ReportError(const VbError& error, REFIID iid, const wchar_t* source) noexcept;

// The body of a COM method: a VbError (or any other exception) never crosses
// the boundary; it becomes an HRESULT with rich error information.
template <class Body>
HRESULT ComBoundary(REFIID iid, const wchar_t* source, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return ReportError(vb_errors::CurrentError(), iid, source);
    }
}

// The thread's error object moved into excep, for an IDispatch::Invoke whose
// member failed with hr after ReportError: DISP_E_EXCEPTION, which is how a
// script host learns the description (it does not read IErrorInfo after a
// failed Invoke).
HRESULT ExceptionOfErrorInfo(HRESULT hr, EXCEPINFO& excep) noexcept;

// An EXCEPINFO that frees its strings.
struct ExcepInfo : EXCEPINFO {
    ExcepInfo() : EXCEPINFO() {}
    ExcepInfo(const ExcepInfo&) = delete;
    ExcepInfo& operator=(const ExcepInfo&) = delete;
    // Most calls succeed and leave the strings null: nothing to hand back then.
    ~ExcepInfo() {
        if (bstrSource) SysFreeString(bstrSource);
        if (bstrDescription) SysFreeString(bstrDescription);
        if (bstrHelpFile) SysFreeString(bstrHelpFile);
    }
};

// What a failed IDispatch::Invoke (or other call) on another object means to
// a Visual Basic caller. excep may be null; callee, when given, is asked for
// IErrorInfo, which is read only when the callee says calls through iid
// set it (a description left by an earlier call is not this call's).
VbError ErrorFromCall(HRESULT hr, EXCEPINFO* excep, IUnknown* callee, REFIID iid = IID_IDispatch) noexcept;

}  // namespace quillant::win32
