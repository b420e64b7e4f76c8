#pragma once
// Owns one BSTR. No raw SysAllocString/SysFreeString outside this type.

#include <oleauto.h>

#include <new>
#include <string>
#include <string_view>
#include <utility>

namespace quillant::win32 {

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::wstring_view text) : b_(Allocate(text)) {}
    explicit Bstr(std::u16string_view text)
        : Bstr(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size())) {}
    Bstr(const Bstr& other) : b_(other.b_ ? Allocate(other.View()) : nullptr) {}
    Bstr(Bstr&& other) noexcept : b_(std::exchange(other.b_, nullptr)) {}
    ~Bstr() { SysFreeString(b_); }
    Bstr& operator=(Bstr other) noexcept {
        std::swap(b_, other.b_);
        return *this;
    }

    static Bstr Attach(BSTR b) {
        Bstr result;
        result.b_ = b;
        return result;
    }
    // A copy of a borrowed BSTR (e.g. an [in] argument); embedded NULs survive.
    static Bstr CopyOf(BSTR b) { return Bstr(ViewOf(b)); }

    BSTR Detach() { return std::exchange(b_, nullptr); }
    BSTR Get() const { return b_; }
    BSTR* Put() {
        SysFreeString(std::exchange(b_, nullptr));
        return &b_;
    }

    std::wstring_view View() const { return ViewOf(b_); }
    std::u16string_view U16() const { return U16Of(b_); }

    // A null BSTR is the empty string in automation.
    static std::wstring_view ViewOf(BSTR b) { return b ? std::wstring_view(b, SysStringLen(b)) : std::wstring_view(); }
    static std::u16string_view U16Of(BSTR b) {
        static_assert(sizeof(wchar_t) == sizeof(char16_t), "BSTR holds UTF-16 code units");
        const std::wstring_view w = ViewOf(b);
        return std::u16string_view(reinterpret_cast<const char16_t*>(w.data()), w.size());
    }

private:
    static BSTR Allocate(std::wstring_view text) {
        BSTR b = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        if (!b) throw std::bad_alloc();
        return b;
    }

    BSTR b_ = nullptr;
};

}  // namespace quillant::win32
