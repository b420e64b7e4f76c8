// quillant-pattern: prints what the component would draw for a text.
//
//   quillant-pattern TEXT            the module string
//   quillant-pattern --values TEXT   the symbol values: start, data and switches, check
//   quillant-pattern --width W TEXT  what GetBarWidth reports for ElementWidth W
//   quillant-pattern --caption TEXT  the human-readable text
//   quillant-pattern --zpl TURN TEXT the symbol as a ZPL label (--epl: EPL),
//                                    as Quillant2's LabelCommands writes it for
//                                    a GS1 logistic label at 203 dpi: 4-dot
//                                    modules, 254-dot bars, quiet zones, caption;
//                                    TURN is the Orientation, 1 to 4
//   quillant-pattern [options] -     one text per line from standard input
//
// --full encodes any Latin-1 text as the shortest full Code 128 symbol
// (--no-latch: the shortest that never latches extended mode), --gs1 a GS1
// element string such as (01)09501101530003(10)ABC as GS1-128; without
// either, the seed encoder Quillant1 uses. --gs1-label checks the element
// strings of all the symbols on one item, separated by spaces, as a label:
// OK, or the fault that names the AIs. A GS1 caption whose AIs need partners
// it does not hold says which on standard error. --escapes reads \xHH as the
// character U+00HH and \\ as a backslash, and writes captions the same way.
//
// Text is UTF-8. A text that cannot be encoded prints the component's error
// description on standard error; the exit status is then 2.

#include <cerrno>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "encoding/gs1_element_string.h"
#include "encoding/symbol_encoder.h"
#include "encoding/vb_error.h"
#include "render/label_commands.h"

namespace {

enum class Output { Modules, Values, Width, Caption, Commands };

struct Options {
    Output output = Output::Modules;
    quillant::Encoding encoding = quillant::Encoding::Quillant1;
    bool label = false;
    bool escapes = false;
    int16_t elementWidth = 0;
    quillant::render::CommandLanguage language = quillant::render::CommandLanguage::kZpl;
    int32_t turn = 1;
    bool fromStdin = false;
    std::string text;
};

// Lenient UTF-8 decoding: a malformed byte becomes U+FFFD, which the encoder
// then reports with its position like any other character it cannot carry.
// The units go into buffer, which only grows, so a batch run sizes it once.
std::u16string_view FromUtf8(std::string_view in, std::u16string& buffer) {
    if (buffer.size() < in.size()) buffer.resize(in.size());  // never more units than bytes
    char16_t* const out = buffer.data();
    size_t units = 0;
    size_t i = 0;
    while (i < in.size()) {
        const auto lead = static_cast<unsigned char>(in[i]);
        if (lead < 0x80) {
            out[units++] = static_cast<char16_t>(lead);
            ++i;
            continue;
        }
        int extra = (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
        uint32_t cp = extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
        bool ok = extra >= 0 && i + static_cast<size_t>(extra) < in.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const auto byte = static_cast<unsigned char>(in[i + static_cast<size_t>(k)]);
            if ((byte & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (byte & 0x3F);
        }
        if (!ok || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out[units++] = u'\uFFFD';
            ++i;
            continue;
        }
        i += static_cast<size_t>(extra) + 1;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out[units++] = static_cast<char16_t>(0xD800 + (cp >> 10));
            out[units++] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out[units++] = static_cast<char16_t>(cp);
        }
    }
    return {out, units};
}

void AppendUtf8(uint32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

// \xHH and \\; anything else after a backslash is refused, so that a typing
// slip does not pass as data.
void Unescape(std::u16string& text) {
    std::u16string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\') {
            out += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == u'\\') {
            out += u'\\';
            ++i;
        } else if (i + 3 < text.size() && text[i + 1] == u'x' && HexValue(text[i + 2]) >= 0 &&
                   HexValue(text[i + 3]) >= 0) {
            out += static_cast<char16_t>(HexValue(text[i + 2]) * 16 + HexValue(text[i + 3]));
            i += 3;
        } else {
            throw quillant::VbError(quillant::vb_errors::kInvalidCall,
                                    "Escape at position " + std::to_string(i + 1) + " is not \\xHH or \\\\");
        }
    }
    text = std::move(out);
}

void AppendCaption(std::u16string_view caption, bool escapes, std::string& out) {
    for (size_t i = 0; i < caption.size(); ++i) {
        uint32_t cp = caption[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < caption.size()) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (caption[++i] - 0xDC00u);
        }
        if (escapes && cp == u'\\') {
            out += "\\\\";
        } else if (escapes && (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0))) {
            constexpr char kHex[] = "0123456789ABCDEF";
            out += {'\\', 'x', kHex[cp >> 4], kHex[cp & 15]};
        } else {
            AppendUtf8(cp, out);
        }
    }
}

