#pragma once
// What keeps an in-process server loaded: its live objects (the class
// factories a host holds among them) and IClassFactory::LockServer locks.
// DllCanUnloadNow reads both.

namespace quillant::win32::com_server {

void ObjectCreated() noexcept;
void ObjectDestroyed() noexcept;

void LockServer() noexcept;
// An unlock without a lock is ignored: a count below zero would keep the
// server from ever unloading again.
void UnlockServer() noexcept;

// True when no object is alive and no lock is held.
bool ServerIsIdle() noexcept;

}  // namespace quillant::win32::com_server
