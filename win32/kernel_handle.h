#pragma once
// Owns one kernel object handle (event, file, process, thread). No raw
// CloseHandle outside this type.

#include <windows.h>

#include <utility>

namespace quillant::win32 {

class KernelHandle {
public:
    KernelHandle() = default;
    // Takes ownership; null and INVALID_HANDLE_VALUE both mean "none".
    explicit KernelHandle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    KernelHandle(KernelHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    KernelHandle& operator=(KernelHandle&& other) noexcept {
        KernelHandle(std::move(other)).Swap(*this);
        return *this;
    }
    ~KernelHandle() {
        if (handle_) CloseHandle(handle_);
    }

    HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Swap(KernelHandle& other) noexcept { std::swap(handle_, other.handle_); }

private:
    HANDLE handle_ = nullptr;
};

}  // namespace quillant::win32
