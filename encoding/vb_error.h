#pragma once
// The one error type of the component: a Visual Basic error number with its
// description. Hosts read both through Err.Number / Err.Description, and
// Encode hands the description back as its result text.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quillant {

class VbError : public std::runtime_error {
public:
    VbError(int32_t number, const std::string& description)
        : std::runtime_error(description), number_(number) {}

    int32_t number() const noexcept { return number_; }
    std::string description() const { return what(); }

private:
    int32_t number_;
};

// The Visual Basic runtime's own numbers and texts, so hosts see familiar
// errors. The texts are in one table (TextOf); everything else names them by
// number.
namespace vb_errors {
constexpr int32_t kInvalidCall = 5;
constexpr int32_t kOverflow = 6;
constexpr int32_t kOutOfMemory = 7;
constexpr int32_t kSubscriptOutOfRange = 9;
constexpr int32_t kDivisionByZero = 11;
constexpr int32_t kTypeMismatch = 13;
constexpr int32_t kInternalError = 51;
constexpr int32_t kFileNotFound = 53;
constexpr int32_t kDiskFull = 61;
constexpr int32_t kFileAccess = 75;
constexpr int32_t kObjectNotSet = 91;
constexpr int32_t kInvalidPropertyValue = 380;
constexpr int32_t kSetWithinPage = 396;
constexpr int32_t kObjectRequired = 424;
constexpr int32_t kNoSuchMember = 438;
constexpr int32_t kWrongArguments = 450;
constexpr int32_t kCannotCreateImage = 480;
constexpr int32_t kInvalidPicture = 481;
constexpr int32_t kPrinterError = 482;
constexpr int32_t kPropertyNotSupportedByDriver = 483;
constexpr int32_t kPrinterInformation = 484;
constexpr int32_t kCannotOpenClipboard = 521;

// Visual Basic's text for the number, or null for a number it has none for.
const char* TextOf(int32_t number) noexcept;

// The error with Visual Basic's own text, and with a detail after it
// ("Invalid property value: FontSize must be above 0").
VbError WithText(int32_t number);
VbError WithDetail(int32_t number, const std::string& detail);

// The exception being handled, as a Visual Basic caller is told of it: a
// VbError as it is, running out of memory as 7, anything else as 51
// "Internal error". Only inside a catch block.
VbError CurrentError();

// What a label printer's own commands cannot do, in one table: each fault's
// number and its detail, which names the language and what to change.
enum class PrinterCommandFault {
    kUnknownLanguage,       // not "ZPL" or "EPL"
    kBarWidthReduction,     // the printers draw whole modules only
    kModuleTooWide,         // ^BY and EPL's narrow bar take 1 to 10 dots
    kBarTooTall,            // ^BC and EPL take at most 32000 / 9999 dots
    kPositionOutOfRange,    // a field origin beyond the languages' 0..32000 dots
    kEplCodeSets,           // EPL draws one code set per symbol, chosen by type
    kEplFunctionCharacter,  // EPL has no spelling for FNC1..FNC4 in a fixed code set
    kEplLineBreak,          // EPL ends a command at a line break, even in quotes
    kEplCaptionAbove,       // EPL prints its human-readable line below the bars only
    kUnknownPrinter,        // the spooler has no printer of that name
    kSpoolerFailure,        // the spooler refused the job or its bytes
    kNotLatin1,             // the commands are sent as bytes: U+0000..U+00FF only
};
// The fault as Visual Basic's error, with a detail after the table's text
// (a number, a name) when one is given.
VbError PrinterCommandError(PrinterCommandFault fault, const std::string& detail = {});

VbError InvalidCall();
VbError Overflow();
VbError SubscriptOutOfRange();
VbError TypeMismatch();
VbError ObjectNotSet();
}  // namespace vb_errors

}  // namespace quillant
