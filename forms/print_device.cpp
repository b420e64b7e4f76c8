#include "forms/print_device.h"

#include <winspool.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "forms/file_names.h"
#include "forms/forms_errors.h"
#include "win32/kernel_handle.h"
#include "win32/printer_handle.h"

namespace quillant::forms {
namespace {

using win32::PrinterHandle;

std::wstring TextOrEmpty(const wchar_t* text) { return text ? text : L""; }

// "*DefaultResolution: 203dpi" or "203x406dpi" in a PPD, across and down.
std::optional<POINT> PpdDefaultResolution(const std::wstring& path) {
    const win32::KernelHandle file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return std::nullopt;
    // The keyword sits among the UI options, well within the first megabyte.
    std::string text(1 << 20, '\0');
    DWORD read = 0;
    if (!ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) return std::nullopt;
    text.resize(read);
    static constexpr char kKeyword[] = "\n*DefaultResolution:";
    const size_t at = text.find(kKeyword);
    if (at == std::string::npos) return std::nullopt;
    const char* cursor = text.c_str() + at + sizeof kKeyword - 1;
    char* end = nullptr;
    const long across = std::strtol(cursor, &end, 10);
    long down = across;
    if (*end == 'x') down = std::strtol(end + 1, &end, 10);
    if (std::strncmp(end, "dpi", 3) != 0 || across <= 0 || down <= 0 || across > 9600 || down > 9600) {
        return std::nullopt;
    }
    return POINT{across, down};
}

// A paper is the one asked for when it is within a millimetre either way.
constexpr int kPaperTolerance = 10;  // tenths of a millimetre
// Below this a driver's resolution is a misreading, not a printer.
constexpr int kLowestResolution = 72;

}  // namespace

std::vector<InstalledPrinter> InstalledPrinters() {
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    EnumPrintersW(flags, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    if (needed == 0 || !EnumPrintersW(flags, nullptr, 2, buffer.data(), needed, &needed, &count)) return {};
    std::vector<InstalledPrinter> printers;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        printers.push_back({TextOrEmpty(info[i].pPrinterName), TextOrEmpty(info[i].pDriverName),
                            TextOrEmpty(info[i].pPortName)});
    }
    return printers;
}

std::optional<std::wstring> DefaultPrinterName() {
    DWORD length = 0;
    GetDefaultPrinterW(nullptr, &length);
    if (length == 0) return std::nullopt;
    std::wstring name(length, L'\0');
    if (!GetDefaultPrinterW(name.data(), &length)) return std::nullopt;
    name.resize(wcsnlen(name.c_str(), name.size()));
    return name;
}

PrintDevice::PrintDevice(const std::wstring& name) {
    const std::string quoted = "'" + NameForMessage(name) + "'";
    const PrinterHandle printer(name);
    if (name.empty() || !printer) {
        throw errors::PrinterInformation("no printer named " + quoted + " is installed");
    }
    DWORD needed = 0;
    GetPrinterW(printer.Get(), 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    if (needed == 0 || !GetPrinterW(printer.Get(), 2, info.data(), needed, &needed)) {
        throw errors::PrinterInformation("the spooler cannot describe the printer " + quoted);
    }
    const auto* described = reinterpret_cast<const PRINTER_INFO_2W*>(info.data());
    printer_ = {name, TextOrEmpty(described->pDriverName), TextOrEmpty(described->pPortName)};

    const LONG size = DocumentPropertiesW(nullptr, printer.Get(), printer_.name.data(), nullptr, nullptr, 0);
    if (size < static_cast<LONG>(sizeof(DEVMODEW))) {
        throw errors::PrinterInformation("the driver of " + quoted + " has no device settings");
    }
    devMode_.assign(static_cast<size_t>(size), 0);
    if (DocumentPropertiesW(nullptr, printer.Get(), printer_.name.data(),
                            reinterpret_cast<DEVMODEW*>(devMode_.data()), nullptr, DM_OUT_BUFFER) != IDOK) {
        throw errors::PrinterInformation("the driver of " + quoted + " gives no device settings");
    }
}

std::string PrintDevice::Quoted() const { return "'" + NameForMessage(printer_.name) + "'"; }

PrintSettings PrintDevice::Settings() const {
    const DEVMODEW& mode = *DevMode();
    PrintSettings settings;
    if (mode.dmFields & DM_ORIENTATION) settings.orientation = mode.dmOrientation;
    if (mode.dmFields & DM_PAPERSIZE) settings.paperSize = mode.dmPaperSize;
    if (mode.dmFields & DM_PAPERWIDTH) settings.paperWidth = mode.dmPaperWidth;
    if (mode.dmFields & DM_PAPERLENGTH) settings.paperLength = mode.dmPaperLength;
    if (mode.dmFields & DM_COPIES) settings.copies = mode.dmCopies;
    if (mode.dmFields & DM_PRINTQUALITY) settings.printQuality = mode.dmPrintQuality;
    if ((mode.dmFields & DM_YRESOLUTION) && mode.dmYResolution > 0 && mode.dmYResolution != settings.printQuality) {
        settings.yResolution = mode.dmYResolution;
    }
    // A driver that does not name its quality still prints at a resolution.
    if (!(mode.dmFields & DM_PRINTQUALITY) || settings.printQuality == 0) {
        settings.printQuality = static_cast<int16_t>(Geometry().dpiX);
    }
    return settings;
}

void PrintDevice::Apply(const PrintSettings& settings) {
    if (settings.paperSize != DMPAPER_USER) {
        const std::vector<int16_t> papers = Papers();
        bool offered = papers.empty();  // a driver that lists none is taken at its word
        for (int16_t paper : papers) offered = offered || paper == settings.paperSize;
        if (!offered) {
            throw errors::DriverLacks("the driver of " + Quoted() + " has no paper size " +
                                      std::to_string(settings.paperSize));
        }
    }
    std::vector<BYTE> asked = devMode_;
    DEVMODEW& mode = *reinterpret_cast<DEVMODEW*>(asked.data());
    mode.dmFields |= DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_PRINTQUALITY;
    mode.dmOrientation = settings.orientation;
    mode.dmPaperSize = settings.paperSize;
    mode.dmCopies = settings.copies;
    mode.dmPrintQuality = settings.printQuality;
    if (settings.printQuality > 0) {
        mode.dmFields |= DM_YRESOLUTION;
        mode.dmYResolution = settings.yResolution > 0 ? settings.yResolution : settings.printQuality;
    }
    if (settings.paperSize == DMPAPER_USER) {
        mode.dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
        mode.dmPaperWidth = settings.paperWidth;
        mode.dmPaperLength = settings.paperLength;
    } else {
        mode.dmFields &= ~(DM_PAPERWIDTH | DM_PAPERLENGTH);
    }
    const PrinterHandle printer(printer_.name);
    std::vector<BYTE> merged(devMode_.size());
    if (!printer || DocumentPropertiesW(nullptr, printer.Get(), printer_.name.data(),
                                        reinterpret_cast<DEVMODEW*>(merged.data()), &mode,
                                        DM_IN_BUFFER | DM_OUT_BUFFER) != IDOK) {
        throw errors::DriverLacks("the driver of " + Quoted() + " refused the settings");
    }
    devMode_ = std::move(merged);
}

DeviceGeometry PrintDevice::Geometry(HDC ic) const {
    DeviceGeometry geometry;
    geometry.dpiX = GetDeviceCaps(ic, LOGPIXELSX);
    geometry.dpiY = GetDeviceCaps(ic, LOGPIXELSY);
    geometry.paperWidth = GetDeviceCaps(ic, PHYSICALWIDTH);
    geometry.paperHeight = GetDeviceCaps(ic, PHYSICALHEIGHT);
    geometry.offsetX = GetDeviceCaps(ic, PHYSICALOFFSETX);
    geometry.offsetY = GetDeviceCaps(ic, PHYSICALOFFSETY);
    // Drivers for displays and files answer no physical page: their
    // printable area is the page.
    if (geometry.paperWidth <= 0 || geometry.paperHeight <= 0) {
        geometry.paperWidth = GetDeviceCaps(ic, HORZRES);
        geometry.paperHeight = GetDeviceCaps(ic, VERTRES);
        geometry.offsetX = geometry.offsetY = 0;
    }
    if (geometry.paperWidth <= 0 || geometry.paperHeight <= 0) {
        throw errors::PrinterInformation("the driver of " + Quoted() + " describes no page");
    }
    // Wine's PostScript driver reads a PPD resolution such as "203dpi" as
    // 20 x 3 dots per inch; nothing could be snapped to such dots.
    if (geometry.dpiX < kLowestResolution || geometry.dpiY < kLowestResolution) {
        throw errors::PrinterInformation("the driver of " + Quoted() + " reports " + std::to_string(geometry.dpiX) +
                                         " x " + std::to_string(geometry.dpiY) +
                                         " dots per inch, which no printer has (in a PPD, write 203dpi as 203x203dpi)");
    }
    return geometry;
}

// Wine's PostScript driver starts every printer at 300 dots per inch, its
// own default, whatever the printer's PPD names: a 203-dpi label printer
// would print at 300 until told otherwise, which no Visual Basic program
// expects of it. The PPD (the driver's data file) names the printer's own.
std::optional<PrintSettings> PrintDevice::DescribedDefault() const {
    const PrinterHandle printer(printer_.name);
    DWORD needed = 0;
    if (!printer) return std::nullopt;
    GetPrinterDriverW(printer.Get(), nullptr, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    if (needed == 0 || !GetPrinterDriverW(printer.Get(), nullptr, 2, info.data(), needed, &needed)) return std::nullopt;
    const wchar_t* dataFile = reinterpret_cast<const DRIVER_INFO_2W*>(info.data())->pDataFile;
    const std::wstring path = TextOrEmpty(dataFile);
    if (path.size() < 4 || _wcsicmp(path.c_str() + path.size() - 4, L".ppd") != 0) return std::nullopt;
    const std::optional<POINT> resolution = PpdDefaultResolution(path);
    if (!resolution) return std::nullopt;
    const int count = DeviceCapabilitiesW(printer_.name.c_str(), printer_.port.c_str(), DC_ENUMRESOLUTIONS, nullptr,
                                           DevMode());
    std::vector<LONG> offered(2 * static_cast<size_t>(std::max(count, 0)));
    if (count <= 0 || DeviceCapabilitiesW(printer_.name.c_str(), printer_.port.c_str(), DC_ENUMRESOLUTIONS,
                                          reinterpret_cast<wchar_t*>(offered.data()), DevMode()) != count) {
        return std::nullopt;
    }
    for (int i = 0; i < count; ++i) {
        if (offered[2 * i] != resolution->x || offered[2 * i + 1] != resolution->y) continue;
        PrintSettings settings = Settings();
        settings.printQuality = static_cast<int16_t>(resolution->x);
        settings.yResolution = resolution->y != resolution->x ? static_cast<int16_t>(resolution->y) : 0;
        return settings;
    }
    return std::nullopt;
}

std::vector<int16_t> PrintDevice::Papers() const {
    const int count = DeviceCapabilitiesW(printer_.name.c_str(), printer_.port.c_str(), DC_PAPERS, nullptr,
                                           DevMode());
    if (count <= 0) return {};
    std::vector<WORD> papers(static_cast<size_t>(count));
    if (DeviceCapabilitiesW(printer_.name.c_str(), printer_.port.c_str(), DC_PAPERS,
                            reinterpret_cast<wchar_t*>(papers.data()), DevMode()) != count) {
        return {};
    }
    return std::vector<int16_t>(papers.begin(), papers.end());
}

std::optional<int16_t> PrintDevice::PaperOfSize(int width, int length) const {
    const std::vector<int16_t> papers = Papers();
    std::vector<POINT> sizes(papers.size());
    if (papers.empty() || DeviceCapabilitiesW(printer_.name.c_str(), printer_.port.c_str(), DC_PAPERSIZE,
                                              reinterpret_cast<wchar_t*>(sizes.data()),
                                              DevMode()) != static_cast<int>(papers.size())) {
        return std::nullopt;
    }
    const auto within = [](int a, int b) { return std::abs(a - b) <= kPaperTolerance; };
    for (size_t i = 0; i < papers.size(); ++i) {
        const POINT size = sizes[i];
        if ((within(size.x, width) && within(size.y, length)) || (within(size.x, length) && within(size.y, width))) {
            return papers[i];
        }
    }
    return std::nullopt;
}

win32::CreatedDc PrintDevice::InformationContext() const {
    win32::CreatedDc ic(CreateICW(L"WINSPOOL", printer_.name.c_str(), nullptr, DevMode()));
    if (!ic) throw errors::PrinterInformation("the driver of " + Quoted() + " cannot be loaded");
    return ic;
}

win32::CreatedDc PrintDevice::PrinterDc() const {
    win32::CreatedDc dc(CreateDCW(L"WINSPOOL", printer_.name.c_str(), nullptr, DevMode()));
    if (!dc) throw errors::PrinterError("the printer " + Quoted() + " cannot be opened");
    return dc;
}

SpooledDocument::SpooledDocument(const PrintDevice& device, const std::wstring& title)
    : printer_(device.Quoted()), dc_(device.PrinterDc()) {
    DOCINFOW document = {};
    document.cbSize = sizeof(document);
    document.lpszDocName = title.c_str();
    if (StartDocW(dc_.Get(), &document) <= 0) {
        throw errors::PrinterError("the printer " + printer_ + " refused the document");
    }
}

SpooledDocument::~SpooledDocument() {
    if (!ended_) AbortDoc(dc_.Get());
}

void SpooledDocument::Fail(const char* what) {
    AbortDoc(dc_.Get());
    ended_ = true;
    pageOpen_ = false;
    throw errors::PrinterError("the printer " + printer_ + " failed " + what);
}

void SpooledDocument::StartPage() {
    if (::StartPage(dc_.Get()) <= 0) Fail("to start a page");
    pageOpen_ = true;
}

void SpooledDocument::EndPage() {
    pageOpen_ = false;
    if (::EndPage(dc_.Get()) <= 0) Fail("to print a page");
}

void SpooledDocument::End() {
    if (ended_) return;
    if (pageOpen_) EndPage();
    ended_ = true;
    if (::EndDoc(dc_.Get()) <= 0) throw errors::PrinterError("the printer " + printer_ + " failed to end the document");
}

}  // namespace quillant::forms