void AppendValues(const std::vector<int>& values, std::string& out) {
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += ' ';
        char digits[8];
        const auto end = std::to_chars(digits, digits + sizeof digits, values[i]).ptr;
        out.append(digits, end);
    }
}

// Output goes out in blocks of 128 KiB, not line by line; a small buffer
// reused keeps the pages the process touches (and faults in) few.
class OutputBuffer {
public:
    static constexpr size_t kBlock = 1 << 17;
    ~OutputBuffer() { Flush(); }

    // Room for n characters at the returned pointer; Commit makes them output.
    char* Reserve(size_t n) {
        if (used_ + n > buffer_.size()) {
            Flush();
            if (n > buffer_.size()) buffer_.resize(n);
        }
        return buffer_.data() + used_;
    }
    void Commit(const char* end) { used_ = static_cast<size_t>(end - buffer_.data()); }
    void Append(std::string_view s) {
        char* at = Reserve(s.size());
        std::memcpy(at, s.data(), s.size());
        Commit(at + s.size());
    }
    void Flush() {
        if (used_ > 0) std::fwrite(buffer_.data(), 1, used_, stdout);
        used_ = 0;
    }

private:
    std::vector<char> buffer_ = std::vector<char>(kBlock);
    size_t used_ = 0;
};

// Writes the result for one decoded text and its newline to out.
void Describe(const Options& options, std::u16string_view text, OutputBuffer& out) {
    using namespace quillant;
    std::u16string unescaped;
    if (options.escapes) {
        unescaped = text;
        Unescape(unescaped);
        text = unescaped;
    }
    if (options.label) {
        // The element strings of one item's symbols, separated by spaces
        // (no AI's data may hold one): a fault is an error like any other.
        std::vector<std::u16string> symbols;
        for (size_t at = 0; at < text.size();) {
            const size_t end = std::min(text.find(u' ', at), text.size());
            if (end > at) symbols.emplace_back(text.substr(at, end - at));
            at = end + 1;
        }
        const std::string fault = CheckGs1Label(symbols);
        if (!fault.empty()) throw VbError(vb_errors::kInvalidCall, fault);
        out.Append("OK\n");
        return;
    }
    std::u16string_view data = text;
    Gs1Message gs1;
    if (options.encoding == Encoding::Gs1) {
        gs1 = ParseGs1(text);
        data = gs1.data;
    }
    if (options.output == Output::Modules) {
        // Straight into the output: the common batch case copies nothing.
        char* at = out.Reserve(MaxPatternLength(data.size(), options.encoding) + 1);
        at = WritePattern(data, options.encoding, at);
        *at++ = '\n';
        out.Commit(at);
        return;
    }
    std::string line;
    switch (options.output) {
        case Output::Values:
            AppendValues(SymbolValues(data, options.encoding), line);
            break;
        case Output::Width:
            line = std::to_string(BarWidth(data, options.encoding, options.elementWidth));
            break;
        case Output::Caption:
            // Refuses what cannot be encoded, as the other outputs do.
            ModuleCount(data, options.encoding);
            AppendCaption(options.encoding == Encoding::Gs1 ? std::u16string_view(gs1.caption) : data,
                          options.escapes, line);
            if (!gs1.missing.empty()) std::fprintf(stderr, "%s\n", gs1.missing.c_str());
            break;
        case Output::Commands: {
            quillant::LabelProperties label;
            label.encodeString = std::u16string(text);
            label.symbology = options.encoding == Encoding::Gs1 ? bcGS1_128 : bcCode128;
            label.orientation = options.turn;
            label.deviceResolution = render::kDefaultLabelResolution;
            label.elementWidth = 28;  // twips: 3.95 dots, snapped to 4
            label.barHeight = 1800;   // 253.8 dots, snapped to 254: 31.78 mm
            label.quietZones = -1;
            line = render::LabelCommands(label, SymbolValues(data, options.encoding),
                                         ModulePattern(data, options.encoding), options.language);
            out.Append(line);
            return;
        }
        case Output::Modules:
            break;
    }
    line += '\n';
    out.Append(line);
}

