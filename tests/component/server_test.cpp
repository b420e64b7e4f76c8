// Quillant.dll through its exports and the vtable of _Quillant1: what the
// scripts cannot see (exact HRESULTs, reference counts, the server's
// lifetime) and the repeated create/release cycle.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>

#include "Quillant_h.h"
#include "component/quillant_classes.h"
#include "win32/bstr.h"
#include "win32/com_ptr.h"
#include "adapters/dispatch_drawing_object.h"
#include "tests/support/process_usage.h"
#include "tests/support/in_proc_server.h"
#include "tests/support/late_bound.h"
#include "tests/support/stub_dispatch.h"

namespace quillant::testing {
namespace {

using win32::Bstr;
using win32::ComPtr;

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr));
        ASSERT_TRUE(dll_.Loaded());
    }
    void TearDown() override { CoUninitialize(); }

    ComPtr<_Quillant1> NewObject() {
        ComPtr<_Quillant1> object;
        EXPECT_HRESULT_SUCCEEDED(dll_.Create(CLSID_Quillant1, object));
        return object;
    }

    InProcServer dll_{L"Quillant.dll"};
};

// Hosts name an object by its class (Visual Basic's TypeName), not by its
// interface: both classes say which coclass they are.
TEST_F(ServerTest, BothClassesNameTheirCoclass) {
    const struct {
        CLSID clsid;
        const wchar_t* name;
    } classes[] = {{CLSID_Quillant1, L"Quillant1"}, {CLSID_Quillant2, L"Quillant2"}};
    for (const auto& c : classes) {
        ComPtr<IProvideClassInfo> object;
        ASSERT_HRESULT_SUCCEEDED(dll_.Create(c.clsid, object)) << c.name;
        ComPtr<ITypeInfo> info;
        ASSERT_HRESULT_SUCCEEDED(object->GetClassInfo(info.Put()));
        Bstr name;
        ASSERT_HRESULT_SUCCEEDED(info->GetDocumentation(MEMBERID_NIL, name.Put(), nullptr, nullptr, nullptr));
        EXPECT_EQ(name.View(), c.name);
    }
}

std::wstring ErrorDescription() {
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Put()) != S_OK) return L"<no error info>";
    Bstr description;
    info->GetDescription(description.Put());
    return std::wstring(description.View());
}

// The table is what regsvr32, the installer and the side-by-side manifest
// register: a class in it that the DLL cannot make would be registered and
// then fail for every host.
TEST_F(ServerTest, ServesEveryClassOfItsTable) {
    for (const win32::com_server::ClassEntry& entry : component::QuillantClasses()) {
        ComPtr<IDispatch> object;
        EXPECT_HRESULT_SUCCEEDED(dll_.Create(*entry.clsid, object)) << "class " << entry.progId;
    }
}

TEST_F(ServerTest, FactoryServesOnlyItsClassWithoutAggregation) {
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(dll_.GetClassObject(IID__Quillant1, IID_IClassFactory, factory.PutVoid()), CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_HRESULT_SUCCEEDED(dll_.GetClassObject(CLSID_Quillant1, IID_IClassFactory, factory.PutVoid()));

    StubDispatch outer;
    ComPtr<IUnknown> aggregated;
    EXPECT_EQ(factory->CreateInstance(&outer, IID_IUnknown, aggregated.PutVoid()), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, aggregated.PutVoid()), E_NOINTERFACE);
    EXPECT_FALSE(aggregated);

    struct Interface {
        const char* name;
        IID iid;
    };
    for (const Interface& supported : {Interface{"IUnknown", IID_IUnknown}, Interface{"IDispatch", IID_IDispatch},
                                       Interface{"_Quillant1", IID__Quillant1},
                                       Interface{"ISupportErrorInfo", IID_ISupportErrorInfo}}) {
        ComPtr<IUnknown> object;
        EXPECT_HRESULT_SUCCEEDED(factory->CreateInstance(nullptr, supported.iid, object.PutVoid())) << supported.name;
    }
}

