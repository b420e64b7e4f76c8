#pragma once
// Ownership of GDI objects and device contexts. No raw DeleteObject/DeleteDC
// outside these types.

#include <windows.h>

#include <utility>

namespace quillant::win32 {

template <class Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle h) : h_(h) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        Reset(std::exchange(other.h_, nullptr));
        return *this;
    }
    ~GdiObject() { Reset(); }

    void Reset(Handle h = nullptr) {
        if (Handle old = std::exchange(h_, h)) DeleteObject(old);
    }
    Handle Get() const { return h_; }
    Handle Release() { return std::exchange(h_, nullptr); }
    explicit operator bool() const { return h_ != nullptr; }

private:
    Handle h_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;

// A memory DC (CreateCompatibleDC), deleted with DeleteDC.
class MemoryDc {
public:
    MemoryDc() = default;
    explicit MemoryDc(HDC dc) : dc_(dc) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    MemoryDc(MemoryDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    MemoryDc& operator=(MemoryDc&& other) noexcept {
        Reset(std::exchange(other.dc_, nullptr));
        return *this;
    }
    ~MemoryDc() { Reset(); }
    void Reset(HDC dc = nullptr) {
        if (HDC old = std::exchange(dc_, dc)) DeleteDC(old);
    }
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_ = nullptr;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() {
        if (previous_) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace quillant::win32
