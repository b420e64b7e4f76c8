#pragma once
// Form1 with its hidden picture box Picture1: the surface that rotated
// captions for a printer are drawn on before they are painted onto the page.
// Picture boxes are made on the first printer caption and kept, one for
// each Encode that draws at the same time, until the server unloads.

#include <memory>
#include <mutex>
#include <vector>

#include "adapters/dispatch_caller.h"
#include "adapters/dispatch_drawing_object.h"
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

// The scratch forms of the process. An Encode borrows one at its first turned
// printer caption, keeps it to the end of the call and gives it back; two
// threads never share one, and no lock is held while the caption is drawn
// (the drawing calls the host's printer, which may call anything, another
// Encode included). A form's picture box is made on its first turned
// caption and kept for the next borrower.
class ScratchFormPool {
public:
    explicit ScratchFormPool(PictureBoxFactory makePictureBox) : makePictureBox_(makePictureBox) {}
    ScratchFormPool(const ScratchFormPool&) = delete;
    ScratchFormPool& operator=(const ScratchFormPool&) = delete;

    class Lease final : public ScratchForm {
    public:
        explicit Lease(ScratchFormPool& pool);
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        ~Lease() override;
        ScratchPicture& Picture1() override;

    private:
        ScratchFormPool& pool_;
        std::unique_ptr<DispatchScratchPicture> picture1_;
    };

    // Picture boxes the pool has made and not yet dropped, lent out or not:
    // they count among the module's live stand-in objects.
    size_t PictureBoxes() const;
    // Drops the picture boxes nobody borrows.
    void DropIdle();
    // Forgets the idle picture boxes without releasing them: for a module
    // unloading under the loader lock, where no object's code may run.
    void Abandon() noexcept;

private:
    const PictureBoxFactory makePictureBox_;
    mutable std::mutex mutex_;  // guards the two members below, never held while drawing
    std::vector<std::unique_ptr<DispatchScratchPicture>> idle_;
    size_t lent_ = 0;
};

}  // namespace quillant::render::win32
