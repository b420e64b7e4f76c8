#include "adapters/scratch_form.h"

#include <new>

#include "win32/bstr.h"
#include "adapters/dispatch_drawing_object.h"
#include "win32/vb_com_error.h"
#include "encoding/vb_error.h"

namespace quillant::render::win32 {

using quillant::win32::Bstr;
using quillant::win32::ComPtr;
using quillant::win32::Variant;

double DispatchScratchPicture::Height() {
    Variant v = Caller().Get(Member::kHeight);
    return AsDouble(v);
}
void DispatchScratchPicture::SetWidth(double twips) { Caller().Put(Member::kWidth, ArgDouble(twips)); }
void DispatchScratchPicture::SetHeight(double twips) { Caller().Put(Member::kHeight, ArgDouble(twips)); }
void DispatchScratchPicture::SetBackColor(Color color) {
    Caller().Put(Member::kBackColor, ArgLong(static_cast<int32_t>(color)));
}
void DispatchScratchPicture::Cls() { Caller().Call(Member::kCls, {}); }
std::unique_ptr<Picture> DispatchScratchPicture::Image() {
    Variant v = Caller().Get(Member::kImage);
    if (V_VT(v.Get()) != VT_DISPATCH && V_VT(v.Get()) != VT_UNKNOWN) throw vb_errors::TypeMismatch();
    ComPtr<IDispatch> picture;
    if (!V_UNKNOWN(v.Get()) || FAILED(V_UNKNOWN(v.Get())->QueryInterface(IID_IDispatch, picture.PutVoid()))) {
        throw vb_errors::ObjectNotSet();
    }
    return std::make_unique<DispatchPicture>(picture.Get());
}

ScratchFormPool::Lease::Lease(ScratchFormPool& pool) : pool_(pool) {}

ScratchFormPool::Lease::~Lease() {
    if (!picture1_) return;
    std::lock_guard<std::mutex> lock(pool_.mutex_);
    --pool_.lent_;
    // Kept for the next borrower; a full vector drops the picture instead.
    try {
        pool_.idle_.push_back(std::move(picture1_));
    } catch (const std::bad_alloc&) {
    }
}

// Borrowed on the first turned caption, not when the lease is made: most
// Encodes draw none, and would take the pool's lock for nothing.
ScratchPicture& ScratchFormPool::Lease::Picture1() {
    if (picture1_) return *picture1_;
    {
        std::lock_guard<std::mutex> lock(pool_.mutex_);
        if (!pool_.idle_.empty()) {
            picture1_ = std::move(pool_.idle_.back());
            pool_.idle_.pop_back();
            ++pool_.lent_;
            return *picture1_;
        }
    }
    ComPtr<IDispatch> pictureBox;
    const HRESULT hr = pool_.makePictureBox_(pictureBox.Put());
    if (FAILED(hr)) throw quillant::win32::ErrorFromCall(hr, nullptr, nullptr);
    auto made = std::make_unique<DispatchScratchPicture>(pictureBox.Get());
    std::lock_guard<std::mutex> lock(pool_.mutex_);
    ++pool_.lent_;
    picture1_ = std::move(made);
    return *picture1_;
}

size_t ScratchFormPool::PictureBoxes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return idle_.size() + lent_;
}

void ScratchFormPool::DropIdle() {
    std::vector<std::unique_ptr<DispatchScratchPicture>> dropped;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        dropped.swap(idle_);
    }
    // Released outside the lock: a release may run the picture box's
    // destructor, which is code of its own.
}

void ScratchFormPool::Abandon() noexcept {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& picture : idle_) static_cast<void>(picture.release());
    idle_.clear();
}

}  // namespace quillant::render::win32
