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

// The Visual Basic runtime's own numbers and texts, so hosts see familiar errors.
namespace vb_errors {
constexpr int32_t kInvalidCall = 5;
constexpr int32_t kOverflow = 6;
constexpr int32_t kSubscriptOutOfRange = 9;
constexpr int32_t kTypeMismatch = 13;
constexpr int32_t kObjectNotSet = 91;

VbError InvalidCall();
VbError Overflow();
VbError SubscriptOutOfRange();
VbError TypeMismatch();
VbError ObjectNotSet();
}  // namespace vb_errors

}  // namespace quillant
