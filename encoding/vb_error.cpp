#include "encoding/vb_error.h"

#include <new>

namespace quillant::vb_errors {
namespace {

struct Row {
    int32_t number;
    const char* text;
};

// The texts of the Visual Basic runtime, as hosts know them.
constexpr Row kTexts[] = {
    {kInvalidCall, "Invalid procedure call or argument"},
    {kOverflow, "Overflow"},
    {kOutOfMemory, "Out of memory"},
    {kSubscriptOutOfRange, "Subscript out of range"},
    {kDivisionByZero, "Division by zero"},
    {kTypeMismatch, "Type mismatch"},
    {kInternalError, "Internal error"},
    {kFileNotFound, "File not found"},
    {kDiskFull, "Disk full"},
    {kFileAccess, "Path/File access error"},
    {kObjectNotSet, "Object variable or With block variable not set"},
    {kInvalidPropertyValue, "Invalid property value"},
    {kSetWithinPage, "Property cannot be set within a page"},
    {kObjectRequired, "Object required"},
    {kNoSuchMember, "Object doesn't support this property or method"},
    {kWrongArguments, "Wrong number of arguments or invalid property assignment"},
    {kCannotCreateImage, "Can't create AutoRedraw image"},
    {kInvalidPicture, "Invalid picture"},
    {kPrinterError, "Printer error"},
    {kPropertyNotSupportedByDriver, "Printer driver does not support specified property"},
    {kPrinterInformation,
     "Problem getting printer information from the system. Make sure the printer is set up correctly"},
    {kCannotOpenClipboard, "Can't open Clipboard"},
};

}  // namespace

const char* TextOf(int32_t number) noexcept {
    for (const Row& row : kTexts) {
        if (row.number == number) return row.text;
    }
    return nullptr;
}

VbError WithText(int32_t number) {
    const char* text = TextOf(number);
    return VbError(number, text ? text : "Application-defined or object-defined error");
}

VbError WithDetail(int32_t number, const std::string& detail) {
    const char* text = TextOf(number);
    return VbError(number, std::string(text ? text : "Error") + ": " + detail);
}

VbError CurrentError() {
    try {
        throw;
    } catch (const VbError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return WithText(kOutOfMemory);
    } catch (...) {
        return WithText(kInternalError);
    }
}

VbError InvalidCall() { return WithText(kInvalidCall); }
VbError Overflow() { return WithText(kOverflow); }
VbError SubscriptOutOfRange() { return WithText(kSubscriptOutOfRange); }
VbError TypeMismatch() { return WithText(kTypeMismatch); }
VbError ObjectNotSet() { return WithText(kObjectNotSet); }

}  // namespace quillant::vb_errors
