// Writes every key and value under HKEY_LOCAL_MACHINE\Software and
// HKEY_CURRENT_USER\Software, one line each, sorted, to the file named on
// the command line: the installer tests compare the registry of a prefix
// before, during and after an installation with these.

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "tests/registration/registry_snapshot.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string Utf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

// Control characters (binary values shown as text, REG_MULTI_SZ's
// separators) would split a line.
std::string Line(const std::wstring& text) {
    std::string line = Utf8(text);
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20) c = '|';
    }
    return line;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: registry_dump OUT.txt\n");
        return 64;
    }
    const std::unique_ptr<std::FILE, FileCloser> out(_wfopen(argv[1], L"wb"));
    if (!out) return 1;
    const struct {
        HKEY root;
        const char* name;
    } roots[] = {{HKEY_LOCAL_MACHINE, "HKLM"}, {HKEY_CURRENT_USER, "HKCU"}};
    for (const auto& root : roots) {
        for (const auto& [key, values] : quillant::testing::TakeSnapshot(root.root, L"Software")) {
            const std::string path = std::string(root.name) + "\\" + Line(key);
            std::fprintf(out.get(), "%s\n", path.c_str());
            for (const std::wstring& value : values) std::fprintf(out.get(), "%s\t%s\n", path.c_str(), Line(value).c_str());
        }
    }
    return 0;
}
