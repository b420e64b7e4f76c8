#include "encoding/vb_error.h"

namespace quillant::vb_errors {

VbError InvalidCall() { return VbError(kInvalidCall, "Invalid procedure call or argument"); }
VbError Overflow() { return VbError(kOverflow, "Overflow"); }
VbError SubscriptOutOfRange() { return VbError(kSubscriptOutOfRange, "Subscript out of range"); }
VbError TypeMismatch() { return VbError(kTypeMismatch, "Type mismatch"); }
VbError ObjectNotSet() {
    return VbError(kObjectNotSet, "Object variable or With block variable not set");
}

}  // namespace quillant::vb_errors
