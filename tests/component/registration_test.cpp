// Registration through the real regsvr32: for the machine and for the
// current user, each round trip leaves the registry as it found it, and in
// between the class is reachable the way hosts reach it.

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <string>

#include "Quillant_h.h"
#include "win32/com_ptr.h"
#include "tests/component/quillant_dll.h"
#include "win32/registry_key.h"
#include "tests/component/registry_snapshot.h"

namespace quillant::testing {
namespace {

using win32::ComPtr;

constexpr const wchar_t* kClassesPath = L"Software\\Classes";
constexpr const wchar_t* kPlatform = sizeof(void*) == 8 ? L"win64" : L"win32";

// Runs regsvr32 with the arguments in the DLL's folder (a Unix path would
// read as a switch under Wine) and returns its exit code.
DWORD RunRegsvr32(const std::wstring& arguments) {
    std::wstring command = L"regsvr32.exe " + arguments + L" Quillant.dll";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const std::wstring folder = ExeFolder();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        return GetLastError() | 0x80000000u;
    }
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40];
    StringFromGUID2(guid, text, 40);
    return text;
}

// A value under root\Software\Classes, or "<missing>".
std::wstring ReadValue(HKEY root, const std::wstring& key, const wchar_t* name = nullptr) {
    win32::RegistryKey opened;
    if (RegOpenKeyExW(root, (std::wstring(kClassesPath) + L"\\" + key).c_str(), 0, KEY_READ, opened.Put()) !=
        ERROR_SUCCESS) {
        return L"<missing>";
    }
    wchar_t data[MAX_PATH * 2] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(opened.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return L"<missing>";
    }
    return data;
}

struct Snapshots {
    RegistrySnapshot machine;
    RegistrySnapshot user;
};

Snapshots TakeSnapshots() {
    return {TakeSnapshot(HKEY_LOCAL_MACHINE, kClassesPath), TakeSnapshot(HKEY_CURRENT_USER, kClassesPath)};
}

void ExpectUnchanged(const Snapshots& before, const char* when) {
    const Snapshots after = TakeSnapshots();
    EXPECT_TRUE(after.machine == before.machine) << when << ", machine:\n"
                                                 << DescribeDifferences(before.machine, after.machine);
    EXPECT_TRUE(after.user == before.user) << when << ", user:\n" << DescribeDifferences(before.user, after.user);
}

// What a registration under root must hold.
void ExpectRegistered(HKEY root) {
    const std::wstring clsid = GuidText(CLSID_Quillant1);
    const std::wstring iid = GuidText(IID__Quillant1);
    const std::wstring libid = GuidText(LIBID_Quillant);
    const std::wstring dll = QuillantDllPath();
    struct Expected {
        std::wstring key;
        const wchar_t* name;
        std::wstring value;
    };
    const Expected values[] = {
        {L"CLSID\\" + clsid + L"\\InprocServer32", nullptr, dll},
        {L"CLSID\\" + clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {L"CLSID\\" + clsid + L"\\ProgID", nullptr, L"Quillant.Quillant1.1"},
        {L"CLSID\\" + clsid + L"\\VersionIndependentProgID", nullptr, L"Quillant.Quillant1"},
        {L"CLSID\\" + clsid + L"\\TypeLib", nullptr, libid},
        {L"Quillant.Quillant1\\CLSID", nullptr, clsid},
        {L"Quillant.Quillant1\\CurVer", nullptr, L"Quillant.Quillant1.1"},
        {L"Quillant.Quillant1.1\\CLSID", nullptr, clsid},
        {L"Interface\\" + iid, nullptr, L"_Quillant1"},
        {L"Interface\\" + iid + L"\\ProxyStubClsid32", nullptr, L"{00020424-0000-0000-C000-000000000046}"},
        {L"Interface\\" + iid + L"\\TypeLib", nullptr, libid},
        {L"Interface\\" + iid + L"\\TypeLib", L"Version", L"83.0"},
        {L"TypeLib\\" + libid + L"\\83.0\\409\\" + kPlatform, nullptr, dll},
        {L"TypeLib\\" + libid + L"\\83.0\\FLAGS", nullptr, L"0"},
    };
    for (const Expected& expected : values) {
        EXPECT_EQ(ReadValue(root, expected.key, expected.name), expected.value)
            << std::string(expected.key.begin(), expected.key.end());
    }
}

class RegistrationTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr)); }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(RegistrationTest, MachineRoundTrip) {
    const Snapshots before = TakeSnapshots();
    ASSERT_EQ(RunRegsvr32(L"/s"), 0u);
    ExpectRegistered(HKEY_LOCAL_MACHINE);

    // Reachable the way hosts reach it: ProgID, class, registered library.
    CLSID clsid = {};
    ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(L"Quillant.Quillant1", &clsid));
    EXPECT_EQ(clsid, CLSID_Quillant1);
    ComPtr<IDispatch> object;
    EXPECT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_Quillant1, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.PutVoid()));
    object.Reset();
    ComPtr<ITypeLib> library;
    EXPECT_HRESULT_SUCCEEDED(LoadRegTypeLib(LIBID_Quillant, 131, 0, 0x0409, library.Put()));
    library.Reset();
    CoFreeUnusedLibraries();

    // Registering twice is no different from once.
    ASSERT_EQ(RunRegsvr32(L"/s"), 0u);
    ASSERT_EQ(RunRegsvr32(L"/s /u"), 0u);
    ExpectUnchanged(before, "after regsvr32 /u");
    // Removing what is already gone succeeds and changes nothing.
    EXPECT_EQ(RunRegsvr32(L"/s /u"), 0u);
    ExpectUnchanged(before, "after a second regsvr32 /u");
}

TEST_F(RegistrationTest, PerUserRoundTripNeedsNoMachineKeys) {
    const Snapshots before = TakeSnapshots();
    ASSERT_EQ(RunRegsvr32(L"/s /n /i:user"), 0u);
    ExpectRegistered(HKEY_CURRENT_USER);
    const RegistrySnapshot machine = TakeSnapshot(HKEY_LOCAL_MACHINE, kClassesPath);
    EXPECT_TRUE(machine == before.machine) << DescribeDifferences(before.machine, machine);

    ASSERT_EQ(RunRegsvr32(L"/s /u /n /i:user"), 0u);
    ExpectUnchanged(before, "after regsvr32 /u /n /i:user");
}

TEST_F(RegistrationTest, UnknownInstallScopeIsRefused) {
    const Snapshots before = TakeSnapshots();
    EXPECT_NE(RunRegsvr32(L"/s /n /i:everyone"), 0u);
    ExpectUnchanged(before, "after a refused install");
}

}  // namespace
}  // namespace quillant::testing
