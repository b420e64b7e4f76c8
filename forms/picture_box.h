#pragma once
// QuillantForms.PictureBox: the picture box as an automation object.

#include "forms/drawing_object_dispatch.h"
#include "forms/picture_surface.h"

namespace quillant::forms {

class PictureBox final : public DrawingObjectDispatch<IPictureBox, PictureSurface> {
public:
    PictureBox() : DrawingObjectDispatch(L"QuillantForms.PictureBox") {}

    HRESULT STDMETHODCALLTYPE Cls() override { return Do([&] { surface_.Cls(); }); }
    HRESULT STDMETHODCALLTYPE Point(double x, double y, LONG* colour) override {
        return Get(colour, [&] { return surface_.Point(x, y); });
    }
    HRESULT STDMETHODCALLTYPE get_Image(IPictureDisp** picture) override {
        return Get(picture, [&] { return surface_.Image().Detach(); });
    }
    HRESULT STDMETHODCALLTYPE SavePicture(BSTR path) override {
        return Do([&] { surface_.SavePicture(std::wstring(win32::Bstr::ViewOf(path))); });
    }
};

}  // namespace quillant::forms
