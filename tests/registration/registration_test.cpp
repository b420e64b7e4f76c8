// Registration of both servers through the real regsvr32: for the machine and
// for the current user, each round trip leaves the registry as it found it,
// and in between the classes are reachable the way hosts reach them. With the
// other width registered beside it, unregistering one width leaves every key
// the other one uses.

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Quillant_h.h"
#include "QuillantForms_h.h"
#include "tests/registration/registry_snapshot.h"
#include "tests/support/in_proc_server.h"
#include "win32/com_ptr.h"
#include "win32/kernel_handle.h"
#include "win32/registry_key.h"

namespace quillant::testing {
namespace {

using win32::ComPtr;

constexpr const wchar_t* kClassesPath = L"Software\\Classes";

struct ProgId {
    const wchar_t* name;
    const CLSID* clsid;
};

struct Server {
    const char* file;
    const GUID* libid;
    WORD libraryMajor;
    LCID lcid;
    std::vector<ProgId> progIds;
};

const Server kServers[] = {
    {"Quillant.dll", &LIBID_Quillant, 131, 0x0409,
     {{L"Quillant.Quillant1", &CLSID_Quillant1}, {L"Quillant.Quillant1.1", &CLSID_Quillant1}}},
    {"QuillantForms.dll", &LIBID_QuillantForms, 1, 0,
     {{L"QuillantForms.PictureBox", &CLSID_PictureBox}, {L"QuillantForms.Printer", &CLSID_Printer}}},
};

// Runs regsvr32 with the arguments in the DLL's folder (a Unix path would
// read as a switch under Wine) and returns its exit code.
DWORD RunRegsvr32(const std::string& arguments, const char* file) {
    const std::string text = "regsvr32.exe " + arguments + " " + file;
    std::wstring command(text.begin(), text.end());
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const std::wstring folder = BesideProgram(L"");
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        return GetLastError() | 0x80000000u;
    }
    const win32::KernelHandle thread(process.hThread), owned(process.hProcess);
    WaitForSingleObject(owned.Get(), 60000);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(owned.Get(), &code);
    return code;
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

// Reachable the way hosts reach it: by ProgID, by class, and its library.
void ExpectReachable(const Server& server) {
    for (const ProgId& progId : server.progIds) {
        CLSID clsid = {};
        EXPECT_HRESULT_SUCCEEDED(CLSIDFromProgID(progId.name, &clsid)) << server.file;
        EXPECT_EQ(clsid, *progId.clsid) << server.file;
        ComPtr<IDispatch> object;
        EXPECT_HRESULT_SUCCEEDED(
            CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.PutVoid()))
            << server.file;
    }
    ComPtr<ITypeLib> library;
    EXPECT_HRESULT_SUCCEEDED(LoadRegTypeLib(*server.libid, server.libraryMajor, 0, server.lcid, library.Put()))
        << server.file;
    library.Reset();
    CoFreeUnusedLibraries();
}

class Registration : public ::testing::TestWithParam<Server> {
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr)); }
    void TearDown() override { CoUninitialize(); }

    DWORD Regsvr32(const std::string& arguments) const { return RunRegsvr32(arguments, GetParam().file); }
};

TEST_P(Registration, MachineRoundTrip) {
    const Snapshots before = TakeSnapshots();
    ASSERT_EQ(Regsvr32("/s"), 0u);
    ExpectReachable(GetParam());
    // Registering twice is no different from once.
    ASSERT_EQ(Regsvr32("/s"), 0u);
    ASSERT_EQ(Regsvr32("/s /u"), 0u);
    ExpectUnchanged(before, "after regsvr32 /u");
    // Removing what is already gone succeeds and changes nothing.
    EXPECT_EQ(Regsvr32("/s /u"), 0u);
    ExpectUnchanged(before, "after a second regsvr32 /u");
}

// A value under HKEY_CURRENT_USER\Software\Classes, or "<missing>".
std::wstring UserValue(const std::wstring& key) {
    win32::RegistryKey opened;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(kClassesPath) + L"\\" + key).c_str(), 0, KEY_READ,
                      opened.Put()) != ERROR_SUCCESS) {
        return L"<missing>";
    }
    wchar_t data[MAX_PATH * 2] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegQueryValueExW(opened.Get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) !=
        ERROR_SUCCESS) {
        return L"<missing>";
    }
    return data;
}

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

// Wine's COM does not look up classes under HKEY_CURRENT_USER, so the
// per-user registration is read where a host's COM on Windows reads it.
TEST_P(Registration, PerUserRoundTripNeedsNoMachineKeys) {
    const Snapshots before = TakeSnapshots();
    ASSERT_EQ(Regsvr32("/s /n /i:user"), 0u);
    const std::wstring file(GetParam().file, GetParam().file + strlen(GetParam().file));
    for (const ProgId& progId : GetParam().progIds) {
        const std::wstring clsid = GuidText(*progId.clsid);
        EXPECT_EQ(UserValue(std::wstring(progId.name) + L"\\CLSID"), clsid);
        EXPECT_EQ(UserValue(L"CLSID\\" + clsid + L"\\InprocServer32"), BesideProgram(file.c_str()));
    }
    const RegistrySnapshot machine = TakeSnapshot(HKEY_LOCAL_MACHINE, kClassesPath);
    EXPECT_TRUE(machine == before.machine) << DescribeDifferences(before.machine, machine);

    ASSERT_EQ(Regsvr32("/s /u /n /i:user"), 0u);
    ExpectUnchanged(before, "after regsvr32 /u /n /i:user");
    EXPECT_NE(Regsvr32("/s /n /i:everyone"), 0u);
    ExpectUnchanged(before, "after a refused install");
}

