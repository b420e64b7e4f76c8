// Values a late-bound caller hands Quillant1's properties, in every automation
// type, including those no script can write: each converts as Visual Basic
// converts an assignment, or is refused with the error a Visual Basic host
// expects (13 "Type mismatch", 6 "Overflow") and leaves the object as it was.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "win32/bstr.h"
#include "tests/hardening/hardening_support.h"
#include "tests/support/stub_dispatch.h"

namespace quillant::testing {
namespace {

using win32::Bstr;
using win32::ComPtr;
using win32::Variant;

constexpr HRESULT kConverts = S_OK;
constexpr HRESULT kMismatch = DISP_E_TYPEMISMATCH;
constexpr HRESULT kOverflow = DISP_E_OVERFLOW;

enum class Kind { kLong, kShort, kBoolean, kString };

struct Property {
    const char* name;
    DISPID id;
    Kind kind;
};
constexpr Property kProperties[] = {
    {"XPosition", DISPID_QUILLANT_XPOSITION, Kind::kLong},       {"YPosition", DISPID_QUILLANT_YPOSITION, Kind::kLong},
    {"Orientation", DISPID_QUILLANT_ORIENTATION, Kind::kLong},   {"ElementWidth", DISPID_QUILLANT_ELEMENTWIDTH, Kind::kShort},
    {"BarHeight", DISPID_QUILLANT_BARHEIGHT, Kind::kShort},      {"VisibleCode", DISPID_QUILLANT_VISIBLECODE, Kind::kBoolean},
    {"IndentedCode", DISPID_QUILLANT_INDENTEDCODE, Kind::kBoolean}, {"EncodeString", DISPID_QUILLANT_ENCODESTRING, Kind::kString},
};
// Quillant2's own that take any value of their type (the others refuse
// values out of range with 380, which the acceptance script covers).
constexpr Property kLabelProperties[] = {
    {"SnapToDevice", DISPID_QUILLANT_SNAPTODEVICE, Kind::kBoolean}, {"QuietZones", DISPID_QUILLANT_QUIETZONES, Kind::kBoolean},
};

// Storage that by-reference rows point at.
LONG gLongVariable = 5;
const Bstr gText(std::wstring_view(L"77"));
VARIANT gTextVariable = [] {
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = gText.Get();
    return v;
}();
VARIANT gReferenceVariable = [] {
    VARIANT v;
    V_VT(&v) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&v) = &gTextVariable;
    return v;
}();

// What each kind of property makes of one value.
struct Outcomes {
    HRESULT asLong, asShort, asBoolean, asString;

