// The classes Quillant.dll serves; the kit (win32/com_server) creates,
// registers and unregisters them from this table.

#include <iterator>

#include "Quillant_h.h"
#include "component/quillant1.h"
#include "component/quillant2.h"
#include "component/shared_drawing_objects.h"
#include "win32/com_server/this_server.h"

namespace quillant::win32::com_server {
namespace {

const ClassEntry kClasses[] = {
    {&CLSID_Quillant1, L"Quillant1", L"Quillant.Quillant1.1", L"Quillant.Quillant1", ThreadingModel::Apartment,
     /*programmable=*/true, component::CreateBarcodeObject<component::Quillant1>},
    {&CLSID_Quillant2, L"Quillant2", L"Quillant.Quillant2.1", L"Quillant.Quillant2", ThreadingModel::Apartment,
     /*programmable=*/true, component::CreateBarcodeObject<component::Quillant2>},
};

// The shared printer and the stand-ins a host got from a barcode object keep
// the module loaded after the last barcode object is gone.
const ServerTable kServer = {{1, &LIBID_Quillant}, kClasses, std::size(kClasses), component::DrawingObjectsInUse};

}  // namespace

const ServerTable& ThisServer() noexcept { return kServer; }

}  // namespace quillant::win32::com_server
