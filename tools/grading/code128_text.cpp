#include "tools/grading/code128_text.h"

#include <cstdio>

#include "tools/grading/code128_characters.h"

namespace quillant::grading {
namespace {

enum class CodeSet { A, B, C };

constexpr int kFnc1 = 102;
constexpr int kShift = 98;
constexpr int kSwitchToC = 99;
constexpr int kFnc3 = 96;
constexpr char kGroupSeparator = 0x1D;

constexpr int kSwitchToB = 100;  // in A and C; FNC4 in B
constexpr int kSwitchToA = 101;  // in B and C; FNC4 in A

// A data value of set A or B as a character of 0..127.
int CharacterOf(CodeSet set, int value) {
    if (set == CodeSet::B) return value + 32;
    return value < 64 ? value + 32 : value - 64;
}

}  // namespace

SymbolText TextOf(const std::vector<int>& values) {
    SymbolText text;
    if (values.size() < 2) return text;
    CodeSet set = values[0] == kStartA ? CodeSet::A : values[0] == kStartB ? CodeSet::B : CodeSet::C;
    bool shifted = false;      // the next character is read in the other of A and B
    bool extendedLatch = false;  // two FNC4 in a row: Latin-1 until two more
    bool extendedOnce = false;   // one FNC4: the next character flips its upper half
    for (size_t i = 1; i + 1 < values.size(); ++i) {
        const int v = values[i];
        const CodeSet readIn = shifted ? (set == CodeSet::A ? CodeSet::B : CodeSet::A) : set;
        shifted = false;
        if (v == kFnc1) {
            if (i == 1) text.gs1 = true;
            else text.latin1 += kGroupSeparator;
            continue;
        }
        if (readIn == CodeSet::C) {
            if (v < 100) {
                text.latin1 += static_cast<char>('0' + v / 10);
                text.latin1 += static_cast<char>('0' + v % 10);
            } else {
                set = v == kSwitchToB ? CodeSet::B : CodeSet::A;
            }
            continue;
        }
        if (v < kFnc3) {
            int c = CharacterOf(readIn, v);
            if (extendedLatch != extendedOnce) c += 128;
            extendedOnce = false;
            text.latin1 += static_cast<char>(c);
        } else if (v == (readIn == CodeSet::A ? kSwitchToA : kSwitchToB)) {  // FNC4
            // A second FNC4 right after the first toggles the latch instead.
            if (extendedOnce) {
                extendedLatch = !extendedLatch;
                extendedOnce = false;
            } else {
                extendedOnce = true;
            }
        } else if (v == kShift) {
            shifted = true;
        } else if (v == kSwitchToC) {
            set = CodeSet::C;
        } else if (v == kSwitchToA || v == kSwitchToB) {
            set = v == kSwitchToA ? CodeSet::A : CodeSet::B;
        }
        // FNC2 and FNC3 are instructions to the reader and carry no data.
    }
    return text;
}

std::string Printable(const SymbolText& text) {
    std::string out = text.gs1 ? "]C1" : "";
    for (const char byte : text.latin1) {
        const auto c = static_cast<unsigned char>(byte);
        if (c < 0x20 || c == 0x7F || c == '\\' || (c >= 0x80 && c < 0xA0)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            out += escape;
        } else if (c >= 0xA0) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace quillant::grading
