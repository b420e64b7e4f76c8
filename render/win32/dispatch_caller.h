#pragma once
// Late-bound calls on a host's automation object by member name, as a Visual
// Basic program makes them. Names are resolved on first use and remembered for
// the life of the caller, which the renderer keeps for one Encode: a host may
// hand over a different object next time, or change the one it has.
//
// A failed call throws a VbError with the object's own number and description.

#include <oaidl.h>

#include <initializer_list>
#include <map>
#include <string>

#include "com_ptr.h"
#include "variant.h"

namespace quillant::render::win32 {

class DispatchCaller {
public:
    explicit DispatchCaller(IDispatch* object);

    quillant::win32::Variant Get(const wchar_t* name);
    void Put(const wchar_t* name, const VARIANT& value);
    // Arguments in the order the member declares them.
    quillant::win32::Variant Call(const wchar_t* name, std::initializer_list<VARIANT> args);

    IDispatch* Object() const { return object_.Get(); }

private:
    DISPID Resolve(const wchar_t* name);
    quillant::win32::Variant Invoke(const wchar_t* name, WORD flags, DISPPARAMS& params);

    quillant::win32::ComPtr<IDispatch> object_;
    std::map<std::wstring, DISPID> ids_;
};

// Argument builders. The VARIANTs they return borrow nothing except the BSTR
// and IDispatch views, which the caller keeps alive for the call.
VARIANT ArgDouble(double value);
VARIANT ArgShort(int16_t value);
VARIANT ArgLong(int32_t value);
VARIANT ArgBool(bool value);
VARIANT ArgString(BSTR value);
VARIANT ArgObject(IDispatch* value);

// Result conversions in Visual Basic's manner: a value that cannot become the
// type raises 13 "Type mismatch" (or 6 "Overflow" when out of range).
double AsDouble(quillant::win32::Variant& value);
int32_t AsLong(quillant::win32::Variant& value);
bool AsBool(quillant::win32::Variant& value);
std::u16string AsString(quillant::win32::Variant& value);

}  // namespace quillant::render::win32
