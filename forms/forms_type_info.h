#pragma once
// The stand-ins' type library, found in whichever module embeds it, and the
// count of live stand-in objects that a server's DllCanUnloadNow consults.

#include <oaidl.h>

namespace quillant::forms {

HRESULT FormsTypeInfo(REFIID iid, ITypeInfo** out);

// Objects call these from their constructor and destructor.
void ObjectCreated();
void ObjectDestroyed();

}  // namespace quillant::forms
