#include "encoding/gs1_element_string.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "encoding/gs1_ai_table.h"
#include "encoding/gs1_linters.h"
#include "encoding/shortest_planner.h"
#include "encoding/vb_error.h"

namespace quillant {
namespace {

using gs1::AiEntry;
using gs1::CharacterSet;
using gs1::Component;

// GS1-128's limit on AIs, data and separating FNC1s in one symbol.
constexpr size_t kMaxDataCharacters = 48;

struct Element {
    std::string ai;
    std::u16string data;
    const AiEntry* entry = nullptr;
};

VbError Fault(std::string_view ai, const std::string& what) {
    return VbError(vb_errors::kInvalidCall, "AI (" + std::string(ai) + "): " + what);
}

VbError StringFault(const std::string& what) {
    return VbError(vb_errors::kInvalidCall, "GS1 element string: " + what);
}

std::string CharacterName(char16_t c) {
    if (c >= 0x20 && c < 0x7F) return std::string{'\'', static_cast<char>(c), '\''};
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
    return buffer;
}

// A piece of the caller's text inside a description: printable ASCII as it
// is, anything else as '?', and no more than a few characters, so that a
// megabyte of input cannot make a megabyte of error text (and a NUL cannot
// cut the description short).
std::string Quoted(std::u16string_view text) {
    constexpr size_t kShown = 8;
    std::string out;
    for (size_t i = 0; i < std::min(text.size(), kShown); ++i) {
        out += text[i] >= 0x20 && text[i] < 0x7F ? static_cast<char>(text[i]) : '?';
    }
    if (text.size() > kShown) out += "...";
    return out;
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsUpper(char16_t c) { return c >= u'A' && c <= u'Z'; }
bool IsLower(char16_t c) { return c >= u'a' && c <= u'z'; }

// rest: the characters after c in its component, for base64url padding.
bool InSet(CharacterSet set, char16_t c, std::u16string_view rest) {
    switch (set) {
        case CharacterSet::Numeric:
            return IsDigit(c);
        case CharacterSet::Cset82:
            return IsDigit(c) || IsUpper(c) || IsLower(c) || std::u16string_view(u"!\"%&'()*+,-./:;<=>?_").find(c) !=
                                                                 std::u16string_view::npos;
        case CharacterSet::Cset39:
            return IsDigit(c) || IsUpper(c) || c == u'#' || c == u'-' || c == u'/';
        case CharacterSet::Cset64:
            if (c == u'=') return rest.find_first_not_of(u'=') == std::u16string_view::npos;
            return IsDigit(c) || IsUpper(c) || IsLower(c) || c == u'-' || c == u'_';
    }
    return false;
}

// base64url pads its last group of four characters with one or two '='
// (InSet has kept '=' to the end of the part).
std::optional<std::string> PaddingFault(std::u16string_view part) {
    const size_t pads = part.size() - (part.find_last_not_of(u'=') + 1);
    // GS1's own cset64 routine pads to a multiple of three characters, not
    // base64's four; the dictionary's Z type is defined by that routine.
    if (pads == 0 || (pads <= 2 && part.size() % 3 == 0)) return std::nullopt;
    return "'=' may only pad the data to a multiple of 3 characters, with at most two";
}

std::vector<Element> Split(std::u16string_view s) {
    if (s.empty()) throw StringFault("empty");
    const char16_t open = s[0];
    if (open != u'(' && open != u'[') throw StringFault("must begin with an AI in parentheses or square brackets");
    const char16_t close = open == u'(' ? u')' : u']';
    std::vector<Element> elements;
    size_t pos = 0;
    while (pos < s.size()) {
        const size_t end = s.find(close, pos + 1);
        if (end == std::u16string_view::npos) {
            throw StringFault(CharacterName(open) + " at position " + std::to_string(pos + 1) + " has no " +
                              CharacterName(close));
        }
        Element element;
        const std::u16string_view ai = s.substr(pos + 1, end - pos - 1);
        bool digits = ai.size() >= 2 && ai.size() <= 4;
        for (char16_t c : ai) digits = digits && IsDigit(c);
        if (!digits) {
            throw StringFault(static_cast<char>(open) + Quoted(ai) + static_cast<char>(close) +
                              " is not an AI of 2 to 4 digits");
        }
        element.ai.assign(ai.begin(), ai.end());
        const size_t next = std::min(s.find(open, end + 1), s.size());
        element.data = s.substr(end + 1, next - end - 1);
        elements.push_back(std::move(element));
        pos = next;
    }
    return elements;
}

std::string LengthFault(size_t has, size_t low, size_t high) {
    const std::string counted = "data has " + std::to_string(has) + (has == 1 ? " character, " : " characters, ");
    if (has > high) return counted + "at most " + std::to_string(high) + " are allowed";
    return counted + (low == high ? "" : "at least ") + std::to_string(low) + " are needed";
}

void CheckElement(Element& element) {
    const std::string& ai = element.ai;
    element.entry = gs1::FindAi(ai);
    if (!element.entry) throw Fault(ai, "unknown Application Identifier");
    const AiEntry& entry = *element.entry;
    size_t low = 0, high = 0;
    for (size_t k = 0; k < entry.componentCount; ++k) {
        if (!entry.components[k].optional) low += entry.components[k].minLength;
        high += entry.components[k].maxLength;
    }
    const std::u16string_view data = element.data;
    if (data.size() < low || data.size() > high) throw Fault(ai, LengthFault(data.size(), low, high));

    size_t pos = 0;
    for (size_t k = 0; k < entry.componentCount && pos < data.size(); ++k) {
        const Component& component = entry.components[k];
        const size_t length = component.minLength == component.maxLength
                                  ? component.maxLength
                                  : std::min<size_t>(component.maxLength, data.size() - pos);
        if (pos + length > data.size()) {
            throw Fault(ai, "the part from character " + std::to_string(pos + 1) + " needs " +
                                std::to_string(length) + " characters");
        }
        const std::u16string_view part = data.substr(pos, length);
        std::string ascii;
        for (size_t i = 0; i < part.size(); ++i) {
            if (!InSet(component.set, part[i], part.substr(i + 1))) {
                throw Fault(ai, "character " + CharacterName(part[i]) + " is not allowed");
            }
            ascii += static_cast<char>(part[i]);
        }
        if (component.set == CharacterSet::Cset64) {
            if (auto fault = PaddingFault(part)) throw Fault(ai, *fault);
        }
        for (gs1::Linter linter : component.linters) {
            if (auto fault = gs1::Lint(linter, ascii)) throw Fault(ai, *fault);
        }
        pos += length;
    }
    if (pos < data.size()) throw Fault(ai, LengthFault(data.size(), low, high));
}

// "31nn" matches 3100..3199; an AI matches itself.
bool Matches(std::string_view pattern, std::string_view ai) {
    if (pattern.size() != ai.size()) return false;
    for (size_t i = 0; i < ai.size(); ++i) {
        if (pattern[i] != ai[i] && !(pattern[i] == 'n' && ai[i] >= '0' && ai[i] <= '9')) return false;
    }
    return true;
}

std::vector<std::string_view> Fields(std::string_view s, char separator) {
    std::vector<std::string_view> fields;
    while (!s.empty()) {
        const size_t end = std::min(s.find(separator), s.size());
        fields.push_back(s.substr(0, end));
        s.remove_prefix(std::min(end + 1, s.size()));
    }
    return fields;
}

bool Present(const std::vector<Element>& elements, std::string_view pattern) {
    for (const auto& e : elements) {
        if (Matches(pattern, e.ai)) return true;
    }
    return false;
}

// "(01)+(21), (03)+(21) or (8006)+(21)"
std::string DescribeGroups(const std::vector<std::string_view>& groups) {
    std::string out;
    for (size_t g = 0; g < groups.size(); ++g) {
        if (g > 0) out += g + 1 == groups.size() ? " or " : ", ";
        const auto parts = Fields(groups[g], '+');
        for (size_t p = 0; p < parts.size(); ++p) out += (p > 0 ? "+(" : "(") + std::string(parts[p]) + ")";
    }
    return out;
}

// Repeats and exclusions, in one symbol or across a label's symbols.
void CheckRepeatsAndExclusions(const std::vector<Element>& elements) {
    for (size_t i = 0; i < elements.size(); ++i) {
        for (size_t j = i + 1; j < elements.size(); ++j) {
            if (elements[i].ai == elements[j].ai && elements[i].data != elements[j].data) {
                throw Fault(elements[i].ai, "given twice with different data");
            }
        }
    }
    for (const auto& e : elements) {
        for (std::string_view list : Fields(e.entry->excluded, ' ')) {
            for (std::string_view pattern : Fields(list, ',')) {
                for (const auto& other : elements) {
                    if (other.ai != e.ai && Matches(pattern, other.ai)) {
                        throw Fault(e.ai, "cannot be used together with AI (" + other.ai + ")");
                    }
                }
            }
        }
    }
}

// "AI (10) needs AI (01), (02), ..." for each AI whose partners elements
// lack, once per AI, joined by "; ".
std::string MissingPartners(const std::vector<Element>& elements) {
    std::string missing;
    std::vector<std::string_view> named;
    for (const auto& e : elements) {
        if (std::find(named.begin(), named.end(), e.ai) != named.end()) continue;
        for (std::string_view list : Fields(e.entry->required, ' ')) {
            const auto groups = Fields(list, ',');
            bool satisfied = false;
            for (std::string_view group : groups) {
                bool all = true;
                for (std::string_view pattern : Fields(group, '+')) all = all && Present(elements, pattern);
                satisfied = satisfied || all;
            }
            if (satisfied) continue;
            if (!missing.empty()) missing += "; ";
            missing += "AI (" + e.ai + ") needs AI " + DescribeGroups(groups);
            named.push_back(e.ai);
            break;
        }
    }
    return missing;
}

VbError TooLong(size_t characters) {
    return StringFault(std::to_string(characters) + " characters of AIs, data and separators, at most " +
                       std::to_string(kMaxDataCharacters) + " fit in GS1-128");
}

// One symbol's elements, checked as far as one symbol can be.
std::vector<Element> CheckSymbol(std::u16string_view elements) {
    std::vector<Element> parsed = Split(elements);
    // What cannot fit in one symbol is refused before any check that looks
    // at pairs of elements, so that a long string costs time in proportion
    // to its length.
    size_t length = 0;
    for (size_t i = 0; i < parsed.size(); ++i) {
        const AiEntry* entry = gs1::FindAi(parsed[i].ai);
        const bool separated = entry && !entry->predefinedLength && i + 1 < parsed.size();
        length += parsed[i].ai.size() + parsed[i].data.size() + (separated ? 1 : 0);
    }
    if (length > kMaxDataCharacters) throw TooLong(length);
    for (auto& element : parsed) CheckElement(element);
    CheckRepeatsAndExclusions(parsed);
    return parsed;
}

}  // namespace

Gs1Message ParseGs1(std::u16string_view elements) {
    const std::vector<Element> parsed = CheckSymbol(elements);
    Gs1Message message;
    message.missing = MissingPartners(parsed);
    for (size_t i = 0; i < parsed.size(); ++i) {
        const std::u16string ai(parsed[i].ai.begin(), parsed[i].ai.end());
        message.data += ai + parsed[i].data;
        if (!parsed[i].entry->predefinedLength && i + 1 < parsed.size()) message.data += kGs1Separator;
        message.caption += u"(" + ai + u")" + parsed[i].data;
    }
    if (message.data.size() > kMaxDataCharacters) throw TooLong(message.data.size());
    return message;
}

std::string CheckGs1Label(const std::vector<std::u16string>& symbols) {
    if (symbols.empty()) return "GS1 label: no element strings";
    std::vector<Element> all;
    for (size_t i = 0; i < symbols.size(); ++i) {
        try {
            for (Element& e : CheckSymbol(symbols[i])) all.push_back(std::move(e));
        } catch (const VbError& error) {
            return "Symbol " + std::to_string(i + 1) + ": " + error.description();
        }
    }
    try {
        CheckRepeatsAndExclusions(all);
    } catch (const VbError& error) {
        return error.description();
    }
    const std::string missing = MissingPartners(all);
    return missing.empty() ? std::string() : missing + " on the same label";
}

}  // namespace quillant
