#pragma once
// The count of live stand-in objects that a server's DllCanUnloadNow
// consults.

#include <oaidl.h>

#include <atomic>

namespace quillant::forms {

// Objects call these from their constructor and destructor.
void ObjectCreated();
void ObjectDestroyed();

// The reference count of one of the module's COM objects, which is counted
// among the live ones while it exists.
class LiveObject {
protected:
    LiveObject() { ObjectCreated(); }
    LiveObject(const LiveObject&) = delete;
    LiveObject& operator=(const LiveObject&) = delete;
    virtual ~LiveObject() { ObjectDestroyed(); }

    ULONG AddReference() { return ++references_; }
    ULONG ReleaseReference() {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

private:
    std::atomic<ULONG> references_{1};
};

}  // namespace quillant::forms
