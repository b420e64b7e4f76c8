#pragma once
// QuillantForms.Printer: the printer as an automation object. It also answers
// QueryInterface for the Visual Basic Printer interface identifier, which is
// how the barcode component tells a printer from other drawing objects; what
// it hands out for it is its own dispatch interface, fit for IUnknown and
// IDispatch calls only.

#include "forms/drawing_object_dispatch.h"
#include "forms/printer_surface.h"
#include "forms/stand_in_objects.h"
#include "adapters/dispatch_drawing_object.h"

namespace quillant::forms {

class Printer final : public DrawingObjectDispatch<IPrinter, PrinterSurface> {
public:
    Printer() : DrawingObjectDispatch(L"QuillantForms.Printer") {}

    HRESULT STDMETHODCALLTYPE NewPage() override { return Do([&] { surface_.NewPage(); }); }
    HRESULT STDMETHODCALLTYPE EndDoc() override { return Do([&] { surface_.EndDoc(); }); }
    HRESULT STDMETHODCALLTYPE KillDoc() override { return Do([&] { surface_.KillDoc(); }); }
    HRESULT STDMETHODCALLTYPE get_Page(LONG* value) override { return Get(value, [&] { return surface_.Page(); }); }
    HRESULT STDMETHODCALLTYPE get_OutputFile(BSTR* value) override {
        return Get(value, [&] { return win32::Bstr(surface_.OutputFile()).Detach(); });
    }
    HRESULT STDMETHODCALLTYPE put_OutputFile(BSTR value) override {
        return Do([&] { surface_.SetOutputFile(std::wstring(win32::Bstr::ViewOf(value))); });
    }
    HRESULT STDMETHODCALLTYPE get_PrintQuality(short* value) override {
        return Get(value, [&] { return surface_.PrintQuality(); });
    }
    HRESULT STDMETHODCALLTYPE put_PrintQuality(short value) override {
        return Do([&] { surface_.SetPrintQuality(value); });
    }
    HRESULT STDMETHODCALLTYPE get_DeviceName(BSTR* value) override { return GetText(value, &PrinterSurface::DeviceName); }
    HRESULT STDMETHODCALLTYPE put_DeviceName(BSTR value) override {
        return Do([&] { surface_.SetDeviceName(std::wstring(win32::Bstr::ViewOf(value))); });
    }
    HRESULT STDMETHODCALLTYPE get_DriverName(BSTR* value) override { return GetText(value, &PrinterSurface::DriverName); }
    HRESULT STDMETHODCALLTYPE get_Port(BSTR* value) override { return GetText(value, &PrinterSurface::Port); }
    HRESULT STDMETHODCALLTYPE get_Orientation(short* value) override {
        return Get(value, [&] { return surface_.Orientation(); });
    }
    HRESULT STDMETHODCALLTYPE put_Orientation(short value) override {
        return Do([&] { surface_.SetOrientation(value); });
    }
    HRESULT STDMETHODCALLTYPE get_PaperSize(short* value) override {
        return Get(value, [&] { return surface_.PaperSize(); });
    }
    HRESULT STDMETHODCALLTYPE put_PaperSize(short value) override {
        return Do([&] { surface_.SetPaperSize(value); });
    }
    HRESULT STDMETHODCALLTYPE get_Copies(short* value) override { return Get(value, [&] { return surface_.Copies(); }); }
    HRESULT STDMETHODCALLTYPE put_Copies(short value) override { return Do([&] { surface_.SetCopies(value); }); }

private:
    HRESULT GetText(BSTR* value, std::wstring (PrinterSurface::*member)() const) {
        return Get(value, [&] { return win32::Bstr((surface_.*member)()).Detach(); });
    }

protected:
    bool AnswersAs(REFIID iid) const override { return IsEqualIID(iid, render::win32::IID_VbPrinter); }
};

}  // namespace quillant::forms
