#include "scratch_form.h"

#include "bstr.h"
#include "dispatch_drawing_object.h"
#include "stand_in_objects.h"
#include "vb_com_error.h"
#include "vb_error.h"

namespace quillant::render::win32 {

using quillant::win32::Bstr;
using quillant::win32::ComPtr;
using quillant::win32::Variant;

void DispatchScratchPicture::SetFontName(std::u16string_view name) {
    Bstr value(name);
    caller_.Put(Member::kFontName, ArgString(value.Get()));
}
void DispatchScratchPicture::SetFontSize(double points) { caller_.Put(Member::kFontSize, ArgDouble(points)); }
double DispatchScratchPicture::Height() {
    Variant v = caller_.Get(Member::kHeight);
    return AsDouble(v);
}
void DispatchScratchPicture::SetWidth(double twips) { caller_.Put(Member::kWidth, ArgDouble(twips)); }
void DispatchScratchPicture::SetHeight(double twips) { caller_.Put(Member::kHeight, ArgDouble(twips)); }
void DispatchScratchPicture::SetBackColor(Color color) {
    caller_.Put(Member::kBackColor, ArgLong(static_cast<int32_t>(color)));
}
void DispatchScratchPicture::Cls() { caller_.Call(Member::kCls, {}); }
double DispatchScratchPicture::TextWidth(std::u16string_view text) {
    Bstr value(text);
    Variant v = caller_.Call(Member::kTextWidth, {ArgString(value.Get())});
    return AsDouble(v);
}
DeviceContext DispatchScratchPicture::Hdc() {
    Variant v = caller_.Get(Member::kHdc);
    return AsLong(v);
}
void DispatchScratchPicture::SetCurrentX(double x) { caller_.Put(Member::kCurrentX, ArgDouble(x)); }
void DispatchScratchPicture::SetCurrentY(double y) { caller_.Put(Member::kCurrentY, ArgDouble(y)); }
void DispatchScratchPicture::Print(std::u16string_view text) {
    Bstr value(text);
    caller_.Call(Member::kPrint, {ArgString(value.Get())});
}
std::unique_ptr<Picture> DispatchScratchPicture::Image() {
    Variant v = caller_.Get(Member::kImage);
    if (V_VT(v.Get()) != VT_DISPATCH && V_VT(v.Get()) != VT_UNKNOWN) throw vb_errors::TypeMismatch();
    ComPtr<IDispatch> picture;
    if (!V_UNKNOWN(v.Get()) || FAILED(V_UNKNOWN(v.Get())->QueryInterface(IID_IDispatch, picture.PutVoid()))) {
        throw vb_errors::ObjectNotSet();
    }
    return std::make_unique<DispatchPicture>(picture.Get());
}

SharedScratchForm& SharedScratchForm::Instance() {
    // Lives as long as the library; the picture box is our own object, so
    // releasing it when the library unloads calls nothing outside it.
    static SharedScratchForm form;
    return form;
}

bool SharedScratchForm::Loaded() const { return picture1_ != nullptr; }

ScratchPicture& SharedScratchForm::Picture1() {
    if (!picture1_) {
        ComPtr<IDispatch> pictureBox;
        const HRESULT hr = quillant::forms::CreatePictureBox(pictureBox.Put());
        if (FAILED(hr)) throw quillant::win32::ErrorFromCall(hr, nullptr, nullptr);
        picture1_ = std::make_unique<DispatchScratchPicture>(pictureBox.Get());
    }
    return *picture1_;
}

}  // namespace quillant::render::win32
