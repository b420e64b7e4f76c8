#pragma once
// Owns one open registry key.

#include <windows.h>

#include <utility>

namespace quillant::forms::server {

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() {
        if (key_) RegCloseKey(key_);
    }
    HKEY Get() const { return key_; }
    HKEY* Put() { return &key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace quillant::forms::server
