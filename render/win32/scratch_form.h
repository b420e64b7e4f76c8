#pragma once
// Form1 with its hidden picture box Picture1: the surface that rotated
// captions for a printer are drawn on before they are painted onto the page.
// It is one picture box, made on the first printer caption and kept for the
// life of the library.

#include <mutex>

#include "render/win32/dispatch_caller.h"
#include "render/win32/dispatch_drawing_object.h"
#include "render/scratch_surface.h"

namespace quillant::render::win32 {

// A stand-in picture box behind the scratch picture. The members it shares
// with any drawing object go through the drawing-object adapter.
class DispatchScratchPicture final : public ScratchPicture {
public:
    explicit DispatchScratchPicture(IDispatch* pictureBox) : object_(pictureBox) {}

    void SetFontName(std::u16string_view name) override { object_.SetFontName(name); }
    void SetFontSize(double points) override { object_.SetFontSize(points); }
    double Height() override;
    void SetWidth(double twips) override;
    void SetHeight(double twips) override;
    void SetBackColor(Color color) override;
    void Cls() override;
    double TextWidth(std::u16string_view text) override { return object_.TextWidth(text); }
    DeviceContext Hdc() override { return object_.Hdc(); }
    void SetCurrentX(double x) override { object_.SetCurrentX(x); }
    void SetCurrentY(double y) override { object_.SetCurrentY(y); }
    void Print(std::u16string_view text) override { object_.Print(text); }
    std::unique_ptr<Picture> Image() override;

private:
    DispatchCaller& Caller() { return object_.Caller(); }

    DispatchDrawingObject object_;
};

// Makes the picture box the form holds. The server that owns the form hands
// it in, so the renderer does not depend on where picture boxes come from.
using PictureBoxFactory = HRESULT (*)(IDispatch** out);

class SharedScratchForm final : public ScratchForm {
public:
    explicit SharedScratchForm(PictureBoxFactory makePictureBox) : makePictureBox_(makePictureBox) {}

    ScratchPicture& Picture1() override;
    // Whether Picture1 has been made (it then counts among the live
    // stand-in objects of the module).
    bool Loaded() const;

    // Held for the whole of an Encode on a printer: the form is shared by
    // every object in the process, and one caption's picture must not be
    // mixed with another's.
    std::mutex& InUse() { return inUse_; }

private:
    const PictureBoxFactory makePictureBox_;
    std::mutex inUse_;
    // Guards picture1_ itself: Loaded() is asked from DllCanUnloadNow on any
    // thread, also while another thread holds InUse().
    mutable std::mutex pictureMutex_;
    std::unique_ptr<DispatchScratchPicture> picture1_;
};

}  // namespace quillant::render::win32
