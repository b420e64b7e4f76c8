#include "component/quillant_classes.h"

#include <iterator>

#include "Quillant_h.h"

namespace quillant::component {
namespace {

using win32::com_server::ClassEntry;
using win32::com_server::ThreadingModel;

const ClassEntry kClasses[] = {
    {&CLSID_Quillant1, L"Quillant1", L"Quillant.Quillant1.1", L"Quillant.Quillant1", ThreadingModel::Apartment,
     /*programmable=*/true},
    // Made in any apartment: its objects keep no state shared between
    // threads, and a server in the multithreaded apartment (ASP, services)
    // calls it without a trip through a single-threaded one. Quillant1
    // stays in the host's apartment, where its hosts have always had it.
    {&CLSID_Quillant2, L"Quillant2", L"Quillant.Quillant2.1", L"Quillant.Quillant2", ThreadingModel::Both,
     /*programmable=*/true},
};

const win32::com_server::ClassTable kTable = {{1, &LIBID_Quillant}, kClasses, std::size(kClasses)};

}  // namespace

const win32::com_server::ClassTable& QuillantClasses() noexcept { return kTable; }

}  // namespace quillant::component
