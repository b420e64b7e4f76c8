#pragma once
// What an in-process server declares about itself: its creatable classes and
// the type library that describes them. The kit creates, registers and
// unregisters every class of a table from these rows alone. The interfaces
// registered are the automation interfaces the type library describes, read
// from it, so that each interface is written down once, in the IDL.
//
// A server's ClassTable is data only, so that the build tools that write its
// installer rows and side-by-side manifests link the very same table as the
// DLL without linking the objects; the DLL pairs it with the functions that
// make the objects (ServerTable).

#include <objbase.h>

#include <cstddef>

#include "win32/com_ptr.h"

namespace quillant::win32::com_server {

// Makes a new object of the class and asks it for iid.
using CreateFunction = HRESULT (*)(REFIID iid, void** out);

// The apartments a class's objects may live in, as InprocServer32 names them.
enum class ThreadingModel { Apartment, Both, Free, Neutral };

struct ClassEntry {
    const CLSID* clsid;
    // The default value of the class key and of its ProgID keys.
    const wchar_t* name;
    const wchar_t* progId;
    // With CurVer pointing at progId; null for a class with one ProgID only.
    const wchar_t* versionIndependentProgId;
    ThreadingModel threadingModel;
    // Marks the class as an automation object for tools that browse classes.
    bool programmable;
};

// The type library registered with the classes: resource TYPELIB
// `resource` of the module, which must describe library `libid`.
struct TypeLibraryEntry {
    unsigned resource;
    const GUID* libid;
};

// Everything a server registers.
struct ClassTable {
    TypeLibraryEntry typeLibrary;
    const ClassEntry* classes;
    std::size_t classCount;

    const ClassEntry* begin() const { return classes; }
    const ClassEntry* end() const { return classes + classCount; }
};

class ClassFactory;

struct ServerTable {
    const ClassTable* classes;
    // The class object of every class of the table (the server tests create
    // each class), defined by the server as a static array
    // (class_factory.h).
    ClassFactory* factories;
    std::size_t factoryCount;
    // Whatever else of the module a host may still hold (objects made
    // outside the class factories); null when there is nothing.
    bool (*stillInUse)();
};

// A CreateFunction for classes whose maker hands out IDispatch.
template <HRESULT (*Make)(IDispatch**)>
HRESULT CreateThroughDispatch(REFIID iid, void** out) {
    ComPtr<IDispatch> object;
    const HRESULT hr = Make(object.Put());
    if (FAILED(hr)) return hr;
    return object.QueryTo(iid, out);
}

}  // namespace quillant::win32::com_server
