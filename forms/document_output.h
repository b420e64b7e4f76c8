#pragma once
// Where a finished printer document goes: files (one per page) or a printer.

#include <string>
#include <vector>

#include "win32/enh_meta_file.h"
#include "forms/page_setup.h"
#include "forms/print_device.h"

namespace quillant::forms {

enum class DocumentFormat { kPng, kEmf };

// One finished page with the size and resolution it was drawn at: a
// document's pages need not share them.
struct PrintedPage {
    win32::EnhMetaFile recording;
    PageSetup setup;
};

// Case-insensitive ".png" (raster at the printer's resolution) or ".emf"
// (vector); anything else, and a name no file can have, raises error 5.
DocumentFormat DocumentFormatOf(const std::wstring& path);

// Page 1 to path, page n to PageFileName(path, n - 1). Raises error 75 when
// a file cannot be written.
void WriteDocument(const std::vector<PrintedPage>& pages, const std::wstring& path);

// Plays the pages to the printer, each placed by its paper's corner. Raises
// error 482 when the printer refuses the job.
void PrintDocument(const std::vector<PrintedPage>& pages, const PrintDevice& device, const std::wstring& title);

}  // namespace quillant::forms
