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

struct FaultRow {
    PrinterCommandFault fault;
    int32_t number;
    const char* text;
};

constexpr FaultRow kPrinterCommandFaults[] = {
    {PrinterCommandFault::kUnknownLanguage, kInvalidCall, "Language must be \"ZPL\" or \"EPL\""},
    {PrinterCommandFault::kBarWidthReduction, kInvalidPropertyValue,
     "label printers draw whole modules; set BarWidthReduction to 0 and adjust the printer's darkness instead"},
    {PrinterCommandFault::kModuleTooWide, kInvalidPropertyValue,
     "label printers take modules of 1 to 10 dots; ElementWidth gives"},
    {PrinterCommandFault::kBarTooTall, kInvalidPropertyValue, "the bar height is more dots than the language takes:"},
    {PrinterCommandFault::kPositionOutOfRange, kInvalidPropertyValue,
     "the field origin is outside the label's 0 to 32000 dots:"},
    {PrinterCommandFault::kEplCodeSets, kInvalidCall,
     "EPL cannot print this symbol exactly: EPL's B command draws one code set for the whole symbol and this "
     "symbol changes code sets; use ZPL"},
    {PrinterCommandFault::kEplFunctionCharacter, kInvalidCall,
     "EPL cannot print this symbol exactly: it needs FNC1, FNC2, FNC3 or FNC4 (GS1-128, Latin-1 letters), which "
     "EPL's B command does not take in a fixed code set; use ZPL"},
    {PrinterCommandFault::kEplLineBreak, kInvalidCall,
     "EPL cannot print this symbol exactly: EPL ends a command at NUL, CR or LF, even inside its data; use ZPL"},
    {PrinterCommandFault::kEplCaptionAbove, kInvalidCall,
     "EPL prints its human-readable line below the bars only: CaptionPosition must be bcCaptionBelow or bcCaptionNone"},
    {PrinterCommandFault::kUnknownPrinter, kPrinterError, "no printer of that name:"},
    {PrinterCommandFault::kSpoolerFailure, kPrinterError, "the spooler did not take the job:"},
    {PrinterCommandFault::kNotLatin1, kInvalidCall,
     "Commands go to the printer as bytes and may hold only characters U+0000 to U+00FF; found"},
};

}  // namespace

VbError PrinterCommandError(PrinterCommandFault fault, const std::string& detail) {
    for (const FaultRow& row : kPrinterCommandFaults) {
        if (row.fault == fault) return WithDetail(row.number, detail.empty() ? row.text : std::string(row.text) + " " + detail);
    }
    return WithText(kInternalError);
}

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