    HRESULT For(Kind kind) const {
        switch (kind) {
            case Kind::kLong: return asLong;
            case Kind::kShort: return asShort;
            case Kind::kBoolean: return asBoolean;
            default: return asString;
        }
    }
};

struct ValueRow {
    const char* what;
    VariantMaker make;
    Outcomes outcomes;
};

const ValueRow kValues[] = {
    // Not a value of any of these types.
    {"Null", [](VARIANT& v) { V_VT(&v) = VT_NULL; }, {kMismatch, kMismatch, kMismatch, kMismatch}},
    {"a missing argument", [](VARIANT& v) { V_VT(&v) = VT_ERROR; V_ERROR(&v) = DISP_E_PARAMNOTFOUND; },
     {kMismatch, kMismatch, kMismatch, kMismatch}},
    {"Nothing", [](VARIANT& v) { V_VT(&v) = VT_DISPATCH; V_DISPATCH(&v) = nullptr; },
     {kMismatch, kMismatch, kMismatch, kMismatch}},
    {"a null IUnknown", [](VARIANT& v) { V_VT(&v) = VT_UNKNOWN; V_UNKNOWN(&v) = nullptr; },
     {kMismatch, kMismatch, kMismatch, kMismatch}},
    {"an array", [](VARIANT& v) {
         SAFEARRAYBOUND bound{2, 0};
         V_VT(&v) = VT_ARRAY | VT_I4;
         V_ARRAY(&v) = SafeArrayCreate(VT_I4, 1, &bound);
     }, {kMismatch, kMismatch, kMismatch, kMismatch}},
    {"a by-reference Long that points nowhere", [](VARIANT& v) { V_VT(&v) = VT_BYREF | VT_I4; V_I4REF(&v) = nullptr; },
     {kMismatch, kMismatch, kMismatch, kMismatch}},
    {"a by-reference Variant that points nowhere",
     [](VARIANT& v) { V_VT(&v) = VT_BYREF | VT_VARIANT; V_VARIANTREF(&v) = nullptr; },
     {kMismatch, kMismatch, kMismatch, kMismatch}},
    {"a by-reference Variant that holds another",
     [](VARIANT& v) { V_VT(&v) = VT_BYREF | VT_VARIANT; V_VARIANTREF(&v) = &gReferenceVariable; },
     {kMismatch, kMismatch, kMismatch, kMismatch}},
    {"no automation type at all", [](VARIANT& v) { V_VT(&v) = 0x7F; V_I4(&v) = 1; },
     {kMismatch, kMismatch, kMismatch, kMismatch}},
    {"text that is no number", [](VARIANT& v) { V_VT(&v) = VT_BSTR; V_BSTR(&v) = SysAllocString(L"twelve"); },
     {kMismatch, kMismatch, kMismatch, kConverts}},
    // Numbers beyond a type's range.
    {"NaN", [](VARIANT& v) { V_VT(&v) = VT_R8; V_R8(&v) = std::numeric_limits<double>::quiet_NaN(); },
     {kOverflow, kOverflow, kConverts, kConverts}},
    {"infinity", [](VARIANT& v) { V_VT(&v) = VT_R8; V_R8(&v) = std::numeric_limits<double>::infinity(); },
     {kOverflow, kOverflow, kConverts, kConverts}},
    {"1E300", [](VARIANT& v) { V_VT(&v) = VT_R8; V_R8(&v) = 1e300; }, {kOverflow, kOverflow, kConverts, kConverts}},
    {"2147483647.5, which rounds up", [](VARIANT& v) { V_VT(&v) = VT_R8; V_R8(&v) = 2147483647.5; },
     {kOverflow, kOverflow, kConverts, kConverts}},
    {"32767.5, which rounds up", [](VARIANT& v) { V_VT(&v) = VT_R8; V_R8(&v) = 32767.5; },
     {kConverts, kOverflow, kConverts, kConverts}},
    {"32768", [](VARIANT& v) { V_VT(&v) = VT_I4; V_I4(&v) = 32768; }, {kConverts, kOverflow, kConverts, kConverts}},
    {"-32769", [](VARIANT& v) { V_VT(&v) = VT_I4; V_I4(&v) = -32769; }, {kConverts, kOverflow, kConverts, kConverts}},
    {"2^32 - 1 unsigned", [](VARIANT& v) { V_VT(&v) = VT_UI4; V_UI4(&v) = 0xFFFFFFFFu; },
     {kOverflow, kOverflow, kConverts, kConverts}},
    {"2^40 in 64 bits", [](VARIANT& v) { V_VT(&v) = VT_I8; V_I8(&v) = int64_t{1} << 40; },
     {kOverflow, kOverflow, kConverts, kConverts}},
    {"2^63 unsigned", [](VARIANT& v) { V_VT(&v) = VT_UI8; V_UI8(&v) = uint64_t{1} << 63; },
     {kOverflow, kOverflow, kConverts, kConverts}},
    {"a decimal beyond 2^64", [](VARIANT& v) {
         DECIMAL d{};
         d.Hi32 = 5;
         V_DECIMAL(&v) = d;
         V_VT(&v) = VT_DECIMAL;
     }, {kOverflow, kOverflow, kConverts, kConverts}},
    {"text beyond a Long", [](VARIANT& v) { V_VT(&v) = VT_BSTR; V_BSTR(&v) = SysAllocString(L"99999999999"); },
     {kOverflow, kOverflow, kConverts, kConverts}},
    {"a date beyond an Integer", [](VARIANT& v) { V_VT(&v) = VT_DATE; V_DATE(&v) = 45293; },
     {kConverts, kOverflow, kConverts, kConverts}},
};

class PropertyPut : public ::testing::Test {
protected:
    void SetUp() override {
        barcode_ = NewBarcode();
        label_ = NewLabelBarcode();
        ASSERT_TRUE(barcode_ && label_);
        ASSERT_HRESULT_SUCCEEDED(barcode_.As(dispatch_));
        ASSERT_HRESULT_SUCCEEDED(label_.As(labelDispatch_));
    }

