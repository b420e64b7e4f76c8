// The classes QuillantForms.dll serves; the kit (win32/com_server) creates,
// registers and unregisters them from this table.

#include <iterator>

#include "QuillantForms_h.h"
#include "forms/stand_in_objects.h"
#include "win32/com_server/this_server.h"

namespace quillant::win32::com_server {
namespace {

const ClassEntry kClasses[] = {
    {&CLSID_PictureBox, L"Quillant stand-in picture box", L"QuillantForms.PictureBox", nullptr,
     ThreadingModel::Apartment, /*programmable=*/false, CreateThroughDispatch<forms::CreatePictureBox>},
    {&CLSID_Printer, L"Quillant stand-in printer", L"QuillantForms.Printer", nullptr, ThreadingModel::Apartment,
     /*programmable=*/false, CreateThroughDispatch<forms::CreatePrinter>},
};

bool StandInsAlive() { return forms::LiveObjectCount() != 0; }

const ServerTable kServer = {{1, &LIBID_QuillantForms}, kClasses, std::size(kClasses), StandInsAlive};

}  // namespace

const ServerTable& ThisServer() noexcept { return kServer; }

}  // namespace quillant::win32::com_server
