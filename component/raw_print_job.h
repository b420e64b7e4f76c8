#pragma once
// PrintCommands: a label printer's own commands sent to a printer as they
// are, for hosts that cannot write to the spooler themselves.

#include <string_view>

namespace quillant::component {

// One job of the spooler's RAW data type holding commands as bytes (each
// character U+0000..U+00FF one byte). Error 482 "Printer error" for a printer
// the spooler does not know or a job it does not take; 5 for a character
// above U+00FF. Nothing is sent unless all of it can be.
void SendRaw(std::u16string_view printerName, std::u16string_view commands);

}  // namespace quillant::component
