// QuillantForms.dll as a host meets it: class objects, reference counts and
// DllCanUnloadNow; and no GDI object left behind by long use.

#include <gtest/gtest.h>

#include <olectl.h>

#include <algorithm>

#include "QuillantForms_h.h"
#include "tests/forms/forms_test_support.h"
#include "win32/gdi_object.h"
#include "tests/support/in_proc_server.h"
#include "tests/support/process_usage.h"

namespace quillant::forms::testing {
namespace {

class FormsServer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server_.Loaded()) << "QuillantForms.dll is not next to the test"; }

    quillant::testing::InProcServer server_{L"QuillantForms.dll"};
};

TEST_F(FormsServer, UnloadsOnlyWhenEveryObjectFactoryAndLockIsGone) {
    for (const CLSID* clsid : {&CLSID_PictureBox, &CLSID_Printer}) {
        ASSERT_EQ(server_.CanUnloadNow(), S_OK);
        win32::ComPtr<IClassFactory> factory;
        ASSERT_EQ(server_.GetClassObject(*clsid, IID_IClassFactory, factory.PutVoid()), S_OK);
        EXPECT_EQ(server_.CanUnloadNow(), S_FALSE);

        win32::ComPtr<IDispatch> object;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, object.PutVoid()), S_OK);
        win32::ComPtr<IUnknown> outer(object.Get());
        win32::ComPtr<IUnknown> aggregated;
        EXPECT_EQ(factory->CreateInstance(outer.Get(), IID_IUnknown, aggregated.PutVoid()), CLASS_E_NOAGGREGATION);
        outer.Reset();
        EXPECT_EQ(factory->LockServer(TRUE), S_OK);
        factory.Reset();
        EXPECT_EQ(server_.CanUnloadNow(), S_FALSE) << "object and lock alive";
        EXPECT_EQ(object.ReferenceCount(), 1u);

        {
            // The DLL's own objects answer by name from its TYPELIB 1.
            const LateBound late(object);
            late.Put(L"ScaleMode", short{3});
            late.Call(L"Line", {36, 0.0, 0.0, 5.0, 5.0, 0});
            EXPECT_EQ(late.Number(L"CurrentX"), 5);
        }
        object.Reset();
        EXPECT_EQ(server_.CanUnloadNow(), S_FALSE) << "lock alive";

        ASSERT_EQ(server_.GetClassObject(*clsid, IID_IClassFactory, factory.PutVoid()), S_OK);
        EXPECT_EQ(factory->LockServer(FALSE), S_OK);
        factory.Reset();
        EXPECT_EQ(server_.CanUnloadNow(), S_OK);
    }
    win32::ComPtr<IClassFactory> none;
    EXPECT_EQ(server_.GetClassObject(IID_IDispatch, IID_IClassFactory, none.PutVoid()), CLASS_E_CLASSNOTAVAILABLE);
}

void DrawPrintAndSave(const std::wstring& picturePath, const std::wstring& documentPath) {
    const LateBound box = NewPictureBox();
    box.Put(L"FontName", L"OCR A Extended");
    box.Put(L"FontSize", 10.5);
    box.Call(L"Line", {36, 0.0, 0.0, 300.0, 1500.0, 0});
    box.Call(L"Line", {20, 300.0, 0.0, 600.0, 1500.0, 0});
    box.Call(L"Line", {38, 600.0, 0.0, 900.0, 1500.0, 0xFFFFFF});
    box.CallNumber(L"TextWidth", {L"AB"});
    box.Call(L"Print", {L"AB"});
    box.Put(L"Width", 3000.0);
    box.Call(L"SavePicture", {picturePath});
    win32::Variant image = box.Get(L"Image");

    const LateBound printer = NewPrinter();
    printer.Put(L"OutputFile", documentPath);
    printer.Put(L"Width", 1440.0);
    printer.Put(L"Height", 1440.0);
    printer.Put(L"FontBold", true);
    printer.Call(L"Line", {36, 0.0, 0.0, 300.0, 1500.0, 0});
    printer.Call(L"Print", {L"AB"});
    printer.Call(L"PaintPicture", {V_DISPATCH(image.Get()), 0.0, 0.0, 720.0, 720.0});
    printer.Call(L"NewPage");
    printer.Call(L"Print", {L"2"});
    printer.Call(L"EndDoc");
    printer.Call(L"Line", {36, 0.0, 0.0, 300.0, 1500.0, 0});
    printer.Call(L"KillDoc");
    try {
        box.Put(L"ScaleMode", short{4});
    } catch (const VbError&) {
        // errors must leak nothing either
    }
}

TEST(FormsResources, AThousandDrawPrintSaveCyclesLeaveNoGdiObjectBehind) {
    const std::wstring picture = L"forms_cycle.bmp";
    DrawPrintAndSave(picture, L"forms_cycle.png");  // first use loads what stays loaded
    DrawPrintAndSave(picture, L"forms_cycle.emf");
    const long before = quillant::testing::GdiObjectsInUse();
    for (int cycle = 0; cycle < 1000; ++cycle) {
        DrawPrintAndSave(picture, cycle % 2 ? L"forms_cycle.png" : L"forms_cycle.emf");
    }
    const long after = quillant::testing::GdiObjectsInUse();
    EXPECT_LT(after - before, 50) << "GDI objects in use went from " << before << " to " << after;
}

}  // namespace
}  // namespace quillant::forms::testing
