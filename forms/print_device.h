#pragma once
// An installed printer, reached through the spooler: its name, driver and
// port, the DEVMODE a document asks of it, what the driver makes of that
// (resolution, paper, printable area) and documents spooled to it. Faults
// are raised as Visual Basic's printer errors: 484 for a printer that is not
// there, 483 for a setting its driver refuses, 482 for a failed job.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "win32/gdi_object.h"

namespace quillant::forms {

// What a document asks of a driver, in the DEVMODE's own terms.
struct PrintSettings {
    int16_t orientation = DMORIENT_PORTRAIT;
    int16_t paperSize = DMPAPER_LETTER;  // DMPAPER_USER takes the two lengths below
    int16_t paperWidth = 0;              // tenths of a millimetre, across the paper fed
    int16_t paperLength = 0;
    int16_t copies = 1;
    int16_t printQuality = 600;  // dots per inch, or DMRES_DRAFT (-1) to DMRES_HIGH (-4)
    int16_t yResolution = 0;     // dots per inch down, where they differ from printQuality's
};

// A page as the driver prints it, in its own dots.
struct DeviceGeometry {
    int dpiX = 0, dpiY = 0;
    int paperWidth = 0, paperHeight = 0;  // the whole sheet or label
    int offsetX = 0, offsetY = 0;         // where the printable area starts on it
};

struct InstalledPrinter {
    std::wstring name;
    std::wstring driver;
    std::wstring port;
};

// The printers the spooler knows, in its order.
std::vector<InstalledPrinter> InstalledPrinters();
std::optional<std::wstring> DefaultPrinterName();

class PrintDevice {
public:
    // Raises 484 naming the printer when the spooler does not know it.
    explicit PrintDevice(const std::wstring& name);

    const std::wstring& Name() const { return printer_.name; }
    const std::wstring& Driver() const { return printer_.driver; }
    const std::wstring& Port() const { return printer_.port; }

    // What the driver's DEVMODE holds now (its defaults until Apply).
    PrintSettings Settings() const;
    // The resolution the printer's PostScript description names as its
    // default, where the driver has one and lists that resolution.
    std::optional<PrintSettings> DescribedDefault() const;
    // Merges the settings into the driver's DEVMODE. Raises 483 when the
    // driver has no such paper; a driver may still round a resolution or
    // size to one it has, which Geometry then tells.
    void Apply(const PrintSettings& settings);
    DeviceGeometry Geometry() const { return Geometry(InformationContext().Get()); }
    // The same, read from an information context of this printer.
    DeviceGeometry Geometry(HDC ic) const;

    // The driver's paper within a millimetre of the size (tenths of a
    // millimetre, either way round), if it has one.
    std::optional<int16_t> PaperOfSize(int width, int length) const;

    // An information context with the current DEVMODE: measures, draws nothing.
    win32::CreatedDc InformationContext() const;
    // A printer DC with the current DEVMODE, for a document.
    win32::CreatedDc PrinterDc() const;
    // For messages: the printer's name in quotes.
    std::string Quoted() const;

private:
    const DEVMODEW* DevMode() const { return reinterpret_cast<const DEVMODEW*>(devMode_.data()); }
    std::vector<int16_t> Papers() const;

    InstalledPrinter printer_;
    std::vector<BYTE> devMode_;
};

// A document spooled to a printer a page at a time. One dropped before End
// is aborted, so a failed script leaves no half job in the queue.
class SpooledDocument {
public:
    SpooledDocument(const PrintDevice& device, const std::wstring& title);
    SpooledDocument(const SpooledDocument&) = delete;
    SpooledDocument& operator=(const SpooledDocument&) = delete;
    ~SpooledDocument();

    HDC Dc() const { return dc_.Get(); }
    bool PageOpen() const { return pageOpen_; }
    void StartPage();
    void EndPage();
    // Ends the open page, if any, and the document: the job goes to the printer.
    void End();

private:
    void Fail(const char* what);

    std::string printer_;
    win32::CreatedDc dc_;
    bool pageOpen_ = false;
    bool ended_ = false;
};

}  // namespace quillant::forms
