// Calls whose shape is wrong (missing or extra arguments, null pointers in
// DISPPARAMS, unknown members and interfaces) on Quillant1 and on the
// stand-in picture box: an automation error, never a crash, and the object
// as it was. And the stand-ins' short way for the members drawn with per
// module answers exactly as their type library does.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32/bstr.h"
#include "win32/type_descriptions.h"
#include "tests/hardening/hardening_support.h"
#include "win32/vb_com_error.h"

namespace quillant::testing {
namespace {

using win32::Bstr;
using win32::ComPtr;
using win32::ExcepInfo;
using win32::Variant;

VARIANT Long(LONG value) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

// A call as the rows describe it: arguments in the order the member declares
// them (reversed into DISPPARAMS here), then deliberate damage to the shape.
struct Shape {
    std::vector<VARIANT> args;
    bool namedPut = false;
    bool nullParams = false;
    bool nullArgs = false;        // cArgs as given, rgvarg null
    bool nullNames = false;       // cNamedArgs as given, rgdispidNamedArgs null
    UINT extraNamed = 0;          // more named arguments than arguments
};

HRESULT Call(IDispatch* object, DISPID member, REFIID iid, WORD flags, const Shape& shape) {
    std::vector<VARIANT> reversed(shape.args.rbegin(), shape.args.rend());
    std::vector<DISPID> named;
    if (shape.namedPut) named.push_back(DISPID_PROPERTYPUT);
    for (UINT i = 0; i < shape.extraNamed; ++i) named.push_back(static_cast<DISPID>(i));
    DISPPARAMS params{shape.nullArgs ? nullptr : reversed.data(), shape.nullNames ? nullptr : named.data(),
                      static_cast<UINT>(reversed.size()), static_cast<UINT>(named.size())};
    if (shape.nullArgs && params.cArgs == 0) params.cArgs = 1;
    if (shape.nullNames && params.cNamedArgs == 0) params.cNamedArgs = 1;
    Variant result;
    ExcepInfo excep;
    UINT argError = 0;
    return object->Invoke(member, iid, LOCALE_USER_DEFAULT, flags, shape.nullParams ? nullptr : &params, result.Put(),
                          &excep, &argError);
}

struct ShapeRow {
    const char* what;
    DISPID member;
    WORD flags;
    Shape shape;
    HRESULT expected;
    bool otherInterface = false;
};

TEST(DispatchShape, QuillantRefusesMisshapenCallsAndKeepsItsState) {
    const ComPtr<_Quillant1> barcode = NewBarcode();
    ComPtr<IDispatch> dispatch;
    ASSERT_HRESULT_SUCCEEDED(barcode.As(dispatch));
    const WORD kPut = DISPATCH_PROPERTYPUT;
    const WORD kMethod = DISPATCH_METHOD;
    const ShapeRow rows[] = {
        {"a put without its value", DISPID_QUILLANT_XPOSITION, kPut, {{}, false}, DISP_E_PARAMNOTFOUND},
        {"a put whose value is not named", DISPID_QUILLANT_XPOSITION, kPut, {{Long(1)}, false}, DISP_E_PARAMNOTFOUND},
        {"a put with two values", DISPID_QUILLANT_ELEMENTWIDTH, kPut, {{Long(1), Long(2)}, true}, DISP_E_BADPARAMCOUNT},
        {"a put whose value is counted but missing", DISPID_QUILLANT_BARHEIGHT, kPut, {{}, true, false, true},
         DISP_E_BADPARAMCOUNT},
        {"a put whose name is counted but missing", DISPID_QUILLANT_ENCODESTRING, kPut, {{Long(1)}, false, false, false, true},
         DISP_E_PARAMNOTFOUND},
        {"no DISPPARAMS at all", DISPID_QUILLANT_YPOSITION, kPut, {{}, false, true}, E_INVALIDARG},
        {"a get whose argument is counted but missing", DISPID_QUILLANT_XPOSITION, DISPATCH_PROPERTYGET,
         {{}, false, false, true}, E_INVALIDARG},
        {"more named arguments than arguments", DISPID_QUILLANT_ENCODE, kMethod, {{}, false, false, false, false, 2},
         DISP_E_BADPARAMCOUNT},
        {"Encode with an argument", DISPID_QUILLANT_ENCODE, kMethod, {{Long(1)}}, DISP_E_BADPARAMCOUNT},
        {"GetBarWidth without its DISPATCH_METHOD", DISPID_QUILLANT_GETBARWIDTH, kPut, {{Long(1)}, true},
         DISP_E_MEMBERNOTFOUND},
        {"a member it does not have", 0x12345, kMethod, {}, DISP_E_MEMBERNOTFOUND},
        {"no kind of call", DISPID_QUILLANT_XPOSITION, 0, {}, DISP_E_MEMBERNOTFOUND},
        {"DeviceObject put by value", DISPID_QUILLANT_DEVICEOBJECT, kPut, {{Long(0)}, true}, DISP_E_MEMBERNOTFOUND},
        {"an interface other than IID_NULL", DISPID_QUILLANT_XPOSITION, DISPATCH_PROPERTYGET, {}, DISP_E_UNKNOWNINTERFACE,
         true},
    };
    for (const ShapeRow& row : rows) {
        const BarcodeState before = StateOf(barcode.Get());
        EXPECT_EQ(Call(dispatch.Get(), row.member, row.otherInterface ? IID_IDispatch : IID_NULL, row.flags, row.shape),
                  row.expected)
            << row.what;
        EXPECT_EQ(StateOf(barcode.Get()), before) << row.what;
    }
}

TEST(DispatchShape, NamesAndTypeInformationAskedForBadly) {
    const ComPtr<_Quillant1> barcode = NewBarcode();
    const ComPtr<IPictureBox> box = NewPictureBox();
    for (IDispatch* object : {static_cast<IDispatch*>(barcode.Get()), static_cast<IDispatch*>(box.Get())}) {
        DISPID id = 0;
        LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
        EXPECT_EQ(object->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
        EXPECT_EQ(object->GetIDsOfNames(IID_NULL, nullptr, 1, LOCALE_USER_DEFAULT, &id), E_INVALIDARG);
        EXPECT_EQ(object->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, nullptr), E_INVALIDARG);
        LPOLESTR none[] = {nullptr};
        EXPECT_EQ(object->GetIDsOfNames(IID_NULL, none, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
        // A name longer than any member, and the names in another case.
        const std::wstring longName(300, L'X');
        LPOLESTR tooLong[] = {const_cast<LPOLESTR>(longName.c_str())};
        EXPECT_EQ(object->GetIDsOfNames(IID_NULL, tooLong, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
        ComPtr<ITypeInfo> info;
        EXPECT_EQ(object->GetTypeInfo(1, LOCALE_USER_DEFAULT, info.Put()), DISP_E_BADINDEX);
        EXPECT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, nullptr), E_POINTER);
    }
    // Asked again (answered from what was kept) and in other cases, a name
    // gives the type library's DISPID; a name the type library refused is
    // refused again.
    const struct {
        IDispatch* object;
        const wchar_t* names[3];
        DISPID id;
    } cases[] = {
        {box.Get(), {L"CurrentX", L"currentx", L"CURRENTX"}, DISPID_UNKNOWN},
        {barcode.Get(), {L"EncodeString", L"encodestring", L"ENCODESTRING"}, DISPID_QUILLANT_ENCODESTRING},
    };
    for (const auto& row : cases) {
        DISPID first = DISPID_UNKNOWN;
        LPOLESTR name[] = {const_cast<LPOLESTR>(row.names[0])};
        ASSERT_EQ(row.object->GetIDsOfNames(IID_NULL, name, 1, LOCALE_USER_DEFAULT, &first), S_OK);
        if (row.id != DISPID_UNKNOWN) {
            EXPECT_EQ(first, row.id);
        }
        for (int time = 0; time < 2; ++time) {
            for (const wchar_t* spelling : row.names) {
                DISPID id = 0;
                LPOLESTR again[] = {const_cast<LPOLESTR>(spelling)};
                EXPECT_EQ(row.object->GetIDsOfNames(IID_NULL, again, 1, LOCALE_USER_DEFAULT, &id), S_OK);
                EXPECT_EQ(id, first);
            }
        }
        DISPID id = 0;
        LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
        EXPECT_EQ(row.object->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
    }
}

// Every member's name, in its own case and in others, gives the DISPID its
// type information gives, on the objects whose names are answered from a
// table read once (a property's get and put share one entry).
TEST(DispatchShape, EveryMemberNameGivesItsTypeLibrarysDispid) {
    const ComPtr<_Quillant2> label = NewLabelBarcode();
    const ComPtr<IPictureBox> box = NewPictureBox();
    for (IDispatch* object : {static_cast<IDispatch*>(label.Get()), static_cast<IDispatch*>(box.Get())}) {
        ComPtr<ITypeInfo> info;
        ASSERT_HRESULT_SUCCEEDED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Put()));
        int members = 0;
        for (UINT index = 0;; ++index) {
            win32::FuncDesc desc;
            if (FAILED(win32::GetFuncDesc(info.Get(), index, desc))) break;
            Bstr name;
            UINT count = 0;
            ASSERT_HRESULT_SUCCEEDED(info->GetNames(desc->memid, name.Put(), 1, &count));
            std::wstring lower(name.View()), upper(name.View());
            for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
            for (wchar_t& c : upper) c = static_cast<wchar_t>(towupper(c));
            for (const std::wstring& spelling : {std::wstring(name.View()), lower, upper}) {
                DISPID id = DISPID_UNKNOWN;
                LPOLESTR names[] = {const_cast<LPOLESTR>(spelling.c_str())};
                EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << spelling;
                EXPECT_EQ(id, desc->memid) << spelling;
            }
            ++members;
        }
        EXPECT_GT(members, 20);
    }
}

DISPID IdOf(IDispatch* object, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

VARIANT Double(double value) {
    VARIANT v;
    V_VT(&v) = VT_R8;
    V_R8(&v) = value;
    return v;
}

TEST(DispatchShape, PictureBoxRefusesMisshapenCalls) {
    const ComPtr<IPictureBox> box = NewPictureBox();
    IDispatch* object = box.Get();
    const DISPID line = IdOf(object, L"Line");
    const DISPID currentX = IdOf(object, L"CurrentX");
    VARIANT nowhere;
    V_VT(&nowhere) = VT_BYREF | VT_R8;
    V_R8REF(&nowhere) = nullptr;
    const ShapeRow rows[] = {
        {"Line with a corner that points nowhere", line, DISPATCH_METHOD,
         {{Long(36), Double(0), nowhere, Double(15), Double(15), Long(0)}}, DISP_E_TYPEMISMATCH},
        {"Line with its arguments counted but missing", line, DISPATCH_METHOD, {{}, false, false, true}, E_INVALIDARG},
        {"CurrentX put with a value that points nowhere", currentX, DISPATCH_PROPERTYPUT, {{nowhere}, true},
         DISP_E_TYPEMISMATCH},
        {"CurrentX put whose name is counted but missing", currentX, DISPATCH_PROPERTYPUT,
         {{Double(1)}, false, false, false, true}, E_INVALIDARG},
        {"no DISPPARAMS at all", currentX, DISPATCH_PROPERTYGET, {{}, false, true}, E_INVALIDARG},
        {"an interface other than IID_NULL", currentX, DISPATCH_PROPERTYGET, {}, DISP_E_UNKNOWNINTERFACE, true},
    };
    for (const ShapeRow& row : rows) {
        double x = 0;
        ASSERT_HRESULT_SUCCEEDED(box->put_CurrentX(7));
        EXPECT_EQ(Call(object, row.member, row.otherInterface ? IID_IDispatch : IID_NULL, row.flags, row.shape),
                  row.expected)
            << row.what;
        ASSERT_HRESULT_SUCCEEDED(box->get_CurrentX(&x));
        EXPECT_EQ(x, 7) << row.what << ": the pen moved";
    }
    // The colour is optional: five arguments draw in ForeColor.
    EXPECT_EQ(Call(object, line, IID_NULL, DISPATCH_METHOD, {{Long(36), Double(0), Double(0), Double(15), Double(15)}}),
              S_OK);
}

// The same call in three shapes: plain numbers, Longs and Doubles (the
// stand-ins answer those themselves), VBScript's by-reference variants (also
// answered directly), and numbers as text (which only the type library
// converts). All three must end
// alike: the same HRESULT, error number and text, result and pixels.
enum class ArgumentShape { kPlain, kByReference, kText };

struct Outcome {
    HRESULT hr = S_OK;
    HRESULT scode = S_OK;
    std::wstring description;
    std::wstring result;
};

class ShapedCaller {
public:
    ShapedCaller(IDispatch* object, ArgumentShape shape) : object_(object), shape_(shape) {}

    Outcome Invoke(const wchar_t* name, WORD flags, std::vector<double> numbers) {
        // Storage for by-reference shapes lives until the call returns.
        std::vector<Variant> values(numbers.size());
        std::vector<VARIANT> args(numbers.size());
        for (size_t i = 0; i < numbers.size(); ++i) {
            // Whole numbers as a Long, others as a Double, as a host passes them.
            VARIANT& value = *values[i].Get();
            V_VT(&value) = VT_R8;
            V_R8(&value) = numbers[i];
            if (numbers[i] == static_cast<double>(static_cast<LONG>(numbers[i]))) values[i].ChangeType(VT_I4);
            if (shape_ == ArgumentShape::kText) values[i].ChangeType(VT_BSTR);
            if (shape_ == ArgumentShape::kByReference) {
                V_VT(&args[i]) = VT_BYREF | VT_VARIANT;
                V_VARIANTREF(&args[i]) = &value;
            } else {
                args[i] = value;  // borrowed
            }
        }
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPID named = DISPID_PROPERTYPUT;
        const bool put = flags == DISPATCH_PROPERTYPUT;
        DISPPARAMS params{reversed.data(), put ? &named : nullptr, static_cast<UINT>(reversed.size()), put ? 1u : 0u};
        Variant result;
        ExcepInfo excep;
        Outcome outcome;
        outcome.hr = object_->Invoke(IdOf(object_, name), IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                     put ? nullptr : result.Put(), &excep, nullptr);
        outcome.scode = excep.scode;
        outcome.description = std::wstring(Bstr::ViewOf(excep.bstrDescription));
        if (V_VT(result.Get()) != VT_EMPTY && SUCCEEDED(result.ChangeType(VT_BSTR))) {
            outcome.result = std::to_wstring(V_VT(result.Get())) + L":" + std::wstring(Bstr::ViewOf(V_BSTR(result.Get())));
        }
        return outcome;
    }

private:
    IDispatch* object_;
    ArgumentShape shape_;
};

TEST(DispatchShape, PerModuleMembersAnswerAlikeInEveryArgumentShape) {
    struct Step {
        const wchar_t* member;
        WORD flags;
        std::vector<double> numbers;
    };
    const WORD kPut = DISPATCH_PROPERTYPUT;
    const WORD kGet = DISPATCH_PROPERTYGET | DISPATCH_METHOD;
    const std::vector<Step> steps = {
        {L"CurrentX", kPut, {300}},
        {L"CurrentY", kPut, {450.5}},
        {L"CurrentX", kGet, {}},
        {L"CurrentY", kGet, {}},
        {L"ForeColor", kPut, {255}},
        {L"ForeColor", kPut, {double{0x12000000}}},  // not a colour: 380
        {L"DrawWidth", kPut, {3}},
        {L"DrawWidth", kPut, {0}},                   // 380
        {L"DrawWidth", kPut, {70000}},               // beyond an Integer: overflow
        {L"Line", DISPATCH_METHOD, {20, 30, 30, 600, 900, 0}},
        {L"Line", DISPATCH_METHOD, {36, 600, 30, 900, 900, 0}},
        {L"Line", DISPATCH_METHOD, {38, 900, 30, 1200, 900, double{0xFF00}}},
        {L"Line", DISPATCH_METHOD, {64, 0, 0, 15, 15, 0}},  // unknown flag: 5
        {L"Line", DISPATCH_METHOD, {0, 0, 0, 1500, 1500, 0}},
        {L"Line", DISPATCH_METHOD, {36, 15.25, 15.75, 30.5, 30.5, 0}},
        {L"CurrentX", kGet, {}},
        {L"BackColor", kGet, {}},
        {L"BackColor", kPut, {double{0xFFFF}}},
        {L"ForeColor", kGet, {}},
        {L"DrawWidth", kPut, {1}},
        {L"Line", DISPATCH_METHOD, {20, 1500, 1500, 3000, 2000, 0}},
    };
    const ComPtr<IPictureBox> plainBox = NewPictureBox(), referenceBox = NewPictureBox(), textBox = NewPictureBox();
    ShapedCaller plain(plainBox.Get(), ArgumentShape::kPlain);
    ShapedCaller reference(referenceBox.Get(), ArgumentShape::kByReference);
    ShapedCaller text(textBox.Get(), ArgumentShape::kText);
    for (const Step& step : steps) {
        const Outcome a = plain.Invoke(step.member, step.flags, step.numbers);
        const Outcome b = reference.Invoke(step.member, step.flags, step.numbers);
        const Outcome c = text.Invoke(step.member, step.flags, step.numbers);
        for (const Outcome* other : {&b, &c}) {
            EXPECT_EQ(a.hr, other->hr) << "HRESULT of " << std::string(step.member, step.member + wcslen(step.member));
            EXPECT_EQ(a.scode, other->scode);
            EXPECT_EQ(a.description, other->description);
            EXPECT_EQ(a.result, other->result);
        }
    }
    const Pixels pixels = PixelsOf(plainBox.Get());
    EXPECT_EQ(pixels, PixelsOf(referenceBox.Get()));
    EXPECT_EQ(pixels, PixelsOf(textBox.Get()));
}

}  // namespace
}  // namespace quillant::testing
