#include "forms/server/forms_classes.h"

#include <iterator>

#include "QuillantForms_h.h"

namespace quillant::forms {
namespace {

using win32::com_server::ClassEntry;
using win32::com_server::ThreadingModel;

const ClassEntry kClasses[] = {
    {&CLSID_PictureBox, L"Quillant stand-in picture box", L"QuillantForms.PictureBox", nullptr,
     ThreadingModel::Apartment, /*programmable=*/false},
    {&CLSID_Printer, L"Quillant stand-in printer", L"QuillantForms.Printer", nullptr, ThreadingModel::Apartment,
     /*programmable=*/false},
    {&CLSID_Printers, L"Quillant stand-in printers collection", L"QuillantForms.Printers", nullptr,
     ThreadingModel::Apartment, /*programmable=*/false},
};

const win32::com_server::ClassTable kTable = {{1, &LIBID_QuillantForms}, kClasses, std::size(kClasses)};

}  // namespace

const win32::com_server::ClassTable& FormsClasses() noexcept { return kTable; }

}  // namespace quillant::forms
