#include "component/server_lifetime.h"

#include <atomic>

namespace quillant::component {
namespace {

std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};

}  // namespace

void ObjectCreated() noexcept { ++liveObjects; }
void ObjectDestroyed() noexcept { --liveObjects; }

void LockServer(bool lock) noexcept {
    if (lock) {
        ++serverLocks;
    } else if (serverLocks.fetch_sub(1) <= 0) {
        // An unbalanced unlock must not leave the count negative, or the
        // server could never unload again.
        ++serverLocks;
    }
}

bool ServerIsIdle() noexcept { return liveObjects.load() == 0 && serverLocks.load() == 0; }

}  // namespace quillant::component
