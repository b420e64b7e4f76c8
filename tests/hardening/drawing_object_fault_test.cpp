// Drawing objects that lack members, raise, fail or answer nonsense: Encode
// returns the error's text (the object's own where it gives one, Visual
// Basic's for the number where it does not), never raises, and holds no
// reference on the object afterwards.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "win32/bstr.h"
#include "tests/hardening/faulty_target.h"
#include "tests/hardening/hardening_support.h"

namespace quillant::testing {
namespace {

using win32::Bstr;
using win32::ComPtr;

HRESULT RaiseWithText(VARIANT*, EXCEPINFO* excep) {
    excep->scode = static_cast<HRESULT>(0x800A01E2);
    excep->bstrDescription = SysAllocString(L"The pen is dry");
    return DISP_E_EXCEPTION;
}

HRESULT STDAPICALLTYPE FillLater(EXCEPINFO* excep) {
    excep->bstrDescription = SysAllocString(L"Filled in later");
    excep->scode = static_cast<HRESULT>(0x800A01E2);
    return S_OK;
}
HRESULT RaiseDeferred(VARIANT*, EXCEPINFO* excep) {
    excep->pfnDeferredFillIn = FillLater;
    return DISP_E_EXCEPTION;
}

HRESULT RaiseWithoutText(VARIANT*, EXCEPINFO* excep) {
    excep->scode = static_cast<HRESULT>(0x800A01E2);
    return DISP_E_EXCEPTION;
}
HRESULT FailWithVbNumber(VARIANT*, EXCEPINFO*) { return static_cast<HRESULT>(0x800A01E2); }
HRESULT FailTypeMismatch(VARIANT*, EXCEPINFO*) { return DISP_E_TYPEMISMATCH; }
HRESULT FailOutOfMemory(VARIANT*, EXCEPINFO*) { return E_OUTOFMEMORY; }
HRESULT FailUnexpected(VARIANT*, EXCEPINFO*) { return E_UNEXPECTED; }

HRESULT AnswerText(VARIANT* result, EXCEPINFO*) {
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = SysAllocString(L"left");
    return S_OK;
}
HRESULT AnswerHuge(VARIANT* result, EXCEPINFO*) {
    V_VT(result) = VT_R8;
    V_R8(result) = 1e300;
    return S_OK;
}
HRESULT AnswerNaN(VARIANT* result, EXCEPINFO*) {
    V_VT(result) = VT_R8;
    V_R8(result) = std::numeric_limits<double>::quiet_NaN();
    return S_OK;
}
HRESULT AnswerNothing(VARIANT* result, EXCEPINFO*) {
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = nullptr;
    return S_OK;
}
HRESULT AnswerArray(VARIANT* result, EXCEPINFO*) {
    SAFEARRAYBOUND bound{3, 0};
    V_VT(result) = VT_ARRAY | VT_R8;
    V_ARRAY(result) = SafeArrayCreate(VT_R8, 1, &bound);
    return S_OK;
}
HRESULT AnswerNull(VARIANT* result, EXCEPINFO*) {
    V_VT(result) = VT_NULL;
    return S_OK;
}
HRESULT AnswerNothingAtAll(VARIANT*, EXCEPINFO*) { return S_OK; }
HRESULT AnswerSystemColour(VARIANT* result, EXCEPINFO*) {
    V_VT(result) = VT_UI4;
    V_UI4(result) = 0x80000005u;  // the window background
    return S_OK;
}
// A result where none was asked for: the caller must still free it.
HRESULT AnswerUnasked(VARIANT* result, EXCEPINFO*) {
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = SysAllocString(L"nobody asked");
    return S_OK;
}

struct FaultRow {
    const char* what;
    FaultyTarget::Fault fault;
    const wchar_t* expected;
    int orientation = 1;
    // Quillant2's answer where it differs: it gives each box its colour
    // and never reads the pen, but asks ScaleX and ScaleY for the dots.
    const wchar_t* label = nullptr;
};

const wchar_t kNoMember[] = L"Object doesn't support this property or method";

const FaultRow kFaults[] = {
    {"no fault", {}, L"Sucess"},
    {"no Line", {L"Line", DISP_E_UNKNOWNNAME}, kNoMember},
    {"no names at all for Print", {L"Print", E_NOTIMPL}, kNoMember},
    {"no BackColor", {L"BackColor", DISP_E_MEMBERNOTFOUND}, kNoMember},
    {"out of memory looking up CurrentX", {L"CurrentX", E_OUTOFMEMORY}, L"Out of memory"},
    {"Line raises with its own text", {L"Line", S_OK, RaiseWithText}, L"The pen is dry"},
    {"Line raises through a deferred fill-in", {L"Line", S_OK, RaiseDeferred}, L"Filled in later"},
    {"Line raises 482 without text", {L"Line", S_OK, RaiseWithoutText}, L"Printer error"},
    {"Line fails with 482 and no exception", {L"Line", S_OK, FailWithVbNumber}, L"Printer error"},
    {"Print fails with a type mismatch", {L"Print", S_OK, FailTypeMismatch}, L"Type mismatch"},
    {"ForeColor runs out of memory", {L"ForeColor", S_OK, FailOutOfMemory}, L"Out of memory", 1, L"Sucess"},
    {"CurrentX answers text", {L"CurrentX", S_OK, AnswerText}, L"Type mismatch", 1, L"Sucess"},
    {"CurrentX answers 1E300", {L"CurrentX", S_OK, AnswerHuge}, L"Overflow", 1, L"Sucess"},
    {"CurrentY answers NaN", {L"CurrentY", S_OK, AnswerNaN}, L"Overflow", 1, L"Sucess"},
    {"CurrentX answers Nothing", {L"CurrentX", S_OK, AnswerNothing}, L"Type mismatch", 1, L"Sucess"},
    {"CurrentY answers an array", {L"CurrentY", S_OK, AnswerArray}, L"Type mismatch", 1, L"Sucess"},
    {"ScaleX answers text", {L"ScaleX", S_OK, AnswerText}, L"Sucess", 1, L"Type mismatch"},
    {"ScaleY answers 1E300", {L"ScaleY", S_OK, AnswerHuge}, L"Sucess", 1, L"Overflow"},
    {"ScaleX raises with its own text", {L"ScaleX", S_OK, RaiseWithText}, L"Sucess", 1, L"The pen is dry"},
    {"BackColor answers Null", {L"BackColor", S_OK, AnswerNull}, L"Type mismatch"},
    {"BackColor answers a system colour", {L"BackColor", S_OK, AnswerSystemColour}, L"Sucess"},
    {"TextWidth answers text", {L"TextWidth", S_OK, AnswerText}, L"Type mismatch"},
    {"TextHeight answers nothing", {L"TextHeight", S_OK, AnswerNothingAtAll}, L"Sucess"},
    {"Line answers what nobody asked for", {L"Line", S_OK, AnswerUnasked}, L"Sucess"},
    {"a printer without PaintPicture, vertical", {L"PaintPicture", DISP_E_UNKNOWNNAME, nullptr, true}, kNoMember, 2},
    {"a printer whose PaintPicture fails", {L"PaintPicture", S_OK, FailUnexpected, true}, nullptr, 2},
};

// A fault in any call on the host's object comes back as Encode's text from
// either class, and neither keeps the object or changes a property.
template <class Barcode>
void EncodeAnswersWithTheErrorsText(const ComPtr<Barcode>& barcode, const char* name, bool label) {
    ASSERT_TRUE(barcode);
    ASSERT_HRESULT_SUCCEEDED(barcode->put_EncodeString(Bstr(std::wstring_view(L"AB12")).Get()));
    for (const FaultRow& row : kFaults) {
        SCOPED_TRACE(std::string(name) + ": " + row.what);
        FaultyTarget target(row.fault);
        ASSERT_HRESULT_SUCCEEDED(barcode->put_Orientation(static_cast<::Orientations>(row.orientation)));
        ASSERT_HRESULT_SUCCEEDED(barcode->putref_DeviceObject(&target));
        const BarcodeState before = StateOf(barcode.Get());
        const std::wstring result = EncodeText(barcode.Get());
        const wchar_t* expected = label && row.label ? row.label : row.expected;
        if (expected) {
            EXPECT_EQ(result, expected);
        } else {
            // The platform's text for an HRESULT without one of Visual Basic's numbers.
            EXPECT_FALSE(result.empty() || result == L"Sucess") << std::string(result.begin(), result.end());
        }
        EXPECT_EQ(StateOf(barcode.Get()), before) << "Encode changed a property";
        EXPECT_EQ(target.references(), 2u) << "one reference, the DeviceObject's";
        ASSERT_HRESULT_SUCCEEDED(barcode->putref_DeviceObject(nullptr));
        EXPECT_EQ(target.references(), 1u);
    }
}

TEST(DrawingObjectFault, EncodeAnswersWithTheErrorsTextAndLetsTheObjectGo) {
    EncodeAnswersWithTheErrorsText(NewBarcode(), "Quillant1", false);
    EncodeAnswersWithTheErrorsText(NewLabelBarcode(), "Quillant2", true);
}

// Quillant2 keeps the DISPIDs its DeviceObject answered for as long as it
// holds that object, and only so long: another object set in its place has
// other DISPIDs, and the first one set again is asked afresh.
TEST(DrawingObjectFault, Quillant2AsksTheObjectItHoldsForEachNameOnce) {
    const ComPtr<_Quillant2> barcode = NewLabelBarcode();
    ASSERT_TRUE(barcode);
    ASSERT_HRESULT_SUCCEEDED(barcode->put_EncodeString(Bstr(std::wstring_view(L"AB12")).Get()));
    ASSERT_HRESULT_SUCCEEDED(barcode->put_VisibleCode(VARIANT_TRUE));
    FaultyTarget target({});
    ASSERT_HRESULT_SUCCEEDED(barcode->putref_DeviceObject(&target));
    EXPECT_EQ(EncodeText(barcode.Get()), L"Sucess");
    const size_t asked = target.lookups();
    EXPECT_GT(asked, 0u);
    short width = 0;
    EXPECT_HRESULT_SUCCEEDED(barcode->GetBarWidth(&width));
    EXPECT_EQ(EncodeText(barcode.Get()), L"Sucess");
    EXPECT_EQ(target.lookups(), asked) << "names asked for again of the same object";

    const ComPtr<IPictureBox> box = NewPictureBox();
    ASSERT_TRUE(box);
    const Pixels blank = PixelsOf(box.Get());
    ASSERT_HRESULT_SUCCEEDED(barcode->putref_DeviceObject(box.Get()));
    EXPECT_EQ(EncodeText(barcode.Get()), L"Sucess");
    EXPECT_FALSE(PixelsOf(box.Get()) == blank) << "nothing drawn on the second object";

    ASSERT_HRESULT_SUCCEEDED(barcode->putref_DeviceObject(&target));
    EXPECT_EQ(EncodeText(barcode.Get()), L"Sucess");
    EXPECT_EQ(target.lookups(), 2 * asked);
    ASSERT_HRESULT_SUCCEEDED(barcode->putref_DeviceObject(nullptr));
    EXPECT_EQ(target.references(), 1u);
}

}  // namespace
}  // namespace quillant::testing
