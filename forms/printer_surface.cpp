#include "forms/printer_surface.h"

#include <cmath>
#include <utility>

#include "forms/document_output.h"
#include "forms/forms_errors.h"

namespace quillant::forms {
namespace {

constexpr wchar_t kDocumentTitle[] = L"Quillant document";

// The resolutions the four named qualities stand for without a printer.
struct QualityRow {
    int16_t quality;
    int dpi;
};
constexpr QualityRow kNamedQualities[] = {{DMRES_DRAFT, 150}, {DMRES_LOW, 300}, {DMRES_MEDIUM, 600}, {DMRES_HIGH, 1200}};
constexpr int kLowestDpi = 72;
constexpr int kHighestDpi = 2400;

// The papers a page can take without a printer, in tenths of a millimetre.
struct PaperRow {
    int16_t paperSize;
    int width;
    int length;
};
constexpr PaperRow kPapers[] = {
    {DMPAPER_LETTER, 2159, 2794}, {DMPAPER_LEGAL, 2159, 3556}, {DMPAPER_A3, 2970, 4200},
    {DMPAPER_A4, 2100, 2970},     {DMPAPER_A5, 1480, 2100},
};
constexpr int16_t kHighestCopies = 9999;
constexpr double kTenthsOfMmPerInch = 254.0;

int PixelsOfTenths(int tenths, int dpi) { return static_cast<int>(std::lround(tenths * dpi / kTenthsOfMmPerInch)); }
int16_t TenthsOfPixels(int pixels, int dpi) {
    return static_cast<int16_t>(std::lround(pixels * kTenthsOfMmPerInch / dpi));
}

int DpiOfQuality(int16_t quality) {
    for (const QualityRow& row : kNamedQualities) {
        if (row.quality == quality) return row.dpi;
    }
    return quality;
}

}  // namespace

PrinterSurface::PrinterSurface()
    : DrawingSurface(PageSetup::Letter().dpi, PageSetup::Letter().pixelWidth, PageSetup::Letter().pixelHeight,
                     0xFFFFFF) {
    UseMeasuringDc(win32::CreatedDc(CreateCompatibleDC(nullptr)));
    MapPrinterPixels(measuring_.Get(), Setup());
    if (const std::optional<std::wstring> name = DefaultPrinterName()) {
        // A default printer whose driver cannot be loaded leaves the object
        // usable for files, as if none were installed.
        try {
            SetDeviceName(*name);
        } catch (const VbError& error) {
            defaultPrinterFault_ = error.description();
        }
    }
}

PrinterSurface::~PrinterSurface() {
    if (page_) DetachDc(page_.Get());
    if (spooled_ && spooled_->PageOpen()) DetachDc(spooled_->Dc());
    DetachDc(measuring_.Get());
}

void PrinterSurface::UseMeasuringDc(win32::CreatedDc dc) {
    if (!dc) throw errors::PrinterError("no device context for measuring text");
    if (measuring_) DetachDc(measuring_.Get());
    measuring_ = std::move(dc);
    AttachDc(measuring_.Get());
}

HDC PrinterSurface::DrawingDc() {
    if (!PageOpen()) StartPage();
    return page_ ? page_.Get() : spooled_->Dc();
}

HDC PrinterSurface::MeasuringDc() {
    if (page_) return page_.Get();
    if (spooled_ && spooled_->PageOpen()) return spooled_->Dc();
    return measuring_.Get();
}

void PrinterSurface::StartPage() {
    // A document keeps the way it started; a new one is spooled when there
    // is a printer and no file to write.
    if (spooled_ || (device_ && outputFile_.empty() && finished_.empty())) {
        StartSpooledPage();
    } else {
        StartRecordedPage();
    }
}

void PrinterSurface::StartSpooledPage() {
    if (!spooled_) spooled_ = std::make_unique<SpooledDocument>(*device_, kDocumentTitle);
    spooled_->StartPage();
    const HDC dc = spooled_->Dc();
    SetMapMode(dc, MM_TEXT);
    SetViewportOrgEx(dc, -printableOrigin_.x, -printableOrigin_.y, nullptr);
    AttachDc(dc);
}

void PrinterSurface::StartRecordedPage() {
    const RECT frame = Setup().FrameHimetric();
    win32::MetaFileDc page(CreateEnhMetaFileW(nullptr, nullptr, &frame, L"Quillant\0page\0"));
    if (!page) throw errors::PrinterError("cannot start a page");
    MapPrinterPixels(page.Get(), Setup());
    AttachDc(page.Get());
    page_ = std::move(page);
}

void PrinterSurface::ClosePage() {
    if (spooled_ && spooled_->PageOpen()) {
        DetachDc(spooled_->Dc());
        spooled_->EndPage();
        return;
    }
    DetachDc(page_.Get());
    win32::EnhMetaFile recorded = page_.Close();
    if (!recorded) throw errors::PrinterError("cannot finish a page");
    finished_.push_back(PrintedPage{std::move(recorded), Setup()});
}

void PrinterSurface::ResetPen() {
    SetCurrentX(0);
    SetCurrentY(0);
}

void PrinterSurface::NewPage() {
    if (!PageOpen()) StartPage();
    ClosePage();
    ++pageNumber_;
    ResetPen();
}

void PrinterSurface::EndDoc() {
    pageNumber_ = 1;
    ResetPen();
    if (spooled_) {
        if (spooled_->PageOpen()) DetachDc(spooled_->Dc());
        const std::unique_ptr<SpooledDocument> document = std::move(spooled_);
        document->End();
        return;
    }
    if (page_) ClosePage();
    std::vector<PrintedPage> pages = std::move(finished_);
    finished_.clear();
    if (pages.empty()) return;
    if (!outputFile_.empty()) {
        try {
            WriteDocument(pages, outputFile_);
        } catch (...) {
            // Nothing was written: the document stays, so that once the
            // cause is mended (a folder made, OutputFile changed) EndDoc can
            // be called again. KillDoc drops it.
            finished_ = std::move(pages);
            pageNumber_ = static_cast<int32_t>(finished_.size()) + 1;
            throw;
        }
    } else if (device_) {
        PrintDocument(pages, *device_, kDocumentTitle);
    } else if (!defaultPrinterFault_.empty()) {
        throw errors::PrinterError("the default printer cannot be used (" + defaultPrinterFault_ +
                                   "); set DeviceName to another printer, or OutputFile");
    } else {
        throw errors::PrinterError("no printer is installed; set OutputFile to write the document to a file");
    }
}

void PrinterSurface::KillDoc() {
    if (page_) {
        DetachDc(page_.Get());
        page_ = win32::MetaFileDc();
    }
    if (spooled_ && spooled_->PageOpen()) DetachDc(spooled_->Dc());
    spooled_.reset();  // aborts the job
    finished_.clear();
    pageNumber_ = 1;
    ResetPen();
}

void PrinterSurface::SetOutputFile(const std::wstring& path) {
    if (spooled_) RefuseWithinPage("OutputFile");
    if (!path.empty()) DocumentFormatOf(path);
    const bool toFile = device_ && outputFile_.empty() && !path.empty();
    const bool toDriver = device_ && !outputFile_.empty() && path.empty();
    if ((toFile || toDriver) && (page_ || !finished_.empty())) throw errors::SetWithinPage("OutputFile");
    if (toDriver) {
        AskDevice(settings_);
    } else if (toFile) {
        // The page keeps its size in inches; a file's pixels are square.
        win32::CreatedDc measuring(CreateCompatibleDC(nullptr));
        if (!measuring) throw errors::PrinterError("no device context for measuring text");
        const int dpi = static_cast<int>(DpiX());
        ChangeDevice(dpi, dpi, PixelWidth(),
                     static_cast<int>(std::lround(static_cast<double>(PixelHeight()) * dpi / DpiY())));
        printableOrigin_ = POINT{0, 0};
        UseMeasuringDc(std::move(measuring));
        MapPrinterPixels(measuring_.Get(), Setup());
    }
    outputFile_ = path;
}

// The page's size, resolution and printer belong to the whole page, and a
// spooled document to the settings it started with.
void PrinterSurface::RefuseWithinPage(const char* property) const {
    if (page_ || spooled_) throw errors::SetWithinPage(property);
}

// A file device keeps its page; the printer named waits for OutputFile to be
// cleared. A driver that describes no page is refused before the printer
// changes.
void PrinterSurface::SetDeviceName(const std::wstring& name) {
    RefuseWithinPage("DeviceName");
    PrintDevice device(name);
    if (!outputFile_.empty()) {
        device_ = std::move(device);
        return;
    }
    // A printer starts at its own resolution, as Visual Basic's Printer does.
    const std::optional<PrintSettings> described = device.DescribedDefault();
    const PrintSettings settings = described.value_or(device.Settings());
    FollowDriver(AskDriver(std::move(device), described ? &*described : nullptr), settings);
}

PrinterSurface::DriverPage PrinterSurface::AskDriver(PrintDevice device, const PrintSettings* settings) {
    if (settings) device.Apply(*settings);
    win32::CreatedDc ic = device.InformationContext();
    const DeviceGeometry geometry = device.Geometry(ic.Get());
    return DriverPage{std::move(device), std::move(ic), geometry};
}

void PrinterSurface::FollowDriver(DriverPage page, const PrintSettings& settings) {
    ChangeDevice(page.geometry.dpiX, page.geometry.dpiY, page.geometry.paperWidth, page.geometry.paperHeight);
    UseMeasuringDc(std::move(page.ic));
    printableOrigin_ = POINT{page.geometry.offsetX, page.geometry.offsetY};
    device_ = std::move(page.device);
    settings_ = settings;
}

void PrinterSurface::SetFilePage(int dpi, int pixelWidth, int pixelHeight) {
    ChangeDevice(dpi, dpi, pixelWidth, pixelHeight);
    MapPrinterPixels(measuring_.Get(), Setup());
}

PageSetup PrinterSurface::Setup() const { return PageSetup{PixelWidth(), PixelHeight(), static_cast<int>(DpiX())}; }

PrintSettings PrinterSurface::PaperOfPage(PrintSettings settings, int pixelWidth, int pixelHeight) const {
    const int16_t across = TenthsOfPixels(pixelWidth, static_cast<int>(DpiX()));
    const int16_t down = TenthsOfPixels(pixelHeight, static_cast<int>(DpiY()));
    const bool landscape = settings.orientation == DMORIENT_LANDSCAPE;
    settings.paperWidth = landscape ? down : across;
    settings.paperLength = landscape ? across : down;
    return settings;
}

void PrinterSurface::SetPrintQuality(int16_t quality) {
    RefuseWithinPage("PrintQuality");
    const int dpi = DpiOfQuality(quality);
    if (dpi < kLowestDpi || dpi > kHighestDpi) {
        throw errors::InvalidPropertyValue("PrintQuality", "must be -1 to -4, or 72 to 2400 dots per inch");
    }
    PrintSettings asked = settings_;
    asked.printQuality = quality;
    asked.yResolution = 0;
    if (OnDriver()) return AskDevice(asked);
    // The page keeps its size in inches.
    SetFilePage(dpi, static_cast<int>(std::lround(static_cast<double>(PixelWidth()) * dpi / DpiX())),
                static_cast<int>(std::lround(static_cast<double>(PixelHeight()) * dpi / DpiY())));
    settings_ = asked;
}

void PrinterSurface::SetOrientation(int16_t orientation) {
    RefuseWithinPage("Orientation");
    if (orientation != DMORIENT_PORTRAIT && orientation != DMORIENT_LANDSCAPE) {
        throw errors::InvalidPropertyValue("Orientation", "must be 1 (portrait) or 2 (landscape)");
    }
    PrintSettings asked = settings_;
    asked.orientation = orientation;
    if (OnDriver()) return AskDevice(asked);
    if (orientation != settings_.orientation) SetFilePage(static_cast<int>(DpiX()), PixelHeight(), PixelWidth());
    settings_ = asked;
}

void PrinterSurface::SetPaperSize(int16_t paperSize) {
    RefuseWithinPage("PaperSize");
    if (paperSize <= 0) throw errors::InvalidPropertyValue("PaperSize", "must be a paper size number above 0");
    // 256 names the page as it is by its size.
    PrintSettings asked = paperSize == DMPAPER_USER ? PaperOfPage(settings_, PixelWidth(), PixelHeight()) : settings_;
    asked.paperSize = paperSize;
    if (OnDriver()) return AskDevice(asked);
    if (paperSize != DMPAPER_USER) {
        const PaperRow* paper = nullptr;
        for (const PaperRow& row : kPapers) {
            if (row.paperSize == paperSize) paper = &row;
        }
        if (!paper) {
            throw errors::DriverLacks("without a printer the paper sizes are 1 (Letter), 5 (Legal), 8 (A3), "
                                      "9 (A4), 11 (A5) and 256 (Width and Height)");
        }
        const int dpi = static_cast<int>(DpiX());
        const int width = PixelsOfTenths(paper->width, dpi), length = PixelsOfTenths(paper->length, dpi);
        if (settings_.orientation == DMORIENT_LANDSCAPE) {
            SetFilePage(dpi, length, width);
        } else {
            SetFilePage(dpi, width, length);
        }
    }
    settings_ = asked;
}

void PrinterSurface::SetCopies(int16_t copies) {
    RefuseWithinPage("Copies");
    if (copies < 1 || copies > kHighestCopies) {
        throw errors::InvalidPropertyValue("Copies", "must be 1 to 9999");
    }
    PrintSettings asked = settings_;
    asked.copies = copies;
    if (OnDriver()) return AskDevice(asked);
    settings_ = asked;
}

// A size set through Width and Height is a user-defined paper; a printer
// takes it as the paper of its own nearest that size, or as a size of its
// own where its driver allows one. A driver without sizes of its own keeps
// its paper: that is refused rather than printed on a page other than the
// one asked for, and the object keeps what it had.
SIZE PrinterSurface::ResizeDevice(int pixelWidth, int pixelHeight) {
    RefuseWithinPage(pixelWidth != PixelWidth() ? "Width" : "Height");
    PrintSettings asked = PaperOfPage(settings_, pixelWidth, pixelHeight);
    asked.paperSize = DMPAPER_USER;
    if (!OnDriver()) {
        settings_ = asked;
        return SIZE{pixelWidth, pixelHeight};
    }
    if (const std::optional<int16_t> paper = device_->PaperOfSize(asked.paperWidth, asked.paperLength)) {
        asked.paperSize = *paper;
    }
    DriverPage page = AskDriver(*device_, &asked);
    // The size asked, in the dots the driver answered, give or take a millimetre.
    const auto closeTo = [](int taken, int wanted, double wantedDpi, int dpi) {
        const double inDots = wanted * dpi / wantedDpi;
        return std::abs(taken - inDots) <= dpi / 25.4 + 1;
    };
    if (!closeTo(page.geometry.paperWidth, pixelWidth, DpiX(), page.geometry.dpiX) ||
        !closeTo(page.geometry.paperHeight, pixelHeight, DpiY(), page.geometry.dpiY)) {
        const std::string size = std::to_string(asked.paperWidth / 10) + " x " +
                                 std::to_string(asked.paperLength / 10) + " mm";
        throw errors::DriverLacks("the driver of " + device_->Quoted() + " has no paper of " + size);
    }
    FollowDriver(std::move(page), asked);
    return SIZE{PixelWidth(), PixelHeight()};
}

}  // namespace quillant::forms