// Where the other width's registration on 64-bit Windows puts a key this
// width wrote: the library's path under the other width's name, class keys
// in the other view, everything else in the same place. A 64-bit process
// sees the 32-bit view's class keys under Wow6432Node; a 32-bit process
// never sees the 64-bit view's, so for it they are "" (not there to write).
std::wstring OtherWidthKey(const std::wstring& key) {
    constexpr bool k64 = sizeof(void*) == 8;
    const std::wstring classes = std::wstring(kClassesPath) + L"\\CLSID\\";
    if (key.compare(0, classes.size(), classes) == 0) {
        return k64 ? std::wstring(kClassesPath) + L"\\Wow6432Node\\CLSID\\" + key.substr(classes.size()) : L"";
    }
    const std::wstring width = k64 ? L"\\win64" : L"\\win32";
    if (key.size() > width.size() && key.compare(key.size() - width.size(), width.size(), width) == 0) {
        return key.substr(0, key.size() - width.size()) + (k64 ? L"\\win32" : L"\\win64");
    }
    return key;
}

// Writes the keys a registration added (all of them string values, as
// "name=1:data" in a snapshot) as the other width would have them.
void WriteAsOtherWidth(const RegistrySnapshot& before, const RegistrySnapshot& registered) {
    for (const auto& [key, values] : registered) {
        if (before.count(key) || OtherWidthKey(key).empty()) continue;
        win32::RegistryKey opened;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, OtherWidthKey(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, opened.Put(), nullptr),
                  ERROR_SUCCESS);
        for (const std::wstring& value : values) {
            const size_t equals = value.find(L'='), colon = value.find(L':', equals);
            ASSERT_EQ(value.substr(equals + 1, colon - equals - 1), std::to_wstring(REG_SZ));
            // A snapshot keeps a string's data with its terminating null.
            const std::wstring name = value.substr(0, equals), data = value.substr(colon + 1).c_str();
            ASSERT_EQ(RegSetValueExW(opened.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                     static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))),
                      ERROR_SUCCESS);
        }
    }
}

// The other width's registration is written from what this width's writes,
// as each test prefix holds one width only.
TEST_P(Registration, UnregisteringOneWidthLeavesTheOtherWidthsKeys) {
    if (sizeof(void*) == 8) {
        // The 32-bit view's class key, there on any 64-bit Windows.
        win32::RegistryKey view;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\Wow6432Node\\CLSID", 0, nullptr, 0,
                                  KEY_READ, nullptr, view.Put(), nullptr),
                  ERROR_SUCCESS);
    }
    const Snapshots before = TakeSnapshots();
    ASSERT_EQ(Regsvr32("/s"), 0u);
    const RegistrySnapshot registered = TakeSnapshot(HKEY_LOCAL_MACHINE, kClassesPath);
    ASSERT_EQ(Regsvr32("/s /u"), 0u);
    WriteAsOtherWidth(before.machine, registered);
    const Snapshots otherWidthOnly = TakeSnapshots();

    ASSERT_EQ(Regsvr32("/s"), 0u);
    ExpectReachable(GetParam());
    ASSERT_EQ(Regsvr32("/s /u"), 0u);
    ExpectUnchanged(otherWidthOnly, "unregistered beside the other width's registration");
    for (const ProgId& progId : GetParam().progIds) {
        CLSID clsid = {};
        EXPECT_HRESULT_SUCCEEDED(CLSIDFromProgID(progId.name, &clsid)) << "the other width's registration's " << progId.name;
    }

    // Once the other width's own keys are gone, the last unregistration
    // removes the shared ones too.
    for (const auto& [key, values] : registered) {
        const std::wstring other = OtherWidthKey(key);
        if (!before.machine.count(key) && !other.empty() && other != key) RegDeleteTreeW(HKEY_LOCAL_MACHINE, other.c_str());
    }
    ASSERT_EQ(Regsvr32("/s"), 0u);
    ASSERT_EQ(Regsvr32("/s /u"), 0u);
    ExpectUnchanged(before, "after both widths were unregistered");
}

INSTANTIATE_TEST_SUITE_P(BothServers, Registration, ::testing::ValuesIn(kServers),
                         [](const ::testing::TestParamInfo<Server>& server) {
                             std::string name = server.param.file;
                             name.erase(name.find('.'));
                             return name;
                         });

}  // namespace
}  // namespace quillant::testing