TEST_F(ServerTest, UnloadOnlyWithoutObjectsLocksOrHeldPrinter) {
    EXPECT_EQ(dll_.CanUnloadNow(), S_OK);
    {
        ComPtr<_Quillant1> object = NewObject();
        EXPECT_EQ(dll_.CanUnloadNow(), S_FALSE) << "an object is alive";
    }
    EXPECT_EQ(dll_.CanUnloadNow(), S_OK);

    // A class object in a host's hands keeps the server loaded as a lock
    // does; an unlock without a lock must not wedge the count below zero.
    ComPtr<IClassFactory> factory;
    ASSERT_HRESULT_SUCCEEDED(dll_.GetClassObject(CLSID_Quillant1, IID_IClassFactory, factory.PutVoid()));
    EXPECT_EQ(dll_.CanUnloadNow(), S_FALSE) << "a class object is held";
    factory->LockServer(FALSE);
    factory->LockServer(TRUE);
    factory->LockServer(TRUE);
    factory.Reset();
    EXPECT_EQ(dll_.CanUnloadNow(), S_FALSE) << "two locks";
    ASSERT_HRESULT_SUCCEEDED(dll_.GetClassObject(CLSID_Quillant1, IID_IClassFactory, factory.PutVoid()));
    factory->LockServer(FALSE);
    factory->LockServer(FALSE);
    factory.Reset();
    EXPECT_EQ(dll_.CanUnloadNow(), S_OK);

    ComPtr<IDispatch> printer;
    {
        ComPtr<_Quillant1> object = NewObject();
        ASSERT_HRESULT_SUCCEEDED(object->get_DeviceObject(printer.Put()));
    }
    ASSERT_TRUE(printer);
    EXPECT_EQ(dll_.CanUnloadNow(), S_FALSE) << "the host still holds the default printer";
    printer.Reset();
    EXPECT_EQ(dll_.CanUnloadNow(), S_OK);
}

// The default printer is the server's own; it goes when DllCanUnloadNow lets
// the module go, not in the module's static destructors, which run under
// the loader lock.
TEST_F(ServerTest, KeptPrinterIsReleasedBeforeUnloadIsAllowed) {
    HDC page = nullptr;
    {
        ComPtr<_Quillant1> object = NewObject();
        ASSERT_HRESULT_SUCCEEDED(object->put_Orientation(::bcVertical));  // a turned printer caption
        Bstr result;
        ASSERT_HRESULT_SUCCEEDED(object->Encode(result.Put()));
        EXPECT_EQ(result.View(), L"Sucess");
        ComPtr<IDispatch> printer;
        ASSERT_HRESULT_SUCCEEDED(object->get_DeviceObject(printer.Put()));
        page = LateBound(printer).Hdc();
        EXPECT_NE(GetObjectType(page), 0u) << "the printer's page is open";
    }
    EXPECT_EQ(dll_.CanUnloadNow(), S_OK);
    EXPECT_EQ(GetObjectType(page), 0u) << "the default printer still holds its page";
}

using render::win32::IID_VbPrinter;

TEST_F(ServerTest, DefaultDeviceObjectIsOneSharedPrinter) {
    ComPtr<_Quillant1> first = NewObject(), second = NewObject();
    ComPtr<IDispatch> firstDevice, secondDevice;
    ASSERT_HRESULT_SUCCEEDED(first->get_DeviceObject(firstDevice.Put()));
    ASSERT_HRESULT_SUCCEEDED(second->get_DeviceObject(secondDevice.Put()));
    ASSERT_TRUE(firstDevice);
    EXPECT_EQ(firstDevice.Get(), secondDevice.Get());
    ComPtr<IUnknown> printer;
    EXPECT_HRESULT_SUCCEEDED(firstDevice.QueryTo(IID_VbPrinter, printer.PutVoid()));

    // Replacing it on one object leaves the other's alone.
    StubDispatch other;
    ASSERT_HRESULT_SUCCEEDED(first->putref_DeviceObject(&other));
    ASSERT_HRESULT_SUCCEEDED(second->get_DeviceObject(secondDevice.Put()));
    EXPECT_EQ(secondDevice.Get(), firstDevice.Get());
    ASSERT_HRESULT_SUCCEEDED(first->putref_DeviceObject(nullptr));
}

TEST_F(ServerTest, DeviceObjectHoldsExactlyOneReference) {
    StubDispatch first, second;
    {
        ComPtr<_Quillant1> object = NewObject();
        ASSERT_HRESULT_SUCCEEDED(object->putref_DeviceObject(&first));
        EXPECT_EQ(first.references(), 2u);

        ComPtr<IDispatch> read;
        ASSERT_HRESULT_SUCCEEDED(object->get_DeviceObject(read.Put()));
        EXPECT_EQ(read.Get(), &first);
        EXPECT_EQ(first.references(), 3u) << "the getter adds one for the caller";
        read.Reset();

        ASSERT_HRESULT_SUCCEEDED(object->putref_DeviceObject(&first));
        EXPECT_EQ(first.references(), 2u) << "assigning the same object again";

        ASSERT_HRESULT_SUCCEEDED(object->putref_DeviceObject(&second));
        EXPECT_EQ(first.references(), 1u) << "released on replace";
        EXPECT_EQ(second.references(), 2u);

        ASSERT_HRESULT_SUCCEEDED(object->putref_DeviceObject(nullptr));
        EXPECT_EQ(second.references(), 1u);
        ASSERT_HRESULT_SUCCEEDED(object->get_DeviceObject(read.Put()));
        EXPECT_FALSE(read);

        ASSERT_HRESULT_SUCCEEDED(object->putref_DeviceObject(&second));
    }
    EXPECT_EQ(second.references(), 1u) << "released on destroy";
}

