// Both widths of one server registered side by side, through the kit's own
// rows and writer: whichever width is unregistered first, every row of the
// other one is still there, and once both are gone so is everything. The
// 32-bit width cannot run on this machine, so the test lays out its rows as
// a 32-bit process on 64-bit Windows would write them.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/registration/registry_snapshot.h"
#include "win32/com_server/registry_rows.h"
#include "win32/com_server/registry_writer.h"
#include "win32/registry_key.h"

namespace quillant::testing {
namespace {

using namespace win32::com_server;

constexpr CLSID kClass = {0x5a1b7c2e, 0x0d3f, 0x4e61, {0x9b, 0x2a, 0x71, 0x0c, 0x44, 0xd8, 0x13, 0x01}};
constexpr GUID kLibrary = {0x5a1b7c2e, 0x0d3f, 0x4e61, {0x9b, 0x2a, 0x71, 0x0c, 0x44, 0xd8, 0x13, 0x02}};
constexpr IID kInterface = {0x5a1b7c2e, 0x0d3f, 0x4e61, {0x9b, 0x2a, 0x71, 0x0c, 0x44, 0xd8, 0x13, 0x03}};

const ClassEntry kClasses[] = {
    {&kClass, L"Widths", L"KitTest.Widths.1", L"KitTest.Widths", ThreadingModel::Apartment, true},
};
const ClassTable kServer = {{1, &kLibrary}, kClasses, 1};
const TypeLibraryFacts kFacts = {kLibrary, 2, 5, 0x0409, 0, L"Kit test library", {{kInterface, L"IWidths", false}}};

// The 32-bit process's class keys land in the 32-bit view of the registry.
RegistrationLayout AsWrittenByA32BitProcess(RegistrationLayout layout) {
    const std::wstring classes = L"Software\\Classes\\CLSID\\";
    auto redirect = [&](std::wstring& key) {
        if (key.compare(0, classes.size(), classes) == 0) key.insert(classes.size() - 6, L"Wow6432Node\\");
    };
    for (RegistryRow& row : layout.rows) redirect(row.key);
    for (std::wstring& key : layout.ownKeys) redirect(key);
    return layout;
}

std::wstring Read(HKEY root, const RegistryRow& row) {
    win32::RegistryKey key;
    if (RegOpenKeyExW(root, row.key.c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS) return L"<no key>";
    wchar_t data[512] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegQueryValueExW(key.Get(), row.name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) !=
        ERROR_SUCCESS) {
        return L"<no value>";
    }
    return data;
}

TEST(SharedKeys, EitherWidthUnregisteredFirstLeavesTheOtherWhole) {
    for (const Scope scope : {Scope::User, Scope::Machine}) {
        // Both in one folder: the library's HELPDIR, which both widths
        // share, then reads the same whichever wrote it last.
        const RegistrationLayout win64 = LayoutOf(kServer, kFacts, L"C:\\Kit\\Kit64.dll", Platform::Win64, scope);
        const RegistrationLayout win32 =
            AsWrittenByA32BitProcess(LayoutOf(kServer, kFacts, L"C:\\Kit\\Kit32.dll", Platform::Win32, scope));
        for (const bool win32First : {true, false}) {
            const RegistrationLayout& first = win32First ? win32 : win64;
            const RegistrationLayout& second = win32First ? win64 : win32;
            const RegistrySnapshot before = TakeSnapshot(win64.root, L"Software\\Classes");
            // The 32-bit view's class key, there on any 64-bit Windows.
            const wchar_t* const view = L"Software\\Classes\\Wow6432Node\\CLSID";
            ASSERT_EQ(RegCreateKeyExW(win64.root, view, 0, nullptr, 0, KEY_READ, nullptr, win32::RegistryKey().Put(),
                                      nullptr),
                      ERROR_SUCCESS);
            ASSERT_HRESULT_SUCCEEDED(WriteRegistration(second));
            ASSERT_HRESULT_SUCCEEDED(WriteRegistration(first));
            ASSERT_HRESULT_SUCCEEDED(RemoveRegistration(first));
            for (const RegistryRow& row : second.rows) {
                EXPECT_EQ(Read(second.root, row), row.data)
                    << std::string(row.key.begin(), row.key.end()) << (win32First ? ", win32 gone" : ", win64 gone");
            }
            ASSERT_HRESULT_SUCCEEDED(RemoveRegistration(second));
            // Emptied, the view's key went with the parents registration may
            // have created; on Windows it is never empty.
            RegDeleteKeyW(win64.root, view);
            if (before.count(view)) {
                ASSERT_EQ(RegCreateKeyExW(win64.root, view, 0, nullptr, 0, KEY_READ, nullptr,
                                          win32::RegistryKey().Put(), nullptr),
                          ERROR_SUCCESS);
            }
            const RegistrySnapshot after = TakeSnapshot(win64.root, L"Software\\Classes");
            EXPECT_TRUE(after == before) << DescribeDifferences(before, after);
        }
    }
}

}  // namespace
}  // namespace quillant::testing
