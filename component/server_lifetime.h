#pragma once
// What keeps Quillant.dll loaded: live Quillant1 objects and class factory
// locks. DllCanUnloadNow reads both.

namespace quillant::component {

void ObjectCreated() noexcept;
void ObjectDestroyed() noexcept;
void LockServer(bool lock) noexcept;

// True when no object is alive and no lock is held.
bool ServerIsIdle() noexcept;

}  // namespace quillant::component
