#pragma once
// The Visual Basic errors the stand-in drawing objects raise: the numbers a
// Visual Basic picture box or Printer raises for the same faults, with texts
// that say what to do about them.

#include <string>

#include "encoding/vb_error.h"

namespace quillant::forms::errors {

constexpr int32_t kFileAccess = 75;
constexpr int32_t kInvalidPropertyValue = 380;
constexpr int32_t kSetWithinPage = 396;
constexpr int32_t kCannotCreateImage = 480;
constexpr int32_t kInvalidPicture = 481;
constexpr int32_t kPrinterError = 482;

inline VbError InvalidPropertyValue(const std::string& property, const std::string& why) {
    return VbError(kInvalidPropertyValue, "Invalid property value: " + property + " " + why);
}
inline VbError InvalidArgument(const std::string& why) {
    return VbError(vb_errors::kInvalidCall, "Invalid procedure call or argument: " + why);
}
inline VbError SetWithinPage(const std::string& property) {
    return VbError(kSetWithinPage, "'" + property + "' property cannot be set within a page");
}
inline VbError CannotCreateImage(int width, int height) {
    return VbError(kCannotCreateImage, "Can't create AutoRedraw image of " + std::to_string(width) + " x " +
                                           std::to_string(height) + " pixels");
}
inline VbError InvalidPicture(const std::string& why) { return VbError(kInvalidPicture, "Invalid picture: " + why); }
inline VbError PrinterError(const std::string& why) { return VbError(kPrinterError, "Printer error: " + why); }
inline VbError FileAccess(const std::string& what) { return VbError(kFileAccess, "Path/File access error: " + what); }

}  // namespace quillant::forms::errors
