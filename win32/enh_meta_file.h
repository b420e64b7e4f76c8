#pragma once
// Ownership of enhanced metafiles and of the DCs that record them. No raw
// CloseEnhMetaFile/DeleteEnhMetaFile outside these types.

#include <windows.h>

#include <utility>

namespace quillant::win32 {

class EnhMetaFile {
public:
    EnhMetaFile() = default;
    explicit EnhMetaFile(HENHMETAFILE h) : h_(h) {}
    EnhMetaFile(const EnhMetaFile&) = delete;
    EnhMetaFile& operator=(const EnhMetaFile&) = delete;
    EnhMetaFile(EnhMetaFile&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    EnhMetaFile& operator=(EnhMetaFile&& other) noexcept {
        Reset(std::exchange(other.h_, nullptr));
        return *this;
    }
    ~EnhMetaFile() { Reset(); }

    void Reset(HENHMETAFILE h = nullptr) {
        if (HENHMETAFILE old = std::exchange(h_, h)) DeleteEnhMetaFile(old);
    }
    HENHMETAFILE Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    // Hands the metafile to a new owner (a picture object that deletes it).
    HENHMETAFILE Release() { return std::exchange(h_, nullptr); }

private:
    HENHMETAFILE h_ = nullptr;
};

// A DC recording an enhanced metafile (CreateEnhMetaFile). Close() hands over
// the recording; dropping the DC unclosed discards it.
class MetaFileDc {
public:
    MetaFileDc() = default;
    explicit MetaFileDc(HDC dc) : dc_(dc) {}
    MetaFileDc(const MetaFileDc&) = delete;
    MetaFileDc& operator=(const MetaFileDc&) = delete;
    MetaFileDc(MetaFileDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    MetaFileDc& operator=(MetaFileDc&& other) noexcept {
        MetaFileDc(std::move(other)).Swap(*this);
        return *this;
    }
    ~MetaFileDc() { EnhMetaFile discarded = Close(); }

    EnhMetaFile Close() {
        HDC dc = std::exchange(dc_, nullptr);
        return EnhMetaFile(dc ? CloseEnhMetaFile(dc) : nullptr);
    }
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void Swap(MetaFileDc& other) noexcept { std::swap(dc_, other.dc_); }

private:
    HDC dc_ = nullptr;
};

}  // namespace quillant::win32