[[noreturn]] void Usage() {
    std::fputs("usage: quillant-pattern [--full | --no-latch | --gs1 | --gs1-label] [--escapes]\n"
               "                        [--values | --width W | --caption | --zpl TURN | --epl TURN] (TEXT | -)\n",
               stderr);
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
        } else if (arg == "--caption") {
            options.output = Output::Caption;
        } else if (arg == "--zpl" || arg == "--epl") {
            if (++i >= argc) Usage();
            const auto turn = ParseInt16(argv[i]);
            if (!turn || *turn < 1 || *turn > 4) Usage();
            options.output = Output::Commands;
            options.turn = *turn;
            options.language = arg == "--zpl" ? quillant::render::CommandLanguage::kZpl
                                              : quillant::render::CommandLanguage::kEpl;
        } else if (arg == "--full") {
            options.encoding = quillant::Encoding::Full;
        } else if (arg == "--no-latch") {
            options.encoding = quillant::Encoding::FullWithoutLatch;
        } else if (arg == "--gs1") {
            options.encoding = quillant::Encoding::Gs1;
        } else if (arg == "--gs1-label") {
            options.label = true;
        } else if (arg == "--escapes") {
            options.escapes = true;
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
bool Run(const Options& options, std::string_view utf8, std::u16string& scratch, OutputBuffer& out) {
    try {
        Describe(options, FromUtf8(utf8, scratch), out);
        return true;
    } catch (const quillant::VbError& error) {
        if (options.fromStdin) out.Append("\n");
        std::fprintf(stderr, "%s\n", error.what());
        return false;
    }
}

// Standard input in large blocks, split into lines without copying them.
bool RunBatch(const Options& options, OutputBuffer& out) {
    constexpr size_t kBlock = 1 << 17;
    std::string pending;
    std::vector<char> block(kBlock);
    std::u16string scratch;
    bool allEncoded = true;
    auto runLine = [&](std::string_view line) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        allEncoded = Run(options, line, scratch, out) && allEncoded;
    };
    size_t got;
    while ((got = std::fread(block.data(), 1, block.size(), stdin)) > 0) {
        std::string_view chunk(block.data(), got);
        size_t newline;
        while ((newline = chunk.find('\n')) != std::string_view::npos) {
            if (pending.empty()) {
                runLine(chunk.substr(0, newline));
            } else {
                pending.append(chunk.data(), newline);
                runLine(pending);
                pending.clear();
            }
            chunk.remove_prefix(newline + 1);
        }
        pending.append(chunk.data(), chunk.size());
    }
    if (!pending.empty()) runLine(pending);
    return allEncoded;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = Parse(argc, argv);
    OutputBuffer out;
    bool allEncoded;
    if (options.fromStdin) {
        allEncoded = RunBatch(options, out);
    } else {
        std::u16string scratch;
        allEncoded = Run(options, options.text, scratch, out);
    }
    out.Flush();
    return allEncoded ? 0 : 2;
}