TEST_F(ServerTest, NullPointersAreRefusedNotFollowed) {
    ComPtr<_Quillant1> object = NewObject();
    EXPECT_EQ(object->put_XPosition(nullptr), E_POINTER);
    EXPECT_EQ(object->put_YPosition(nullptr), E_POINTER);
    EXPECT_EQ(object->get_XPosition(nullptr), E_POINTER);
    EXPECT_EQ(object->get_Orientation(nullptr), E_POINTER);
    EXPECT_EQ(object->get_VisibleCode(nullptr), E_POINTER);
    EXPECT_EQ(object->get_EncodeString(nullptr), E_POINTER);
    EXPECT_EQ(object->get_DeviceObject(nullptr), E_POINTER);
    EXPECT_EQ(object->GetBarWidth(nullptr), E_POINTER);
    EXPECT_EQ(object->Encode(nullptr), E_POINTER);
    // A null BSTR is automation's empty string.
    ASSERT_HRESULT_SUCCEEDED(object->put_EncodeString(nullptr));
    Bstr text;
    ASSERT_HRESULT_SUCCEEDED(object->get_EncodeString(text.Put()));
    EXPECT_NE(text.Get(), nullptr);
    EXPECT_EQ(text.View(), L"");
}

// Errors reach compiled hosts as HRESULT 0x800A0000 | number with
// IErrorInfo; the scripts check the widths.
TEST_F(ServerTest, GetBarWidthErrorsCarryVisualBasicNumbers) {
    struct Case {
        std::wstring text;
        short elementWidth;
        HRESULT expected;
        const wchar_t* description;
    };
    const Case cases[] = {
        {std::wstring(146, L'A'), 20, static_cast<HRESULT>(0x800A0006), L"Overflow"},
        {L"AB", 575, static_cast<HRESULT>(0x800A0006), L"Overflow"},
        {L"\x7F", 20, static_cast<HRESULT>(0x800A0005), L"Character U+007F at position 1 cannot be encoded in Code 128"},
    };
    ComPtr<_Quillant1> object = NewObject();
    ComPtr<ISupportErrorInfo> support;
    ASSERT_HRESULT_SUCCEEDED(object.As(support));
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID__Quillant1), S_OK);
    for (const Case& c : cases) {
        ASSERT_HRESULT_SUCCEEDED(object->put_EncodeString(Bstr(c.text).Get()));
        ASSERT_HRESULT_SUCCEEDED(object->put_ElementWidth(c.elementWidth));
        short width = 0;
        SetErrorInfo(0, nullptr);
        EXPECT_EQ(object->GetBarWidth(&width), c.expected) << c.text.size() << " characters";
        EXPECT_EQ(ErrorDescription(), c.description);
    }
}

