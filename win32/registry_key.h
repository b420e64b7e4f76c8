#pragma once
// Owns one open registry key. No raw RegCloseKey outside this type.

#include <windows.h>

#include <utility>

namespace quillant::win32 {

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        Reset(std::exchange(other.key_, nullptr));
        return *this;
    }
    ~RegistryKey() { Reset(); }

    void Reset(HKEY key = nullptr) {
        if (HKEY old = std::exchange(key_, key)) RegCloseKey(old);
    }
    // For the [out] HKEY of RegOpenKeyEx / RegCreateKeyEx.
    HKEY* Put() {
        Reset();
        return &key_;
    }
    HKEY Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

}  // namespace quillant::win32
