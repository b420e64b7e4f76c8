#pragma once
// Late-bound calls on a host's automation object by member name, as a Visual
// Basic program makes them. Names are resolved on first use and remembered for
// the life of the caller, which the renderer keeps for one Encode: a host may
// hand over a different object next time. A holder of the object that lends it
// to many callers may also keep the answers in KnownMembers beside its
// reference, so that later callers on the same object ask for no names at all.
//
// A call costs one Invoke and nothing else: the member's DISPID sits in a
// fixed slot, the arguments are laid out on the stack, and a result already
// of the wanted type is read as it is. Encode makes several calls per module.
//
// A failed call throws a VbError with the object's own number and description.

#include <oaidl.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "win32/com_ptr.h"
#include "win32/variant.h"

namespace quillant::render::win32 {

// The members the renderer calls on a drawing object or on the scratch picture.
enum class Member : uint8_t {
    kCurrentX,
    kCurrentY,
    kLine,
    kForeColor,
    kDrawWidth,
    kBackColor,
    kFillColor,
    kFontName,
    kFontSize,
    kFontBold,
    kFontItalic,
    kFontUnderline,
    kFontStrikethru,
    kTextWidth,
    kTextHeight,
    kPrint,
    kHdc,
    kPaintPicture,
    kWidth,
    kHeight,
    kCls,
    kImage,
    kScaleX,
    kScaleY,
    kCount
};

// The name each member is asked for by, in the order of Member.
inline constexpr std::array<const wchar_t*, static_cast<size_t>(Member::kCount)> kMemberNames = {
    L"CurrentX", L"CurrentY",   L"Line",       L"ForeColor",     L"DrawWidth",      L"BackColor",
    L"FillColor", L"FontName",  L"FontSize",   L"FontBold",      L"FontItalic",     L"FontUnderline",
    L"FontStrikethru", L"TextWidth", L"TextHeight", L"Print",    L"hdc",            L"PaintPicture",
    L"Width",    L"Height",     L"Cls",        L"Image",         L"ScaleX",         L"ScaleY",
};

// The DISPIDs one object has answered. An object's DISPIDs stay the same for
// as long as it lives (IDispatch's rule, kept by IDispatchEx even for members
// deleted since), so the table is valid while its holder keeps a reference
// to that object, and must be dropped with the reference. Callers on several
// threads may fill it at once: each slot only ever goes from unknown to the
// object's answer.
class KnownMembers {
public:
    KnownMembers() {
        for (auto& id : ids_) id.store(DISPID_UNKNOWN, std::memory_order_relaxed);
    }
    DISPID Of(Member member) const { return ids_[static_cast<size_t>(member)].load(std::memory_order_relaxed); }
    void Remember(Member member, DISPID id) { ids_[static_cast<size_t>(member)].store(id, std::memory_order_relaxed); }

private:
    std::array<std::atomic<DISPID>, static_cast<size_t>(Member::kCount)> ids_;
};

class DispatchCaller {
public:
    // The most arguments any member takes (Line: flags, four corners, colour).
    static constexpr size_t kMaxArguments = 6;

    // known, when given, belongs to object: it is read before any name is
    // asked for and told every answer.
    explicit DispatchCaller(IDispatch* object, std::shared_ptr<KnownMembers> known = nullptr);

    quillant::win32::Variant Get(Member member);
    void Put(Member member, const VARIANT& value);
    // Arguments in the order the member declares them.
    quillant::win32::Variant Call(Member member, std::initializer_list<VARIANT> args);

    IDispatch* Object() const { return object_.Get(); }

private:
    static constexpr DISPID kUnresolved = DISPID_UNKNOWN;

    DISPID Resolve(Member member);
    quillant::win32::Variant Invoke(Member member, WORD flags, DISPPARAMS& params);

    quillant::win32::ComPtr<IDispatch> object_;
    std::shared_ptr<KnownMembers> known_;
    std::array<DISPID, static_cast<size_t>(Member::kCount)> ids_;
};

// Argument builders. The VARIANTs they return borrow nothing except the BSTR
// and IDispatch views, which the caller keeps alive for the call. Inline:
// every bar of a symbol builds six.
template <typename Fill>
VARIANT Arg(VARTYPE type, Fill fill) {
    VARIANT v{};
    V_VT(&v) = type;
    fill(v);
    return v;
}
inline VARIANT ArgDouble(double value) { return Arg(VT_R8, [&](VARIANT& v) { V_R8(&v) = value; }); }
inline VARIANT ArgShort(int16_t value) { return Arg(VT_I2, [&](VARIANT& v) { V_I2(&v) = value; }); }
inline VARIANT ArgLong(int32_t value) { return Arg(VT_I4, [&](VARIANT& v) { V_I4(&v) = value; }); }
inline VARIANT ArgBool(bool value) {
    return Arg(VT_BOOL, [&](VARIANT& v) { V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE; });
}
inline VARIANT ArgString(BSTR value) { return Arg(VT_BSTR, [&](VARIANT& v) { V_BSTR(&v) = value; }); }
inline VARIANT ArgObject(IDispatch* value) { return Arg(VT_DISPATCH, [&](VARIANT& v) { V_DISPATCH(&v) = value; }); }

// Result conversions in Visual Basic's manner: a value that cannot become the
// type raises 13 "Type mismatch" (or 6 "Overflow" when out of range).
double AsDouble(quillant::win32::Variant& value);
int32_t AsLong(quillant::win32::Variant& value);
bool AsBool(quillant::win32::Variant& value);
std::u16string AsString(quillant::win32::Variant& value);

}  // namespace quillant::render::win32
