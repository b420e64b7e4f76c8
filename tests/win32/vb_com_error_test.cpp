#include "win32/vb_com_error.h"

#include <gtest/gtest.h>

#include "win32/bstr.h"
#include "win32/com_ptr.h"

namespace quillant::win32 {
namespace {

TEST(VbComError, ReportedErrorReadsBackAsScriptsSeeIt) {
    EXPECT_EQ(HresultOfVbNumber(6), static_cast<HRESULT>(0x800A0006));
    EXPECT_EQ(HresultOfVbNumber(91), static_cast<HRESULT>(0x800A005B));
    EXPECT_EQ(HresultOfVbNumber(static_cast<int32_t>(E_FAIL)), E_FAIL);

    const HRESULT hr = ReportError(vb_errors::Overflow(), IID_IDispatch, L"Quillant.Test");
    EXPECT_EQ(hr, static_cast<HRESULT>(0x800A0006));
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.Put()), S_OK);
    Bstr description, source;
    ASSERT_HRESULT_SUCCEEDED(info->GetDescription(description.Put()));
    ASSERT_HRESULT_SUCCEEDED(info->GetSource(source.Put()));
    EXPECT_EQ(description.View(), L"Overflow");
    EXPECT_EQ(source.View(), L"Quillant.Test");
}

TEST(VbComError, BoundaryTurnsEveryExceptionIntoAnHresult) {
    EXPECT_EQ(ComBoundary(IID_IDispatch, L"t", []() -> HRESULT { throw vb_errors::InvalidCall(); }),
              static_cast<HRESULT>(0x800A0005));
    EXPECT_EQ(ComBoundary(IID_IDispatch, L"t", []() -> HRESULT { throw std::bad_alloc(); }),
              static_cast<HRESULT>(0x800A0007));
    EXPECT_EQ(ComBoundary(IID_IDispatch, L"t", []() -> HRESULT { throw 42; }), static_cast<HRESULT>(0x800A0033));
    EXPECT_EQ(ComBoundary(IID_IDispatch, L"t", []() -> HRESULT { return S_FALSE; }), S_FALSE);
}

TEST(VbComError, FailedCallsKeepTheCalleesNumberAndText) {
    ExcepInfo excep;
    excep.scode = static_cast<HRESULT>(0x800A01E0);
    excep.bstrDescription = Bstr(std::wstring_view(L"Printer error")).Detach();
    VbError fromExcep = ErrorFromCall(DISP_E_EXCEPTION, &excep, nullptr);
    EXPECT_EQ(fromExcep.number(), 480);
    EXPECT_EQ(fromExcep.description(), "Printer error");

    EXPECT_EQ(ErrorFromCall(DISP_E_UNKNOWNNAME, nullptr, nullptr).number(), 438);
    EXPECT_EQ(ErrorFromCall(DISP_E_MEMBERNOTFOUND, nullptr, nullptr).description(),
              "Object doesn't support this property or method");
    EXPECT_EQ(ErrorFromCall(DISP_E_TYPEMISMATCH, nullptr, nullptr).number(), 13);
    const VbError other = ErrorFromCall(E_ACCESSDENIED, nullptr, nullptr);
    EXPECT_EQ(other.number(), static_cast<int32_t>(E_ACCESSDENIED));
    EXPECT_FALSE(other.description().empty());
}

}  // namespace
}  // namespace quillant::win32
