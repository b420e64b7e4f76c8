#include "forms/printer_surface.h"

#include "forms/document_output.h"
#include "forms/forms_errors.h"

namespace quillant::forms {

PrinterSurface::PrinterSurface()
    : DrawingSurface(PageSetup::Letter().dpi, PageSetup::Letter().pixelWidth, PageSetup::Letter().pixelHeight,
                     0xFFFFFF),
      measuring_(CreateCompatibleDC(nullptr)) {
    if (!measuring_) throw errors::PrinterError("no device context for measuring text");
    MapPrinterPixels(measuring_.Get(), setup_);
    AttachDc(measuring_.Get());
}

PrinterSurface::~PrinterSurface() {
    if (page_) DetachDc(page_.Get());
    DetachDc(measuring_.Get());
}

HDC PrinterSurface::DrawingDc() {
    if (!page_) StartPage();
    return page_.Get();
}

HDC PrinterSurface::MeasuringDc() { return page_ ? page_.Get() : measuring_.Get(); }

void PrinterSurface::StartPage() {
    const RECT frame = setup_.FrameHimetric();
    win32::MetaFileDc page(CreateEnhMetaFileW(nullptr, nullptr, &frame, L"Quillant\0page\0"));
    if (!page) throw errors::PrinterError("cannot start a page");
    MapPrinterPixels(page.Get(), setup_);
    AttachDc(page.Get());
    page_ = std::move(page);
}

void PrinterSurface::ClosePage() {
    DetachDc(page_.Get());
    win32::EnhMetaFile recorded = page_.Close();
    if (!recorded) throw errors::PrinterError("cannot finish a page");
    finished_.push_back(PrintedPage{std::move(recorded), setup_});
}

void PrinterSurface::NewPage() {
    if (!page_) StartPage();
    ClosePage();
    ++pageNumber_;
    SetCurrentX(0);
    SetCurrentY(0);
}

void PrinterSurface::EndDoc() {
    if (page_) ClosePage();
    std::vector<PrintedPage> pages = std::move(finished_);
    finished_.clear();
    pageNumber_ = 1;
    SetCurrentX(0);
    SetCurrentY(0);
    if (pages.empty()) return;
    if (outputFile_.empty()) {
        PrintDocument(pages, L"Quillant document");
    } else {
        WriteDocument(pages, outputFile_);
    }
}

void PrinterSurface::KillDoc() {
    if (page_) {
        DetachDc(page_.Get());
        page_ = win32::MetaFileDc();
    }
    finished_.clear();
    pageNumber_ = 1;
    SetCurrentX(0);
    SetCurrentY(0);
}

void PrinterSurface::SetOutputFile(const std::wstring& path) {
    if (!path.empty()) DocumentFormatOf(path);
    outputFile_ = path;
}

namespace {

// The resolutions the four named qualities stand for on this printer.
struct QualityRow {
    int16_t quality;
    int dpi;
};
constexpr QualityRow kNamedQualities[] = {{-1, 150}, {-2, 300}, {-3, 600}, {-4, 1200}};
constexpr int kLowestDpi = 72;
constexpr int kHighestDpi = 2400;

}  // namespace

// Like the page size, the resolution belongs to the whole page.
void PrinterSurface::SetPrintQuality(int16_t quality) {
    if (page_) throw errors::SetWithinPage("PrintQuality");
    int dpi = quality;
    for (const QualityRow& row : kNamedQualities) {
        if (row.quality == quality) dpi = row.dpi;
    }
    if (dpi < kLowestDpi || dpi > kHighestDpi) {
        throw errors::InvalidPropertyValue("PrintQuality", "must be -1 to -4, or 72 to 2400 dots per inch");
    }
    ChangeResolution(dpi);
    setup_ = PageSetup{PixelWidth(), PixelHeight(), dpi};
    MapPrinterPixels(measuring_.Get(), setup_);
    printQuality_ = quality;
}

// The page size belongs to the whole page: it may change between pages only.
void PrinterSurface::ResizeDevice(int pixelWidth, int pixelHeight) {
    if (page_) throw errors::SetWithinPage(pixelWidth != PixelWidth() ? "Width" : "Height");
    setup_.pixelWidth = pixelWidth;
    setup_.pixelHeight = pixelHeight;
}

}  // namespace quillant::forms
