#pragma once
// The one owner of a system handle: moves, never copies, and closes what it
// holds when it goes. What "close" and "none" mean for a kind of handle is
// its traits type:
//
//   struct Traits {
//       using Handle = HKEY;
//       static bool Valid(Handle h) noexcept;   // false for every "none" value
//       static void Close(Handle h) noexcept;   // only ever given a valid one
//   };
//
// Every handle owner of the tree is this template with its traits (see
// gdi_object.h, kernel_handle.h, registry_key.h, local_memory.h,
// enh_meta_file.h), so none closes by hand.

#include <utility>

namespace quillant::win32 {

template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    // Takes ownership; an invalid value is held as none.
    explicit UniqueHandle(Handle handle) noexcept : h_(Traits::Valid(handle) ? handle : Handle{}) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.Detach()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        Reset(other.Detach());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    // Closes what is held and takes handle instead.
    void Reset(Handle handle = Handle{}) noexcept {
        const Handle old = std::exchange(h_, Traits::Valid(handle) ? handle : Handle{});
        if (Traits::Valid(old)) Traits::Close(old);
    }
    // Gives up ownership without closing: the caller owns the handle now.
    [[nodiscard]] Handle Detach() noexcept { return std::exchange(h_, Handle{}); }
    // For the [out] parameter of the call that opens one.
    Handle* Put() noexcept {
        Reset();
        return &h_;
    }
    Handle Get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return Traits::Valid(h_); }
    void Swap(UniqueHandle& other) noexcept { std::swap(h_, other.h_); }

private:
    Handle h_{};
};

// For the traits of most kinds of handle: null is none.
template <class H>
struct NullIsNone {
    using Handle = H;
    static bool Valid(Handle h) noexcept { return h != nullptr; }
};

}  // namespace quillant::win32
