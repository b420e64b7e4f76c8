#pragma once
// The count of live stand-in objects that a server's DllCanUnloadNow
// consults.

#include <oaidl.h>

namespace quillant::forms {

// Objects call these from their constructor and destructor.
void ObjectCreated();
void ObjectDestroyed();

}  // namespace quillant::forms
