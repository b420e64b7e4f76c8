// Quillant.dll's classes (component/quillant_classes.cpp) with their class
// objects; the kit (win32/com_server) serves them.

#include <iterator>

#include "Quillant_h.h"
#include "component/quillant_classes.h"
#include "component/quillant1.h"
#include "component/quillant2.h"
#include "component/shared_drawing_objects.h"
#include "win32/com_server/class_factory.h"
#include "win32/com_server/this_server.h"

namespace quillant::win32::com_server {
namespace {

ClassFactory kFactories[] = {
    {&CLSID_Quillant1, component::CreateBarcodeObject<component::Quillant1>},
    {&CLSID_Quillant2, component::CreateBarcodeObject<component::Quillant2>},
};

// The shared printer and the stand-ins a host got from a barcode object keep
// the module loaded after the last barcode object is gone.
const ServerTable kServer = {&component::QuillantClasses(), kFactories, std::size(kFactories),
                             component::DrawingObjectsInUse};

}  // namespace

const ServerTable& ThisServer() noexcept { return kServer; }

}  // namespace quillant::win32::com_server
