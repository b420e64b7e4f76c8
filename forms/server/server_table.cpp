// QuillantForms.dll's classes (forms/server/forms_classes.cpp) with their class
// objects; the kit (win32/com_server) serves them.

#include <iterator>

#include "QuillantForms_h.h"
#include "forms/server/forms_classes.h"
#include "forms/printers.h"
#include "forms/stand_in_objects.h"
#include "win32/com_server/class_factory.h"
#include "win32/com_server/this_server.h"

namespace quillant::win32::com_server {
namespace {

ClassFactory kFactories[] = {
    {&CLSID_PictureBox, CreateThroughDispatch<forms::CreatePictureBox>},
    {&CLSID_Printer, CreateThroughDispatch<forms::CreatePrinter>},
    {&CLSID_Printers, CreateThroughDispatch<forms::CreatePrinters>},
};

bool StandInsAlive() { return forms::LiveObjectCount() != 0; }

const ServerTable kServer = {&forms::FormsClasses(), kFactories, std::size(kFactories), StandInsAlive};

}  // namespace

const ServerTable& ThisServer() noexcept { return kServer; }

}  // namespace quillant::win32::com_server
