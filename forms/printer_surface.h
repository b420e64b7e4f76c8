#pragma once
// The printer: a document of pages, each recorded as an enhanced metafile in
// printer pixels (600 dpi, Letter by default). EndDoc sends the document to
// OutputFile or, when that is empty, to the system's default printer.

#include <optional>
#include <string>
#include <vector>

#include "forms/drawing_surface.h"
#include "win32/enh_meta_file.h"
#include "forms/document_output.h"
#include "forms/page_setup.h"

namespace quillant::forms {

class PrinterSurface : public DrawingSurface {
public:
    PrinterSurface();
    ~PrinterSurface() override;

    // Ends the current page (a blank one if nothing was drawn) and moves on.
    void NewPage();
    void EndDoc();
    void KillDoc();
    int32_t Page() const { return pageNumber_; }
    const std::wstring& OutputFile() const { return outputFile_; }
    // Empty, or a path ending in .png or .emf.
    void SetOutputFile(const std::wstring& path);

    const PageSetup& Setup() const { return setup_; }
    // Dots per inch, as Visual Basic's PrintQuality: a positive resolution
    // from 72 to 2400, or one of the qualities -1 (draft) to -4 (high).
    int16_t PrintQuality() const { return printQuality_; }
    void SetPrintQuality(int16_t quality);

protected:
    HDC DrawingDc() override;
    HDC MeasuringDc() override;
    void ResizeDevice(int pixelWidth, int pixelHeight) override;

private:
    void StartPage();
    void ClosePage();

    PageSetup setup_ = PageSetup::Letter();
    std::wstring outputFile_;
    win32::MemoryDc measuring_;
    win32::MetaFileDc page_;
    std::vector<PrintedPage> finished_;
    int32_t pageNumber_ = 1;
    int16_t printQuality_ = static_cast<int16_t>(PageSetup::Letter().dpi);
};

}  // namespace quillant::forms
