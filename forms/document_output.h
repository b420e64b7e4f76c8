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

// Page 1 to path, page n to PageFileName(path, n - 1), all or none: every
// page is written under a name of its own first (PartialFileName) and only
// when all are written are they renamed to their names, so that no page's
// name ever holds a half-written file. Raises error 75 when a file cannot be
// written, having removed what it wrote.
void WriteDocument(const std::vector<PrintedPage>& pages, const std::wstring& path);

// Where a page is written before it takes its name: "label-2.png" is
// written as "label-2.partial.png".
std::wstring PartialFileName(const std::wstring& file);

// Plays the pages to the printer, each placed by its paper's corner. Raises
// error 482 when the printer refuses the job.
void PrintDocument(const std::vector<PrintedPage>& pages, const PrintDevice& device, const std::wstring& title);

}  // namespace quillant::forms
