#include "forms/module_dispatch.h"

#include <limits>

#include "win32/com_ptr.h"
#include "win32/type_info_dispatch.h"
#include "win32/vb_com_error.h"

namespace quillant::forms {
namespace {

struct ModuleMemberIds {
    DISPID currentX = DISPID_UNKNOWN;
    DISPID currentY = DISPID_UNKNOWN;
    DISPID foreColor = DISPID_UNKNOWN;
    DISPID drawWidth = DISPID_UNKNOWN;
    DISPID backColor = DISPID_UNKNOWN;
    DISPID line = DISPID_UNKNOWN;
    // A caption's members, once a symbol.
    DISPID fontName = DISPID_UNKNOWN;
    DISPID fontSize = DISPID_UNKNOWN;
    DISPID fontBold = DISPID_UNKNOWN;
    DISPID fontItalic = DISPID_UNKNOWN;
    DISPID textWidth = DISPID_UNKNOWN;
    DISPID textHeight = DISPID_UNKNOWN;
    DISPID print = DISPID_UNKNOWN;
    DISPID hdc = DISPID_UNKNOWN;
    DISPID scaleX = DISPID_UNKNOWN;
    DISPID scaleY = DISPID_UNKNOWN;
};

// Asked of the type library once per process; a member it cannot name keeps
// DISPID_UNKNOWN and always goes the long way.
const ModuleMemberIds& ModuleMembers() {
    static const ModuleMemberIds ids = [] {
        ModuleMemberIds found;
        win32::ComPtr<ITypeInfo> info;
        if (FAILED(win32::ModuleTypeInfo(IID_IDrawingObject, info.Put()))) return found;
        const struct {
            const wchar_t* name;
            DISPID* id;
        } members[] = {
            {L"CurrentX", &found.currentX},   {L"CurrentY", &found.currentY},   {L"ForeColor", &found.foreColor},
            {L"DrawWidth", &found.drawWidth}, {L"BackColor", &found.backColor}, {L"Line", &found.line},
            {L"FontName", &found.fontName},   {L"FontSize", &found.fontSize},   {L"FontBold", &found.fontBold},
            {L"FontItalic", &found.fontItalic}, {L"TextWidth", &found.textWidth}, {L"TextHeight", &found.textHeight},
            {L"Print", &found.print},         {L"hDC", &found.hdc},             {L"ScaleX", &found.scaleX},
            {L"ScaleY", &found.scaleY},
        };
        for (const auto& member : members) {
            LPOLESTR names[] = {const_cast<LPOLESTR>(member.name)};
            DISPID id = DISPID_UNKNOWN;
            if (SUCCEEDED(info->GetIDsOfNames(names, 1, &id))) *member.id = id;
        }
        return found;
    }();
    return ids;
}

const VARIANT* Dereferenced(const VARIANT& argument) {
    if (V_VT(&argument) == (VT_BYREF | VT_VARIANT)) return V_VARIANTREF(&argument);
    return &argument;
}

// Integers and floating values become a double exactly.
bool ReadDouble(const VARIANT& argument, double& value) {
    const VARIANT* v = Dereferenced(argument);
    if (!v) return false;
    switch (V_VT(v)) {
        case VT_R8: value = V_R8(v); return true;
        case VT_R4: value = V_R4(v); return true;
        case VT_I4: value = V_I4(v); return true;
        case VT_I2: value = V_I2(v); return true;
        case VT_UI1: value = V_UI1(v); return true;
        default: return false;
    }
}

// Only integers: a floating value is rounded by automation's rules.
bool ReadLong(const VARIANT& argument, LONG& value) {
    const VARIANT* v = Dereferenced(argument);
    if (!v) return false;
    switch (V_VT(v)) {
        case VT_I4: value = V_I4(v); return true;
        case VT_I2: value = V_I2(v); return true;
        case VT_UI1: value = V_UI1(v); return true;
        default: return false;
    }
}

// A string or a Boolean only as itself: anything else is converted by
// automation's rules.
const VARIANT* OfType(const VARIANT& argument, VARTYPE type) {
    const VARIANT* v = Dereferenced(argument);
    return v && V_VT(v) == type ? v : nullptr;
}

// A scale argument as a plain integer, passed on as the VARIANT it is.
bool PlainScale(const VARIANT& argument) { return V_VT(&argument) == VT_I2 || V_VT(&argument) == VT_I4; }

void PutDouble(VARIANT* result, double value) {
    V_VT(result) = VT_R8;
    V_R8(result) = value;
}

void PutLong(VARIANT* result, LONG value) {
    V_VT(result) = VT_I4;
    V_I4(result) = value;
}

bool ReadShort(const VARIANT& argument, short& value) {
    LONG wide = 0;
    if (!ReadLong(argument, wide) || wide < std::numeric_limits<short>::min() ||
        wide > std::numeric_limits<short>::max()) {
        return false;
    }
    value = static_cast<short>(wide);
    return true;
}

// The members a caption is measured and printed with; false leaves the call
// to the type library.
bool CaptionMember(IDrawingObject& object, const ModuleMemberIds& ids, DISPID member, WORD flags,
                   const DISPPARAMS& params, VARIANT* result, bool get, bool put, HRESULT& hr) {
    const bool method = (flags & DISPATCH_METHOD) && params.cNamedArgs == 0 && params.rgvarg;
    if (member == ids.fontName || member == ids.fontBold || member == ids.fontItalic) {
        const VARIANT* v = put ? OfType(params.rgvarg[0], member == ids.fontName ? VT_BSTR : VT_BOOL) : nullptr;
        if (!v) return false;
        hr = member == ids.fontName ? object.put_FontName(V_BSTR(v))
             : member == ids.fontBold ? object.put_FontBold(V_BOOL(v))
                                      : object.put_FontItalic(V_BOOL(v));
    } else if (member == ids.fontSize) {
        double value = 0;
        if (!put || !ReadDouble(params.rgvarg[0], value)) return false;
        hr = object.put_FontSize(value);
    } else if (member == ids.textWidth || member == ids.textHeight) {
        const VARIANT* text = method && params.cArgs == 1 && result ? OfType(params.rgvarg[0], VT_BSTR) : nullptr;
        if (!text) return false;
        double value = 0;
        hr = member == ids.textWidth ? object.TextWidth(V_BSTR(text), &value) : object.TextHeight(V_BSTR(text), &value);
        if (SUCCEEDED(hr)) PutDouble(result, value);
    } else if (member == ids.print) {
        if (!method || params.cArgs != 1 || V_VT(&params.rgvarg[0]) != VT_BSTR) return false;
        hr = object.Print(params.rgvarg[0]);
    } else if (member == ids.scaleX || member == ids.scaleY) {
        // Arguments arrive last to first: [toScale,] fromScale, the size. A
        // scale left out arrives as automation passes a missing argument.
        const UINT count = params.cArgs;
        double size = 0;
        if (!method || (count != 2 && count != 3) || !result || !ReadDouble(params.rgvarg[count - 1], size) ||
            !PlainScale(params.rgvarg[count - 2]) || (count == 3 && !PlainScale(params.rgvarg[0]))) {
            return false;
        }
        VARIANT missing;
        V_VT(&missing) = VT_ERROR;
        V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
        const VARIANT& from = params.rgvarg[count - 2];
        const VARIANT& to = count == 3 ? params.rgvarg[0] : missing;
        double value = 0;
        hr = member == ids.scaleX ? object.ScaleX(size, from, to, &value) : object.ScaleY(size, from, to, &value);
        if (SUCCEEDED(hr)) PutDouble(result, value);
    } else if (member == ids.hdc) {
        if (!get) return false;
        LONG value = 0;
        hr = object.get_hDC(&value);
        if (SUCCEEDED(hr)) PutLong(result, value);
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool InvokeModuleMember(IDrawingObject& object, DISPID member, REFIID iid, WORD flags, const DISPPARAMS& params,
                        VARIANT* result, EXCEPINFO* excep, HRESULT& hr) {
    if (!IsEqualIID(iid, IID_NULL) || member == DISPID_UNKNOWN) return false;
    const ModuleMemberIds& ids = ModuleMembers();
    const bool get = (flags & DISPATCH_PROPERTYGET) && !(flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) &&
                     params.cArgs == 0 && params.cNamedArgs == 0 && result;
    const bool put = flags == DISPATCH_PROPERTYPUT && params.cArgs == 1 && params.cNamedArgs == 1 &&
                     params.rgvarg && params.rgdispidNamedArgs && params.rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;

    if (member == ids.currentX || member == ids.currentY) {
        const bool x = member == ids.currentX;
        double value = 0;
        if (get) {
            hr = x ? object.get_CurrentX(&value) : object.get_CurrentY(&value);
            if (SUCCEEDED(hr)) PutDouble(result, value);
        } else if (put && ReadDouble(params.rgvarg[0], value)) {
            hr = x ? object.put_CurrentX(value) : object.put_CurrentY(value);
        } else {
            return false;
        }
    } else if (member == ids.foreColor || member == ids.backColor) {
        const bool fore = member == ids.foreColor;
        LONG value = 0;
        if (get) {
            hr = fore ? object.get_ForeColor(&value) : object.get_BackColor(&value);
            if (SUCCEEDED(hr)) PutLong(result, value);
        } else if (put && ReadLong(params.rgvarg[0], value)) {
            hr = fore ? object.put_ForeColor(value) : object.put_BackColor(value);
        } else {
            return false;
        }
    } else if (member == ids.drawWidth) {
        short value = 0;
        if (!put || !ReadShort(params.rgvarg[0], value)) return false;
        hr = object.put_DrawWidth(value);
    } else if (member == ids.line) {
        // Arguments arrive last to first: colour, y2, x2, y1, x1, flags.
        if (!(flags & DISPATCH_METHOD) || params.cArgs != 6 || params.cNamedArgs != 0 || !params.rgvarg) return false;
        LONG lineFlags = 0, colour = 0;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        const VARIANT* args = params.rgvarg;
        if (!ReadLong(args[5], lineFlags) || !ReadDouble(args[4], x1) || !ReadDouble(args[3], y1) ||
            !ReadDouble(args[2], x2) || !ReadDouble(args[1], y2) || !ReadLong(args[0], colour)) {
            return false;
        }
        hr = object.Line(lineFlags, x1, y1, x2, y2, colour);
    } else if (!CaptionMember(object, ids, member, flags, params, result, get, put, hr)) {
        return false;
    }
    // As the type library reports a failed member: DISP_E_EXCEPTION, with the
    // error object's text where the caller takes it.
    if (FAILED(hr)) hr = excep ? win32::ExceptionOfErrorInfo(hr, *excep) : DISP_E_EXCEPTION;
    return true;
}

}  // namespace quillant::forms
