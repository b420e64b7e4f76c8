#include "win32/com_server/server_lifetime.h"

#include <atomic>

namespace quillant::win32::com_server {
namespace {

std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};

}  // namespace

void ObjectCreated() noexcept { ++liveObjects; }
void ObjectDestroyed() noexcept { --liveObjects; }

void LockServer() noexcept { ++serverLocks; }

void UnlockServer() noexcept {
    long locks = serverLocks.load();
    while (locks > 0 && !serverLocks.compare_exchange_weak(locks, locks - 1)) {
    }
}

bool ServerIsIdle() noexcept { return liveObjects.load() == 0 && serverLocks.load() == 0; }

}  // namespace quillant::win32::com_server