// Registration writes the DLL's path however long it is; the DLL must then
// find its own type library there too (late binding goes through it).
TEST_F(ServerTest, LoadsItsTypeLibraryFromAPathBeyondMaxPath) {
    wchar_t temp[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    std::wstring folder = std::wstring(temp) + L"quillant-long-path";
    CreateDirectoryW(folder.c_str(), nullptr);
    while (folder.size() < MAX_PATH + 20) {
        folder += L"\\" + std::wstring(40, L'd');
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    const std::wstring path = folder + L"\\Quillant.dll";
    ASSERT_TRUE(CopyFileW(BesideProgram(L"Quillant.dll").c_str(), path.c_str(), FALSE)) << GetLastError();
    {
        const InProcServer deep(path);
        ASSERT_TRUE(deep.Loaded());
        ComPtr<IDispatch> object;
        ASSERT_HRESULT_SUCCEEDED(deep.Create(CLSID_Quillant1, object));
        LPOLESTR name = const_cast<LPOLESTR>(L"Encode");
        DISPID id = DISPID_UNKNOWN;
        EXPECT_HRESULT_SUCCEEDED(object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id));
    }
    DeleteFileW(path.c_str());
}

TEST_F(ServerTest, TenThousandCyclesLeaveNothingBehind) {
    ComPtr<IClassFactory> factory;
    ASSERT_HRESULT_SUCCEEDED(dll_.GetClassObject(CLSID_Quillant1, IID_IClassFactory, factory.PutVoid()));
    const Bstr text(std::wstring_view(L"Quillant 12345"));
    const Bstr bad(std::wstring_view(L"\x00E9"));
    auto cycle = [&] {
        ComPtr<_Quillant1> object;
        ASSERT_HRESULT_SUCCEEDED(factory->CreateInstance(nullptr, IID__Quillant1, object.PutVoid()));
        short width = 0;
        ASSERT_HRESULT_SUCCEEDED(object->put_EncodeString(text.Get()));
        ASSERT_HRESULT_SUCCEEDED(object->GetBarWidth(&width));
        ComPtr<IDispatch> device;
        ASSERT_HRESULT_SUCCEEDED(object->get_DeviceObject(device.Put()));
        // Drawing grows the shared printer's page, which only the host's
        // EndDoc or KillDoc gives back; Encode runs here without a target.
        ASSERT_HRESULT_SUCCEEDED(object->putref_DeviceObject(nullptr));
        Bstr result;
        ASSERT_HRESULT_SUCCEEDED(object->Encode(result.Put()));
        EXPECT_EQ(result.View(), L"Object variable or With block variable not set");
        ASSERT_HRESULT_SUCCEEDED(object->put_EncodeString(bad.Get()));
        EXPECT_EQ(object->GetBarWidth(&width), static_cast<HRESULT>(0x800A0005));
    };
    // The first cycles fill lasting caches: the type library, the shared
    // printer, the error object of the thread.
    for (int i = 0; i < 100; ++i) cycle();
    const ProcessUsage before = MeasureUsage();
    for (int i = 0; i < 10000; ++i) cycle();
    SetErrorInfo(0, nullptr);
    const ProcessUsage after = MeasureUsage();
    std::printf("10000 cycles: %s\n", DescribeChange(before, after).c_str());

    factory.Reset();
    EXPECT_EQ(dll_.CanUnloadNow(), S_OK);
    // Less than a byte per cycle: any leak per object would show ten
    // thousand times over.
    EXPECT_LT(after.heapBytes, before.heapBytes + 10000);
    EXPECT_LE(after.handles, before.handles);
    EXPECT_LE(after.nextHandle, before.nextHandle);
    EXPECT_LE(after.gdiObjects, before.gdiObjects);
}

// Quillant.dll's threads keep the small blocks they free for their next
// allocations: a thread that ends gives them back to the heap, or every
// short-lived thread (as a server's pool makes them) would leave its blocks
// behind.
void MakeImages(const InProcServer& dll) {
    ComPtr<_Quillant2> label;
    ASSERT_HRESULT_SUCCEEDED(dll.Create(CLSID_Quillant2, label));
    for (const wchar_t* text : {L"Block 1", L"(01)09501101530003(10)A1", L"abc 123 XYZ"}) {
        ASSERT_HRESULT_SUCCEEDED(label->put_EncodeString(Bstr(std::wstring_view(text)).Get()));
        ASSERT_HRESULT_SUCCEEDED(label->put_Symbology(static_cast<Symbologies>(text[0] == L'(' ? 2 : 1)));
        VARIANT resolution;
        V_VT(&resolution) = VT_I4;
        V_I4(&resolution) = 203;
        win32::Variant image;
        ASSERT_HRESULT_SUCCEEDED(label->ImageBytes(Bstr(std::wstring_view(L"png")).Get(), resolution, image.Put()));
        ASSERT_EQ(V_VT(image.Get()), VT_ARRAY | VT_UI1);
    }
}

void MakeImagesOnThreads(const InProcServer& dll, int threads) {
    for (int i = 0; i < threads; ++i) {
        std::thread([&] {
            ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
            MakeImages(dll);
            CoUninitialize();
        }).join();
    }
}

TEST_F(ServerTest, ThreadsThatEndGiveBackTheBlocksTheyKept) {
    MakeImagesOnThreads(dll_, 5);
    const size_t before = BusyHeapBytes();
    MakeImagesOnThreads(dll_, 100);
    const size_t after = BusyHeapBytes();
    std::printf("100 threads: heap %zu -> %zu bytes\n", before, after);
    EXPECT_LT(after, before + 64 * 1024);
}

}  // namespace
}  // namespace quillant::testing
