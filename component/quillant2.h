#pragma once
// The Quillant2 class: every member of Quillant1, and the symbology, snapping
// to the device's dots, bar width reduction, quiet zones, four turns and the
// caption and modules for hosts that draw on their own. Its Encode draws
// every bar as one box (render/label_encode.h).

#include "Quillant_h.h"
#include "component/barcode_object.h"
#include "component/caption_font.h"
#include "component/image_formats.h"
#include "component/kept_canvas.h"
#include "render/label_properties.h"

namespace quillant::component {

class Quillant2 final : public BarcodeObject<_Quillant2, LabelProperties> {
public:

    HRESULT STDMETHODCALLTYPE GetBarWidth(short* width) override;
    HRESULT STDMETHODCALLTYPE Encode(BSTR* result) override;

    HRESULT STDMETHODCALLTYPE put_Symbology(::Symbologies value) override;
    HRESULT STDMETHODCALLTYPE get_Symbology(::Symbologies* value) override;
    HRESULT STDMETHODCALLTYPE put_SnapToDevice(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_SnapToDevice(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_DeviceResolution(LONG value) override;
    HRESULT STDMETHODCALLTYPE get_DeviceResolution(LONG* value) override;
    HRESULT STDMETHODCALLTYPE put_BarWidthReduction(short value) override;
    HRESULT STDMETHODCALLTYPE get_BarWidthReduction(short* value) override;
    HRESULT STDMETHODCALLTYPE put_QuietZones(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_QuietZones(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_CaptionText(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_ModulePattern(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_Gs1Missing(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE CheckGs1Label(VARIANT labels, BSTR* result) override;

    // The caption's look.
    HRESULT STDMETHODCALLTYPE get_CaptionFont(IFontDisp** value) override;
    HRESULT STDMETHODCALLTYPE putref_CaptionFont(IFontDisp* value) override;
    HRESULT STDMETHODCALLTYPE put_CaptionFont(IFontDisp* value) override;
    HRESULT STDMETHODCALLTYPE put_CaptionPosition(::CaptionPositions value) override;
    HRESULT STDMETHODCALLTYPE get_CaptionPosition(::CaptionPositions* value) override;
    HRESULT STDMETHODCALLTYPE put_CaptionGap(LONG value) override;
    HRESULT STDMETHODCALLTYPE get_CaptionGap(LONG* value) override;

    // Images: component/image_members.cpp.
    HRESULT STDMETHODCALLTYPE put_ForeColor(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE get_ForeColor(OLE_COLOR* value) override;
    HRESULT STDMETHODCALLTYPE put_BackColor(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE get_BackColor(OLE_COLOR* value) override;
    HRESULT STDMETHODCALLTYPE get_Picture(IPictureDisp** value) override;
    HRESULT STDMETHODCALLTYPE ImageBytes(BSTR format, VARIANT resolution, VARIANT* result) override;
    HRESULT STDMETHODCALLTYPE SaveImage(BSTR fileName, VARIANT format, VARIANT resolution) override;
    HRESULT STDMETHODCALLTYPE CopyToClipboard() override;

    // A label printer's own commands.
    HRESULT STDMETHODCALLTYPE LabelCommands(BSTR language, BSTR* result) override;
    HRESULT STDMETHODCALLTYPE PrintCommands(BSTR printerName, BSTR commands) override;

private:
    friend HRESULT CreateBarcodeObject<Quillant2>(REFIID iid, void** out) noexcept;
    explicit Quillant2(win32::ComPtr<IDispatch> deviceObject);

    HRESULT RefuseValue();
    // The properties to draw with: the stored ones and the caption font's look.
    LabelProperties Drawn() const;
    // The caption font object, its size following the module until given one.
    win32::ComPtr<IDispatch> CaptionFontObject();
    // The resolution an image member was given, or its default.
    int32_t ImageResolution(const VARIANT& given) const;

    ImageColours colours_;
    KeptCanvas canvas_;
    CaptionFont captionFont_;
    bool InvokeOwnGet(DISPID member, WORD flags, VARIANT* result, HRESULT& hr) override;
    bool IsOwnPutByValue(DISPID member) const override;
    bool IsOwnPutByReference(DISPID member) const override;
    HRESULT PutOwnArgument(DISPID member, const VARIANT& argument, LCID lcid, WORD flags) override;
};

}  // namespace quillant::component
