#include "render/printer_field_data.h"

#include "encoding/vb_error.h"

namespace quillant::render {
namespace {

// Symbol values of Code 128 that are not data (ISO/IEC 15417 table 1).
constexpr int kFnc3 = 96;
constexpr int kFnc2 = 97;
constexpr int kShift = 98;
constexpr int kCodeC = 99;
constexpr int kCodeB = 100;  // FNC4 in code set B
constexpr int kCodeA = 101;  // FNC4 in code set A
constexpr int kFnc1 = 102;
constexpr int kStartA = 103;
constexpr int kStartC = 105;

enum class CodeSet { A, B, C };

CodeSet StartSet(int start) {
    if (start == kStartA) return CodeSet::A;
    if (start == kStartC) return CodeSet::C;
    return CodeSet::B;
}

// The characters code set B cannot write as themselves in ^FD: the command
// prefixes, and '>' that starts an invocation code.
const char* ZplEscapeInB(int value) {
    switch (value) {
        case '>' - ' ': return ">0";
        case '^' - ' ': return "><";
        case '~' - ' ': return ">=";
        case 95: return ">1";  // DEL
        default: return nullptr;
    }
}

void AppendTwoDigits(std::string& out, int value) {
    out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
}

}  // namespace

std::string ZplFieldData(const std::vector<int>& values) {
    std::string out;
    if (values.empty()) return out;
    CodeSet set = StartSet(values.front());
    out += set == CodeSet::A ? ">9" : set == CodeSet::B ? ">:" : ">;";
    bool shifted = false;
    for (size_t i = 1; i + 1 < values.size(); ++i) {
        const int v = values[i];
        // A Shift carries the next value in the other of A and B only.
        const CodeSet now = shifted ? (set == CodeSet::A ? CodeSet::B : CodeSet::A) : set;
        shifted = false;
        const bool dataInSet = now == CodeSet::C ? v < kCodeB : v < kFnc3;
        if (dataInSet) {
            if (now == CodeSet::B) {
                if (const char* escape = ZplEscapeInB(v)) {
                    out += escape;
                } else {
                    out += static_cast<char>(v + ' ');
                }
            } else {
                AppendTwoDigits(out, v);
            }
            continue;
        }
        switch (v) {
            case kFnc3: out += ">2"; break;
            case kFnc2: out += ">3"; break;
            case kShift: out += ">4"; shifted = true; break;
            case kCodeC: out += ">5"; set = CodeSet::C; break;
            case kCodeB:
                out += ">6";
                if (now != CodeSet::B) set = CodeSet::B;
                break;
            case kCodeA:
                out += ">7";
                if (now != CodeSet::A) set = CodeSet::A;
                break;
            case kFnc1: out += ">8"; break;
            default: throw vb_errors::WithText(vb_errors::kInternalError);
        }
    }
    return out;
}

EplField EplFieldData(const std::vector<int>& values) {
    using vb_errors::PrinterCommandFault;
    EplField field{"1B", {}};
    if (values.empty()) return field;
    const CodeSet set = StartSet(values.front());
    field.type = set == CodeSet::A ? "1A" : set == CodeSet::B ? "1B" : "1C";
    const int firstNonData = set == CodeSet::C ? kCodeB : kFnc3;
    for (size_t i = 1; i + 1 < values.size(); ++i) {
        const int v = values[i];
        if (v == kShift || v == kCodeC || (v == kCodeB && set != CodeSet::B) || (v == kCodeA && set != CodeSet::A)) {
            throw vb_errors::PrinterCommandError(PrinterCommandFault::kEplCodeSets);
        }
        if (v >= firstNonData) throw vb_errors::PrinterCommandError(PrinterCommandFault::kEplFunctionCharacter);
        if (set == CodeSet::C) {
            AppendTwoDigits(field.data, v);
            continue;
        }
        // Code set A: values 64..95 are the control characters NUL..US.
        const int c = v < 64 || set == CodeSet::B ? v + ' ' : v - 64;
        if (c == '\0' || c == '\n' || c == '\r') {
            throw vb_errors::PrinterCommandError(PrinterCommandFault::kEplLineBreak);
        }
        if (c == '"' || c == '\\') field.data += '\\';
        field.data += static_cast<char>(c);
    }
    return field;
}

}  // namespace quillant::render
