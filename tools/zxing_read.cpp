// quillant-zxing-read: reads the Code 128 symbol of a picture with ZXing-C++,
// a reader that shares no code with ours, for the tests that grade the
// pictures the component draws.
//
//   quillant-zxing-read [--crop X,Y,W,H] PICTURE
//
// Prints the symbology identifier and the text on one line, the text with
// every character outside printable ASCII (and the backslash) as \xNN, so
// that control characters, GS separators and Latin-1 survive a text
// comparison in a script. zbar drops FNC4, so Latin-1 is only checked here.
//
// Exit status: 0 read, 2 no symbol or an unreadable picture, 64 a wrong
// command line.

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "tools/grading/grey_picture.h"
#include "tools/grading/picture_file.h"

namespace {

using quillant::grading::GreyPicture;
using quillant::grading::Region;

[[noreturn]] void Usage(const std::string& why) {
    std::cerr << "quillant-zxing-read: " << why << "\nusage: quillant-zxing-read [--crop X,Y,W,H] PICTURE\n";
    std::exit(64);
}

// ZXing answers UTF-8; a Code 128 character is one code point up to U+00FF.
std::string Escaped(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        unsigned c = extra == 0 ? lead : lead & (0x3Fu >> extra);
        for (int k = 1; k <= extra && i + static_cast<size_t>(k) < utf8.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]) & 0x3Fu);
        }
        i += static_cast<size_t>(extra) + 1;
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char code[16];
            std::snprintf(code, sizeof code, c > 0xFF ? "\\u%04X" : "\\x%02X", c);
            out += code;
        }
    }
    return out;
}

std::vector<uint8_t> EightBit(const GreyPicture& picture) {
    std::vector<uint8_t> bytes(picture.levels.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(picture.levels[i] * 255u / static_cast<unsigned>(picture.maxLevel));
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<Region> region;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--crop") {
            if (++i >= argc) Usage("--crop wants X,Y,W,H");
            Region r;
            char tail = 0;
            if (std::sscanf(argv[i], "%d,%d,%d,%d%c", &r.x, &r.y, &r.width, &r.height, &tail) != 4) {
                Usage(std::string("--crop wants X,Y,W,H, not '") + argv[i] + "'");
            }
            region = r;
        } else if (arg.rfind("--", 0) == 0 || !path.empty()) {
            Usage("unexpected '" + arg + "'");
        } else {
            path = arg;
        }
    }
    if (path.empty()) Usage("no picture");
    try {
        GreyPicture picture = quillant::grading::ReadPicture(path);
        if (region) picture = quillant::grading::Crop(picture, *region);
        const std::vector<uint8_t> bytes = EightBit(picture);
        ZXing::DecodeHints hints;
        hints.setFormats(ZXing::BarcodeFormat::Code128);
        const ZXing::Result result =
            ZXing::ReadBarcode({bytes.data(), picture.width, picture.height, ZXing::ImageFormat::Lum}, hints);
        if (!result.isValid()) {
            std::cerr << path << ": ZXing finds no Code 128 symbol\n";
            return 2;
        }
        std::cout << result.symbologyIdentifier() << Escaped(result.text()) << "\n";
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "quillant-zxing-read: " << error.what() << "\n";
        return 2;
    }
}
