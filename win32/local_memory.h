#pragma once
// Owns memory the system allocated for the caller with LocalAlloc (such as
// FormatMessage's buffer). No raw LocalFree outside this type.

#include <windows.h>

#include <utility>

namespace quillant::win32 {

template <class T>
class LocalMemory {
public:
    LocalMemory() = default;
    LocalMemory(const LocalMemory&) = delete;
    LocalMemory& operator=(const LocalMemory&) = delete;
    ~LocalMemory() { Reset(); }

    void Reset() {
        if (T* old = std::exchange(p_, nullptr)) LocalFree(old);
    }
    // For the [out] pointer of the call that allocates.
    T** Put() {
        Reset();
        return &p_;
    }
    T* Get() const { return p_; }

private:
    T* p_ = nullptr;
};

}  // namespace quillant::win32
