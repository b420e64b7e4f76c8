#pragma once
// Form1 with its hidden picture box Picture1: the surface that rotated
// captions for a printer are drawn on before they are painted onto the page.
// It is one stand-in picture box, made on the first printer caption and kept
// for the life of the library.

#include <mutex>

#include "dispatch_caller.h"
#include "scratch_surface.h"

namespace quillant::render::win32 {

class DispatchScratchPicture final : public ScratchPicture {
public:
    explicit DispatchScratchPicture(IDispatch* pictureBox) : caller_(pictureBox) {}

    void SetFontName(std::u16string_view name) override;
    void SetFontSize(double points) override;
    double Height() override;
    void SetWidth(double twips) override;
    void SetHeight(double twips) override;
    void SetBackColor(Color color) override;
    void Cls() override;
    double TextWidth(std::u16string_view text) override;
    DeviceContext Hdc() override;
    void SetCurrentX(double x) override;
    void SetCurrentY(double y) override;
    void Print(std::u16string_view text) override;
    std::unique_ptr<Picture> Image() override;

private:
    DispatchCaller caller_;
};

class SharedScratchForm final : public ScratchForm {
public:
    // The library's one form.
    static SharedScratchForm& Instance();

    ScratchPicture& Picture1() override;
    // Whether Picture1 has been made (it then counts among the live
    // stand-in objects of the module).
    bool Loaded() const;

    // Held for the whole of an Encode on a printer: the form is shared by
    // every object in the process, and one caption's picture must not be
    // mixed with another's.
    std::mutex& InUse() { return inUse_; }

private:
    SharedScratchForm() = default;

    std::mutex inUse_;
    std::unique_ptr<DispatchScratchPicture> picture1_;
};

}  // namespace quillant::render::win32
