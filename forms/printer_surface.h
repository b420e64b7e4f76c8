#pragma once
// The printer: a document of pages for an installed printer (DeviceName,
// the system's default at first) or for files.
//
// With a printer and no OutputFile, pages are drawn straight on the
// printer's own DC: hDC answers the driver's resolution (across and down)
// and page, the settings go to the driver, and the document is spooled page
// by page. With OutputFile set the printer is a file device, whatever
// printers are installed: any page size and resolution, each page recorded
// as an enhanced metafile in its pixels, which EndDoc writes to the file.
// Without any printer installed the page starts as Letter at 600 dpi.
// Either way (0, 0) is the paper's corner, not the printable area's, so a
// label comes out where the same script puts it in a picture file.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/document_output.h"
#include "forms/drawing_surface.h"
#include "forms/page_setup.h"
#include "forms/print_device.h"
#include "win32/enh_meta_file.h"

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
    // Empty, or a path ending in .png or .emf. Going from the printer to a
    // file or back changes the device, which a started document refuses.
    void SetOutputFile(const std::wstring& path);

    // The printer's name, driver and port; empty when none is installed.
    std::wstring DeviceName() const { return device_ ? device_->Name() : std::wstring(); }
    std::wstring DriverName() const { return device_ ? device_->Driver() : std::wstring(); }
    std::wstring Port() const { return device_ ? device_->Port() : std::wstring(); }
    // Another installed printer, with its driver's own settings.
    void SetDeviceName(const std::wstring& name);

    // Visual Basic's printer settings, kept between documents and handed to
    // the driver. PrintQuality: a resolution from 72 to 2400 dots per inch,
    // or one of the qualities -1 (draft) to -4 (high); the driver may print
    // at another, which ScaleX and hDC then answer.
    int16_t PrintQuality() const { return settings_.printQuality; }
    void SetPrintQuality(int16_t quality);
    int16_t Orientation() const { return settings_.orientation; }  // 1 portrait, 2 landscape
    void SetOrientation(int16_t orientation);
    int16_t PaperSize() const { return settings_.paperSize; }  // 256: Width and Height
    void SetPaperSize(int16_t paperSize);
    int16_t Copies() const { return settings_.copies; }
    void SetCopies(int16_t copies);

protected:
    HDC DrawingDc() override;
    HDC MeasuringDc() override;
    SIZE ResizeDevice(int pixelWidth, int pixelHeight) override;

private:
    bool PageOpen() const { return page_ || (spooled_ && spooled_->PageOpen()); }
    // Whether the settings and the page go to the installed printer's driver.
    bool OnDriver() const { return device_ && outputFile_.empty(); }
    void RefuseWithinPage(const char* property) const;
    void StartPage();
    void StartSpooledPage();
    void StartRecordedPage();
    void ClosePage();
    void ResetPen();
    // What a driver makes of settings, before the object takes it.
    struct DriverPage {
        PrintDevice device;
        win32::CreatedDc ic;
        DeviceGeometry geometry;
    };
    static DriverPage AskDriver(PrintDevice device, const PrintSettings* settings);
    // The page follows the driver's; nothing changes when that fails.
    void FollowDriver(DriverPage page, const PrintSettings& settings);
    void AskDevice(const PrintSettings& settings) { FollowDriver(AskDriver(*device_, &settings), settings); }
    // A file page: the resolution, paper and orientation asked.
    void SetFilePage(int dpi, int pixelWidth, int pixelHeight);
    void UseMeasuringDc(win32::CreatedDc dc);
    // The page as a recording or a file takes it.
    PageSetup Setup() const;
    // The settings with a paper the size of a page that large, in this orientation.
    PrintSettings PaperOfPage(PrintSettings settings, int pixelWidth, int pixelHeight) const;

    std::optional<PrintDevice> device_;
    // Why the default printer was not taken, for EndDoc to say.
    std::string defaultPrinterFault_;
    PrintSettings settings_;
    POINT printableOrigin_ = {0, 0};
    std::wstring outputFile_;
    win32::CreatedDc measuring_;
    win32::MetaFileDc page_;
    std::unique_ptr<SpooledDocument> spooled_;
    std::vector<PrintedPage> finished_;
    int32_t pageNumber_ = 1;
};

}  // namespace quillant::forms
