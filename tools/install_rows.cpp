// Build-time tool, built for the servers' width and run by that width's
// Wine: writes what an installer and a
// registration-free host need to know of the COM servers, from the servers'
// own class tables and the type libraries inside the built DLLs, so that the
// MSI, the side-by-side manifest and regsvr32 can never disagree.
//
//   quillant-install-rows --platform win32|win64 --version 1.0.0.132
//       --assembly NAME --wix OUT.wxs --manifest OUT.manifest
//       --server Quillant=PATH\Quillant.dll --server QuillantForms=PATH\QuillantForms.dll
//
// OUT.wxs is a WiX fragment for wixl: under directory INSTALLDIR a component
// per DLL (Win64 $(var.Win64)) with its file (Source $(var.ServerDir)/NAME)
// and the registry rows
// regsvr32 would write for it there, as flat RegistryValue rows (wixl knows
// no Class or TypeLib table). The rows carry root HKMU, so that a per-user
// installation writes them where `regsvr32 /n /i:user` would; wixl numbers
// that root 4 and the build sets it to -1 afterwards (installer/CMakeLists.txt).
//
// OUT.manifest is the side-by-side assembly NAME holding both DLLs: their
// classes, type libraries and automation interfaces.
//
// It reads the type libraries in a process of their own width (Wine's
// oleaut32 rescales a library of the other width to the reader's pointer
// size) and refuses a --platform that is not its own. Any failure names the step and exits
// non-zero, so the build stops there.

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "component/quillant_classes.h"
#include "forms/server/forms_classes.h"
#include "win32/com_server/registry_rows.h"
#include "win32/com_server/type_library_facts.h"

namespace {

namespace server = quillant::win32::com_server;

// The servers this tool knows, by the name the build passes them under.
struct KnownServer {
    const wchar_t* name;
    const server::ClassTable& (*table)() noexcept;
};
const KnownServer kKnownServers[] = {
    {L"Quillant", quillant::component::QuillantClasses},
    {L"QuillantForms", quillant::forms::FormsClasses},
};

// Registry rows are computed for this stand-in folder and its paths are
// then replaced by the installer's own references to the installed files.
constexpr wchar_t kStandInFolder[] = L"C:\\Quillant-install-folder";

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string Narrow(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring Xml(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
            case L'&': out += L"&amp;"; break;
            case L'<': out += L"&lt;"; break;
            case L'>': out += L"&gt;"; break;
            case L'"': out += L"&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

// Windows Installer formats registry values: brackets are references, and a
// leading # makes a number.
std::wstring Formatted(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'[') {
            out += L"[\\[]";
        } else if (c == L']') {
            out += L"[\\]]";
        } else {
            out += c;
        }
    }
    if (!out.empty() && out[0] == L'#') out.insert(0, L"#");
    return out;
}

struct Server {
    std::wstring fileName;
    std::wstring path;
    const server::ClassTable* table;
    server::TypeLibraryFacts library;
};

struct Options {
    server::Platform platform = server::kThisPlatform;
    std::wstring version;
    std::wstring assembly;
    std::wstring wix;
    std::wstring manifest;
    std::vector<Server> servers;
};

Server ServerNamed(const std::wstring& argument) {
    const size_t equals = argument.find(L'=');
    if (equals == std::wstring::npos) throw Failure("--server takes NAME=PATH");
    const std::wstring name = argument.substr(0, equals);
    Server out;
    out.path = argument.substr(equals + 1);
    out.fileName = out.path.substr(out.path.find_last_of(L"\\/") + 1);
    for (const KnownServer& known : kKnownServers) {
        if (name == known.name) out.table = &known.table();
    }
    if (!out.table) throw Failure("no class table for server " + Narrow(name));
    return out;
}

Options ReadOptions(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::wstring flag = argv[i];
        if (i + 1 >= argc) throw Failure("missing value after " + Narrow(flag));
        const std::wstring value = argv[++i];
        if (flag == L"--platform") {
            if (value != L"win32" && value != L"win64") throw Failure("--platform is win32 or win64");
            options.platform = value == L"win32" ? server::Platform::Win32 : server::Platform::Win64;
            if (options.platform != server::kThisPlatform)
                throw Failure("--platform names the other width: build and run this tool at the servers' width");
        } else if (flag == L"--version") {
            options.version = value;
        } else if (flag == L"--assembly") {
            options.assembly = value;
        } else if (flag == L"--wix") {
            options.wix = value;
        } else if (flag == L"--manifest") {
            options.manifest = value;
        } else if (flag == L"--server") {
            options.servers.push_back(ServerNamed(value));
        } else {
            throw Failure("unknown option " + Narrow(flag));
        }
    }
    if (options.version.empty() || options.assembly.empty() || options.wix.empty() || options.manifest.empty() ||
        options.servers.empty()) {
        throw Failure("--version, --assembly, --wix, --manifest and --server are all needed");
    }
    return options;
}

// A registry value as the installer writes it: the stand-in folder's paths
// become the installed file ([#file], which Windows Installer expands to
// its full path) and the installation folder.
std::wstring InstallerValue(const std::wstring& data, const Server& server) {
    const std::wstring folder = kStandInFolder;
    const std::wstring module = folder + L"\\" + server.fileName;
    if (data.compare(0, module.size(), module) == 0) {
        return L"[#" + server.fileName + L"]" + Formatted(data.substr(module.size()));
    }
    if (data == folder) return L"[INSTALLDIR]";
    if (data.find(folder) != std::wstring::npos) {
        throw Failure("a registry value names the folder in a way the installer cannot: " + Narrow(data));
    }
    return Formatted(data);
}

