#pragma once
// The Visual Basic errors the stand-in drawing objects raise: the numbers a
// Visual Basic picture box or Printer raises for the same faults, with
// Visual Basic's text and a detail that says what to do about them.

#include <string>

#include "encoding/vb_error.h"

namespace quillant::forms::errors {

using namespace vb_errors;

inline VbError InvalidPropertyValue(const std::string& property, const std::string& why) {
    return WithDetail(kInvalidPropertyValue, property + " " + why);
}
inline VbError InvalidArgument(const std::string& why) { return WithDetail(kInvalidCall, why); }
inline VbError SetWithinPage(const std::string& property) {
    return VbError(kSetWithinPage, "'" + property + "' property cannot be set within a page");
}
inline VbError CannotCreateImage(int width, int height) {
    return VbError(kCannotCreateImage, std::string(TextOf(kCannotCreateImage)) + " of " + std::to_string(width) +
                                           " x " + std::to_string(height) + " pixels");
}
inline VbError InvalidPicture(const std::string& why) { return WithDetail(kInvalidPicture, why); }
inline VbError PrinterError(const std::string& why) { return WithDetail(kPrinterError, why); }
inline VbError DriverLacks(const std::string& what) { return WithDetail(kPropertyNotSupportedByDriver, what); }
inline VbError PrinterInformation(const std::string& why) { return WithDetail(kPrinterInformation, why); }
inline VbError FileAccess(const std::string& what) { return WithDetail(kFileAccess, what); }

}  // namespace quillant::forms::errors