    // Every value row on every property of one object; state() is what the
    // object stores.
    template <class State>
    void PutEveryValue(IDispatch* object, const Property* begin, const Property* end, State state) {
        for (const Property* property = begin; property != end; ++property) {
            for (const ValueRow& row : kValues) {
                const BarcodeState before = state();
                const Variant value = Make(row.make);
                const HRESULT expected = row.outcomes.For(property->kind);
                const HRESULT hr = PutByDispid(object, property->id, *value.Get());
                EXPECT_EQ(hr, expected) << property->name << " = " << row.what;
                if (FAILED(expected)) {
                    EXPECT_EQ(state(), before) << property->name << " = " << row.what << ": " << Describe(state());
                }
            }
        }
    }

    ComPtr<_Quillant1> barcode_;
    ComPtr<_Quillant2> label_;
    ComPtr<IDispatch> dispatch_;
    ComPtr<IDispatch> labelDispatch_;
};

TEST_F(PropertyPut, ValuesOfEveryTypeConvertOrAreRefusedLeavingTheObjectAlone) {
    PutEveryValue(dispatch_.Get(), std::begin(kProperties), std::end(kProperties),
                  [&] { return StateOf(barcode_.Get()); });
    SCOPED_TRACE("Quillant2");
    const auto labelState = [&] { return StateOf(label_.Get()); };
    PutEveryValue(labelDispatch_.Get(), std::begin(kProperties), std::end(kProperties), labelState);
    PutEveryValue(labelDispatch_.Get(), std::begin(kLabelProperties), std::end(kLabelProperties), labelState);
}

// What a property holds after a value that converts: automation's
// conversions, with Visual Basic's rounding (half to even).
struct ConversionRow {
    DISPID property;
    const char* what;
    VariantMaker make;
    double number;          // for numeric properties
    const wchar_t* text;    // for EncodeString
};

const ConversionRow kConversions[] = {
    {DISPID_QUILLANT_XPOSITION, "\"42\"", [](VARIANT& v) { V_VT(&v) = VT_BSTR; V_BSTR(&v) = SysAllocString(L"42"); }, 42, nullptr},
    {DISPID_QUILLANT_XPOSITION, "\" -7 \"", [](VARIANT& v) { V_VT(&v) = VT_BSTR; V_BSTR(&v) = SysAllocString(L" -7 "); }, -7, nullptr},
    {DISPID_QUILLANT_XPOSITION, "\"&H10\"", [](VARIANT& v) { V_VT(&v) = VT_BSTR; V_BSTR(&v) = SysAllocString(L"&H10"); }, 16, nullptr},
    {DISPID_QUILLANT_XPOSITION, "2.5", [](VARIANT& v) { V_VT(&v) = VT_R8; V_R8(&v) = 2.5; }, 2, nullptr},
    {DISPID_QUILLANT_XPOSITION, "3.5", [](VARIANT& v) { V_VT(&v) = VT_R8; V_R8(&v) = 3.5; }, 4, nullptr},
    {DISPID_QUILLANT_XPOSITION, "-2.5", [](VARIANT& v) { V_VT(&v) = VT_R8; V_R8(&v) = -2.5; }, -2, nullptr},
    {DISPID_QUILLANT_XPOSITION, "2147483647.4", [](VARIANT& v) { V_VT(&v) = VT_R8; V_R8(&v) = 2147483647.4; }, 2147483647, nullptr},
    {DISPID_QUILLANT_XPOSITION, "a Long variable by reference",
     [](VARIANT& v) { V_VT(&v) = VT_BYREF | VT_I4; V_I4REF(&v) = &gLongVariable; }, 5, nullptr},
    {DISPID_QUILLANT_YPOSITION, "a script variable holding \"77\"",
     [](VARIANT& v) { V_VT(&v) = VT_BYREF | VT_VARIANT; V_VARIANTREF(&v) = &gTextVariable; }, 77, nullptr},
    {DISPID_QUILLANT_YPOSITION, "Currency 12.5", [](VARIANT& v) { V_VT(&v) = VT_CY; V_CY(&v).int64 = 125000; }, 12, nullptr},
    {DISPID_QUILLANT_YPOSITION, "Empty", [](VARIANT& v) { V_VT(&v) = VT_EMPTY; }, 0, nullptr},
    {DISPID_QUILLANT_YPOSITION, "True", [](VARIANT& v) { V_VT(&v) = VT_BOOL; V_BOOL(&v) = VARIANT_TRUE; }, -1, nullptr},
    {DISPID_QUILLANT_ELEMENTWIDTH, "\"-32768\"", [](VARIANT& v) { V_VT(&v) = VT_BSTR; V_BSTR(&v) = SysAllocString(L"-32768"); }, -32768, nullptr},
    {DISPID_QUILLANT_ELEMENTWIDTH, "Byte 255", [](VARIANT& v) { V_VT(&v) = VT_UI1; V_UI1(&v) = 255; }, 255, nullptr},
    {DISPID_QUILLANT_BARHEIGHT, "Single 1500.5", [](VARIANT& v) { V_VT(&v) = VT_R4; V_R4(&v) = 1500.5f; }, 1500, nullptr},
    {DISPID_QUILLANT_BARHEIGHT, "32767 in 64 bits", [](VARIANT& v) { V_VT(&v) = VT_I8; V_I8(&v) = 32767; }, 32767, nullptr},
    {DISPID_QUILLANT_ORIENTATION, "\"2\"", [](VARIANT& v) { V_VT(&v) = VT_BSTR; V_BSTR(&v) = SysAllocString(L"2"); }, 2, nullptr},
    {DISPID_QUILLANT_ORIENTATION, "-7, stored as it is", [](VARIANT& v) { V_VT(&v) = VT_I2; V_I2(&v) = -7; }, -7, nullptr},
    {DISPID_QUILLANT_VISIBLECODE, "1, kept as 1", [](VARIANT& v) { V_VT(&v) = VT_I4; V_I4(&v) = 1; }, 1, nullptr},
    {DISPID_QUILLANT_VISIBLECODE, "-32768, kept", [](VARIANT& v) { V_VT(&v) = VT_I2; V_I2(&v) = -32768; }, -32768, nullptr},
    {DISPID_QUILLANT_VISIBLECODE, "70000, beyond 16 bits: True", [](VARIANT& v) { V_VT(&v) = VT_I4; V_I4(&v) = 70000; }, -1, nullptr},
    {DISPID_QUILLANT_VISIBLECODE, "\"True\"", [](VARIANT& v) { V_VT(&v) = VT_BSTR; V_BSTR(&v) = SysAllocString(L"True"); }, -1, nullptr},
    {DISPID_QUILLANT_INDENTEDCODE, "\"0\"", [](VARIANT& v) { V_VT(&v) = VT_BSTR; V_BSTR(&v) = SysAllocString(L"0"); }, 0, nullptr},
    {DISPID_QUILLANT_INDENTEDCODE, "0.5", [](VARIANT& v) { V_VT(&v) = VT_R8; V_R8(&v) = 0.5; }, -1, nullptr},
    {DISPID_QUILLANT_ENCODESTRING, "42", [](VARIANT& v) { V_VT(&v) = VT_I4; V_I4(&v) = 42; }, 0, L"42"},
    {DISPID_QUILLANT_ENCODESTRING, "Empty", [](VARIANT& v) { V_VT(&v) = VT_EMPTY; }, 0, L""},
    {DISPID_QUILLANT_ENCODESTRING, "a null BSTR", [](VARIANT& v) { V_VT(&v) = VT_BSTR; V_BSTR(&v) = nullptr; }, 0, L""},
    {DISPID_QUILLANT_ENCODESTRING, "a script variable", [](VARIANT& v) { V_VT(&v) = VT_BYREF | VT_VARIANT; V_VARIANTREF(&v) = &gTextVariable; }, 0, L"77"},
};

TEST_F(PropertyPut, ValuesThatConvertAreStoredAsVisualBasicConvertsThem) {
    for (const ConversionRow& row : kConversions) {
        const Variant value = Make(row.make);
        ASSERT_EQ(PutByDispid(dispatch_.Get(), row.property, *value.Get()), S_OK) << row.what;
        Variant stored;
        ASSERT_EQ(GetByDispid(dispatch_.Get(), row.property, stored), S_OK) << row.what;
        if (row.text) {
            ASSERT_EQ(V_VT(stored.Get()), VT_BSTR) << row.what;
            EXPECT_EQ(Bstr::ViewOf(V_BSTR(stored.Get())), row.text) << row.what;
        } else {
            ASSERT_HRESULT_SUCCEEDED(stored.ChangeType(VT_R8)) << row.what;
            EXPECT_EQ(V_R8(stored.Get()), row.number) << row.what;
        }
    }
}

// An object handed where a value belongs: automation reads its default
// value (DISPID_VALUE), as Visual Basic does; without one it is a mismatch.
TEST_F(PropertyPut, ObjectsConvertThroughTheirDefaultValue) {
    struct Row {
        const char* what;
        VariantMaker value;  // null: no default value
        Outcomes outcomes;
    };
    const Row rows[] = {
        {"\"42\"", [](VARIANT& v) { V_VT(&v) = VT_BSTR; V_BSTR(&v) = SysAllocString(L"42"); },
         {kConverts, kConverts, kConverts, kConverts}},
        {"40000", [](VARIANT& v) { V_VT(&v) = VT_I4; V_I4(&v) = 40000; }, {kConverts, kOverflow, kConverts, kConverts}},
        {"Null", [](VARIANT& v) { V_VT(&v) = VT_NULL; }, {kMismatch, kMismatch, kMismatch, kMismatch}},
        {"no default value", nullptr, {kMismatch, kMismatch, kMismatch, kMismatch}},
    };
    for (const Row& row : rows) {
        StubDispatch object(row.value);
        for (const Property& property : kProperties) {
            VARIANT argument;
            V_VT(&argument) = VT_DISPATCH;
            V_DISPATCH(&argument) = &object;
            const HRESULT expected = row.outcomes.For(property.kind);
            const BarcodeState before = StateOf(barcode_.Get());
            EXPECT_EQ(PutByDispid(dispatch_.Get(), property.id, argument), expected)
                << property.name << " = object answering " << row.what;
            if (FAILED(expected)) {
                EXPECT_EQ(StateOf(barcode_.Get()), before) << property.name << ", " << row.what;
            }
        }
        EXPECT_EQ(object.references(), 1u) << "an object handed as a value is not kept: " << row.what;
    }
}

TEST_F(PropertyPut, DeviceObjectTakesObjectsByReferenceOnly) {
    StubDispatch target(nullptr);
    VARIANT object;
    V_VT(&object) = VT_DISPATCH;
    V_DISPATCH(&object) = &target;
    ASSERT_EQ(PutByDispid(dispatch_.Get(), DISPID_QUILLANT_DEVICEOBJECT, object, DISPATCH_PROPERTYPUTREF), S_OK);
    EXPECT_EQ(target.references(), 2u);

    struct Row {
        const char* what;
        VariantMaker make;
        WORD flags;
        HRESULT expected;
    };
    const Row refused[] = {
        {"a number", [](VARIANT& v) { V_VT(&v) = VT_I4; V_I4(&v) = 5; }, DISPATCH_PROPERTYPUTREF, kMismatch},
        {"text", [](VARIANT& v) { V_VT(&v) = VT_BSTR; V_BSTR(&v) = SysAllocString(L"Printer"); },
         DISPATCH_PROPERTYPUTREF, kMismatch},
        {"Null", [](VARIANT& v) { V_VT(&v) = VT_NULL; }, DISPATCH_PROPERTYPUTREF, kMismatch},
        {"Empty", [](VARIANT& v) { V_VT(&v) = VT_EMPTY; }, DISPATCH_PROPERTYPUTREF, kMismatch},
        {"an object reference that points nowhere",
         [](VARIANT& v) { V_VT(&v) = VT_BYREF | VT_DISPATCH; V_DISPATCHREF(&v) = nullptr; }, DISPATCH_PROPERTYPUTREF,
         kMismatch},
        {"an object, put by value", [](VARIANT& v) { V_VT(&v) = VT_DISPATCH; V_DISPATCH(&v) = nullptr; },
         DISPATCH_PROPERTYPUT, DISP_E_MEMBERNOTFOUND},
    };
    for (const Row& row : refused) {
        const Variant value = Make(row.make);
        EXPECT_EQ(PutByDispid(dispatch_.Get(), DISPID_QUILLANT_DEVICEOBJECT, *value.Get(), row.flags), row.expected)
            << row.what;
        EXPECT_EQ(StateOf(barcode_.Get()).deviceObject, &target) << row.what;
    }
    EXPECT_EQ(target.references(), 2u) << "refused puts neither take nor drop references";

    VARIANT nothing;
    V_VT(&nothing) = VT_DISPATCH;
    V_DISPATCH(&nothing) = nullptr;
    ASSERT_EQ(PutByDispid(dispatch_.Get(), DISPID_QUILLANT_DEVICEOBJECT, nothing, DISPATCH_PROPERTYPUTREF), S_OK);
    EXPECT_EQ(target.references(), 1u);
    EXPECT_EQ(StateOf(barcode_.Get()).deviceObject, nullptr);
}

}  // namespace
}  // namespace quillant::testing