std::wstring WixFragment(const Options& options) {
    std::wstring components, references;
    for (const Server& server : options.servers) {
        const server::RegistrationLayout layout =
            server::LayoutOf(*server.table, server.library, std::wstring(kStandInFolder) + L"\\" + server.fileName,
                             options.platform, server::Scope::Machine);
        const std::wstring id = Xml(server.fileName);
        // Win64 "yes" (the 64-bit package) writes to the 64-bit view of the
        // registry; the package says which.
        components += L"      <Component Id=\"" + id + L"\" Guid=\"*\" Win64=\"$(var.Win64)\">\n";
        components += L"        <File Id=\"" + id + L"\" Name=\"" + id + L"\" Source=\"$(var.ServerDir)/" + id +
                      L"\" KeyPath=\"yes\"/>\n";
        for (const server::RegistryRow& row : layout.rows) {
            components += L"        <RegistryValue Root=\"HKMU\" Key=\"" + Xml(row.key) + L"\"";
            if (!row.name.empty()) components += L" Name=\"" + Xml(row.name) + L"\"";
            components += L" Type=\"string\" Value=\"" + Xml(InstallerValue(row.data, server)) + L"\"/>\n";
        }
        components += L"      </Component>\n";
        references += L"      <ComponentRef Id=\"" + id + L"\"/>\n";
    }
    return L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           L"<!-- Written by quillant-install-rows from the servers' class tables; do not edit. -->\n"
           L"<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">\n"
           L"  <Fragment>\n"
           L"    <DirectoryRef Id=\"INSTALLDIR\">\n" +
           components +
           L"    </DirectoryRef>\n"
           L"    <ComponentGroup Id=\"Servers\">\n" +
           references +
           L"    </ComponentGroup>\n"
           L"  </Fragment>\n"
           L"</Wix>\n";
}

std::wstring LibraryFlags(WORD flags) {
    std::wstring out;
    auto add = [&](WORD flag, const wchar_t* name) {
        if (!(flags & flag)) return;
        if (!out.empty()) out += L",";
        out += name;
    };
    add(LIBFLAG_FRESTRICTED, L"RESTRICTED");
    add(LIBFLAG_FCONTROL, L"CONTROL");
    add(LIBFLAG_FHIDDEN, L"HIDDEN");
    return out;
}

std::wstring Manifest(const Options& options) {
    const bool win64 = options.platform == server::Platform::Win64;
    std::wstring text =
        L"<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        L"<!-- Written by quillant-install-rows from the servers' class tables; do not edit. -->\n"
        L"<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n"
        L"  <assemblyIdentity type=\"win32\" name=\"" +
        Xml(options.assembly) + L"\" version=\"" + Xml(options.version) + L"\" processorArchitecture=\"" +
        (win64 ? L"amd64" : L"x86") + L"\"/>\n";
    std::wstring interfaces;
    for (const Server& server : options.servers) {
        const server::TypeLibraryFacts& library = server.library;
        const std::wstring libid = server::GuidText(library.libid);
        text += L"  <file name=\"" + Xml(server.fileName) + L"\">\n";
        text += L"    <typelib tlbid=\"" + libid + L"\" version=\"" + std::to_wstring(library.majorVersion) + L"." +
                std::to_wstring(library.minorVersion) + L"\" helpdir=\"\" resourceid=\"" +
                std::to_wstring(server.table->typeLibrary.resource) + L"\" flags=\"" + LibraryFlags(library.flags) +
                L"\"/>\n";
        for (const server::ClassEntry& entry : *server.table) {
            text += L"    <comClass clsid=\"" + server::GuidText(*entry.clsid) + L"\" progid=\"" + Xml(entry.progId) +
                    L"\" threadingModel=\"" + server::ThreadingModelName(entry.threadingModel) + L"\" tlbid=\"" +
                    libid + L"\" description=\"" + Xml(entry.name) + L"\"";
            if (entry.versionIndependentProgId) {
                text += L">\n      <progid>" + Xml(entry.versionIndependentProgId) + L"</progid>\n    </comClass>\n";
            } else {
                text += L"/>\n";
            }
        }
        text += L"  </file>\n";
        for (const server::AutomationInterface& automation : library.interfaces) {
            interfaces += L"  <comInterfaceExternalProxyStub name=\"" + Xml(automation.name) + L"\" iid=\"" +
                          server::GuidText(automation.iid) + L"\" proxyStubClsid32=\"" +
                          server::MarshalerOf(automation) + L"\" tlbid=\"" + libid + L"\"/>\n";
        }
    }
    return text + interfaces + L"</assembly>\n";
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

void Write(const std::wstring& path, const std::wstring& text) {
    std::unique_ptr<std::FILE, FileCloser> file(_wfopen(path.c_str(), L"wb"));
    const std::string bytes = Narrow(text);
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
        std::fclose(file.release()) != 0) {
        throw Failure("cannot write " + Narrow(path));
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        Options options = ReadOptions(argc, argv);
        for (Server& server : options.servers) {
            const HRESULT hr = server::ReadTypeLibraryFacts(server.path, server.table->typeLibrary, server.library);
            if (FAILED(hr)) {
                throw Failure("reading the type library of " + Narrow(server.path) + ": HRESULT " +
                              std::to_string(static_cast<unsigned long>(hr)));
            }
        }
        Write(options.wix, WixFragment(options));
        Write(options.manifest, Manifest(options));
        return 0;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "quillant-install-rows: %s\n", failure.what());
        return 1;
    }
}
