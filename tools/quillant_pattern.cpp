// quillant-pattern: prints what the component would draw for a text.
//
//   quillant-pattern TEXT            the module string
//   quillant-pattern --values TEXT   the symbol values: start, data and switches, check
//   quillant-pattern --width W TEXT  what GetBarWidth reports for ElementWidth W
//   quillant-pattern [options] -     one text per line from standard input
//
// Text is UTF-8. A text that cannot be encoded prints the component's error
// description on standard error; the exit status is then 2.

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include "encoding/pattern_builder.h"
#include "encoding/vb_error.h"

namespace {

enum class Output { Modules, Values, Width };

struct Options {
    Output output = Output::Modules;
    int16_t elementWidth = 0;
    bool fromStdin = false;
    std::string text;
};

// Lenient UTF-8 decoding: a malformed byte becomes U+FFFD, which the encoder
// then reports with its position like any other character it cannot carry.
std::u16string FromUtf8(const std::string& in) {
    std::u16string out;
    out.reserve(in.size());
    size_t i = 0;
    while (i < in.size()) {
        const auto lead = static_cast<unsigned char>(in[i]);
        int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
        uint32_t cp = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
        bool ok = extra >= 0 && i + static_cast<size_t>(extra) < in.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const auto byte = static_cast<unsigned char>(in[i + static_cast<size_t>(k)]);
            if ((byte & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (byte & 0x3F);
        }
        if (!ok || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        i += static_cast<size_t>(extra) + 1;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Describe(const Options& options, const std::u16string& text) {
    switch (options.output) {
        case Output::Values: {
            std::string line;
            for (int value : quillant::SymbolValues(text)) {
                if (!line.empty()) line += ' ';
                line += std::to_string(value);
            }
            return line;
        }
        case Output::Width:
            return std::to_string(quillant::BarWidth(text, options.elementWidth));
        case Output::Modules:
            break;
    }
    return quillant::BuildPattern(text);
}

[[noreturn]] void Usage() {
    std::cerr << "usage: quillant-pattern [--values | --width W] (TEXT | -)\n";
    std::exit(64);
}

std::optional<int16_t> ParseInt16(const char* s) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(s, &end, 10);
    if (errno != 0 || end == s || *end != '\0' || value < -32768 || value > 32767) return std::nullopt;
    return static_cast<int16_t>(value);
}

Options Parse(int argc, char** argv) {
    Options options;
    bool haveText = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--values") {
            options.output = Output::Values;
        } else if (arg == "--width") {
            if (++i >= argc) Usage();
            const auto width = ParseInt16(argv[i]);
            if (!width) Usage();
            options.output = Output::Width;
            options.elementWidth = *width;
        } else if (arg == "-" && !haveText) {
            options.fromStdin = true;
            haveText = true;
        } else if (arg == "--" && i + 1 == argc - 1 && !haveText) {
            options.text = argv[++i];
            haveText = true;
        } else if (arg.rfind("--", 0) != 0 && !haveText) {
            options.text = arg;
            haveText = true;
        } else {
            Usage();
        }
    }
    if (!haveText) Usage();
    return options;
}

// Prints one result; in batch mode a failed line leaves an empty line so that
// output lines stay aligned with input lines.
bool Run(const Options& options, const std::string& utf8) {
    try {
        std::cout << Describe(options, FromUtf8(utf8)) << '\n';
        return true;
    } catch (const quillant::VbError& error) {
        if (options.fromStdin) std::cout << '\n';
        std::cerr << error.description() << '\n';
        return false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const Options options = Parse(argc, argv);
    bool allEncoded = true;
    if (options.fromStdin) {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            allEncoded = Run(options, line) && allEncoded;
        }
    } else {
        allEncoded = Run(options, options.text);
    }
    return allEncoded ? 0 : 2;
}
