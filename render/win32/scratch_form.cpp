#include "render/win32/scratch_form.h"

#include "win32/bstr.h"
#include "render/win32/dispatch_drawing_object.h"
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

bool SharedScratchForm::Loaded() const {
    std::lock_guard<std::mutex> lock(pictureMutex_);
    return picture1_ != nullptr;
}

ScratchPicture& SharedScratchForm::Picture1() {
    std::lock_guard<std::mutex> lock(pictureMutex_);
    if (!picture1_) {
        ComPtr<IDispatch> pictureBox;
        const HRESULT hr = makePictureBox_(pictureBox.Put());
        if (FAILED(hr)) throw quillant::win32::ErrorFromCall(hr, nullptr, nullptr);
        picture1_ = std::make_unique<DispatchScratchPicture>(pictureBox.Get());
    }
    return *picture1_;
}

}  // namespace quillant::render::win32
