#include "forms/document_output.h"

#include <algorithm>

#include "forms/file_names.h"
#include "forms/forms_errors.h"
#include "win32/gdi_object.h"
#include "forms/image_file.h"
#include "forms/raster_image.h"

namespace quillant::forms {
namespace {

constexpr ExtensionRow<DocumentFormat> kFormats[] = {
    {L".png", DocumentFormat::kPng},
    {L".emf", DocumentFormat::kEmf},
};

// Pages are rasterised a band of rows at a time: a Letter page at 600 dpi is
// 100 MB of pixels, a band of 256 rows 4 MB.
constexpr int kBandRows = 256;

// Plays the page band by band, handing take each band's first row and row
// count; take answers whether to go on.
template <class Take>
void PlayInBands(HENHMETAFILE emf, const PageSetup& page, RasterImage& band, Take&& take) {
    for (int top = 0; top < page.pixelHeight; top += kBandRows) {
        const int rows = std::min(kBandRows, page.pixelHeight - top);
        band.Fill(RGB(255, 255, 255));
        const RECT placed = {0, -top, page.pixelWidth, page.pixelHeight - top};
        PlayEnhMetaFile(band.Dc(), emf, &placed);
        if (!take(top, rows)) return;
    }
}

// A page at the least depth its pixels need, gathered as it is played: one
// bit a pixel while it is black and white (4 MB for Letter at 600 dpi), a
// byte once a grey appears. Compressing three bytes a pixel where one bit
// would do was most of the time a page took; a page of barcodes is black
// and white. A colour stops the gathering: such a page is played again and
// written as it comes.
struct GatheredPage {
    PixelDepth depth = PixelDepth::kBlackWhite;
    size_t stride = 0;
    std::vector<uint8_t> rows;
};

void Widen(GatheredPage& gathered, int width, int filledRows) {
    // Rows first: width times the bytes gathered would pass 4 GB in 32 bits.
    const size_t height = gathered.rows.size() / gathered.stride;
    std::vector<uint8_t> grey(height * static_cast<size_t>(width));
    for (size_t y = 0; y < static_cast<size_t>(filledRows); ++y) {
        const uint8_t* bits = &gathered.rows[y * gathered.stride];
        for (int x = 0; x < width; ++x) {
            grey[y * static_cast<size_t>(width) + static_cast<size_t>(x)] = (bits[x / 8] & (0x80u >> (x % 8))) ? 255 : 0;
        }
    }
    gathered.rows = std::move(grey);
    gathered.stride = static_cast<size_t>(width);
    gathered.depth = PixelDepth::kGrey;
}

void WritePng(HENHMETAFILE emf, const PageSetup& page, const std::wstring& path) {
    RasterImage band(page.pixelWidth, std::min(kBandRows, page.pixelHeight), RGB(255, 255, 255));
    GatheredPage gathered;
    gathered.stride = PackedRowBytes(page.pixelWidth, gathered.depth);
    gathered.rows.resize(gathered.stride * static_cast<size_t>(page.pixelHeight));
    bool colour = false;
    PlayInBands(emf, page, band, [&](int top, int rows) {
        const PixelDepth depth = DepthOf(band.Bits(), page.pixelWidth, rows, band.Stride(), gathered.depth);
        if (depth == PixelDepth::kColour) {
            colour = true;
            return false;
        }
        if (depth != gathered.depth) Widen(gathered, page.pixelWidth, top);
        for (int y = 0; y < rows; ++y) {
            PackRow(band.Bits() + static_cast<size_t>(y) * static_cast<size_t>(band.Stride()), page.pixelWidth,
                    gathered.depth, &gathered.rows[static_cast<size_t>(top + y) * gathered.stride]);
        }
        return true;
    });
    if (colour) {
        gathered = GatheredPage();
        ImageFileWriter file(path, page.pixelWidth, page.pixelHeight, PixelDepth::kColour);
        PlayInBands(emf, page, band, [&](int, int rows) {
            file.WriteRows(band.Bits(), rows, band.Stride());
            return true;
        });
        file.Commit();
        return;
    }
    ImageFileWriter file(path, page.pixelWidth, page.pixelHeight, gathered.depth);
    file.WritePackedRows(gathered.rows.data(), page.pixelHeight, gathered.stride);
    file.Commit();
}

void WriteEmf(HENHMETAFILE emf, const std::wstring& path) {
    const win32::EnhMetaFile copy(CopyEnhMetaFileW(emf, path.c_str()));
    if (!copy) throw errors::FileAccess("'" + NameForMessage(path) + "' cannot be written");
}

}  // namespace

DocumentFormat DocumentFormatOf(const std::wstring& path) {
    return FormatOfFileName(path, kFormats, "OutputFile '" + NameForMessage(path) + "'");
}

std::wstring PartialFileName(const std::wstring& file) { return BeforeExtension(file, L".partial"); }

void WriteDocument(const std::vector<PrintedPage>& pages, const std::wstring& path) {
    const DocumentFormat format = DocumentFormatOf(path);
    // A page's name taken by a folder would refuse its rename after the
    // pages before it had been renamed: refuse the document before writing.
    for (size_t i = 0; i < pages.size(); ++i) {
        const std::wstring file = PageFileName(path, i);
        const DWORD attributes = GetFileAttributesW(file.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            throw errors::FileAccess("'" + NameForMessage(file) + "' is a folder");
        }
    }
    std::vector<std::wstring> written;  // partial files, removed unless all pages make it
    auto removeWritten = [&] {
        for (const std::wstring& file : written) DeleteFileW(file.c_str());
    };
    try {
        for (size_t i = 0; i < pages.size(); ++i) {
            const std::wstring partial = PartialFileName(PageFileName(path, i));
            // Listed before writing: a write that fails halfway leaves a file.
            written.push_back(partial);
            if (format == DocumentFormat::kPng) {
                WritePng(pages[i].recording.Get(), pages[i].setup, partial);
            } else {
                WriteEmf(pages[i].recording.Get(), partial);
            }
        }
    } catch (...) {
        removeWritten();
        throw;
    }
    for (size_t i = 0; i < pages.size(); ++i) {
        const std::wstring file = PageFileName(path, i);
        if (!MoveFileExW(written[i].c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            removeWritten();
            throw errors::FileAccess("'" + NameForMessage(file) + "' cannot be written");
        }
    }
}

void PrintDocument(const std::vector<PrintedPage>& pages, const PrintDevice& device, const std::wstring& title) {
    SpooledDocument document(device, title);
    const HDC printer = document.Dc();
    // The page in the printer's own pixels, its origin at the paper's corner
    // rather than at the printable area's.
    const int dpiX = GetDeviceCaps(printer, LOGPIXELSX), dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    const int left = -GetDeviceCaps(printer, PHYSICALOFFSETX);
    const int top = -GetDeviceCaps(printer, PHYSICALOFFSETY);
    for (const PrintedPage& page : pages) {
        const PageSetup& setup = page.setup;
        const RECT placed = {left, top, left + MulDiv(setup.pixelWidth, dpiX, setup.dpi),
                             top + MulDiv(setup.pixelHeight, dpiY, setup.dpi)};
        document.StartPage();
        if (!PlayEnhMetaFile(printer, page.recording.Get(), &placed)) {
            throw errors::PrinterError("the printer " + device.Quoted() + " cannot take a recorded page");
        }
        document.EndPage();
    }
    document.End();
}

}  // namespace quillant::forms
