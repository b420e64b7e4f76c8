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

// A raise that names its error by wCode alone, or by nothing at all, is still
// a failure with a text of its own, never "The operation completed successfully."
TEST(VbComError, ExceptionWithoutScodeStaysAFailure) {
    ExcepInfo byWCode;
    byWCode.wCode = 1000;
    const VbError raised = ErrorFromCall(DISP_E_EXCEPTION, &byWCode, nullptr);
    EXPECT_EQ(raised.number(), 1000);
    EXPECT_EQ(raised.description().find("successfully"), std::string::npos) << raised.description();

    ExcepInfo empty;
    const VbError nameless = ErrorFromCall(DISP_E_EXCEPTION, &empty, nullptr);
    EXPECT_TRUE(FAILED(HresultOfVbNumber(nameless.number()))) << nameless.number();
    EXPECT_EQ(nameless.description().find("successfully"), std::string::npos) << nameless.description();
    EXPECT_TRUE(FAILED(ReportError(VbError(0, "x"), IID_IDispatch, L"t")));
}

// An object that sets no error information for the interface called: a
// description an earlier call left on the thread is not this call's.
class NoErrorInfo final : public ISupportErrorInfo {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = iid == IID_IUnknown || iid == IID_ISupportErrorInfo ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID) override { return S_FALSE; }
};

TEST(VbComError, StaleErrorInfoIsNotTheCallees) {
    ReportError(VbError(5, "left over from an earlier call"), IID_IDispatch, L"t");
    NoErrorInfo callee;
    EXPECT_NE(ErrorFromCall(E_ACCESSDENIED, nullptr, &callee).description(), "left over from an earlier call");
}

}  // namespace
}  // namespace quillant::win32
