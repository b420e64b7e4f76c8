#include "encoding/code_set_planner.h"

#include "encoding/unencodable_character.h"

namespace quillant {
namespace {

class TokenStreamSink {
public:
    explicit TokenStreamSink(std::u16string_view text) : text_(text) {}

    void Start(CodeSet set) { stream_ += set == CodeSet::B ? u"^B" : u"^C"; }
    void Data(size_t pos) {
        stream_ += u'!';
        stream_ += text_[pos];
    }
    void Pair(size_t pos) {
        stream_ += u'#';
        stream_ += text_.substr(pos, 2);
    }
    void SwitchToC() { stream_ += u"*C"; }
    void SwitchToB() { stream_ += u"*B"; }

    std::u16string Take() { return std::move(stream_); }

private:
    std::u16string_view text_;
    std::u16string stream_;
};

class ValueSink {
public:
    ValueSink(std::u16string_view text, uint8_t* out) : text_(text), out_(out) {}

    void Start(CodeSet set) { *out_++ = set == CodeSet::B ? kStartB : kStartC; }
    void Data(size_t pos) {
        const auto value = SymbolTable::FindB(text_[pos]);
        if (!value) throw UnencodableCharacter(text_, pos);
        *out_++ = static_cast<uint8_t>(*value);
    }
    void Pair(size_t pos) { *out_++ = static_cast<uint8_t>(*SymbolTable::FindC(text_[pos], text_[pos + 1])); }
    void SwitchToC() { *out_++ = kSwitchToC; }
    void SwitchToB() { *out_++ = kSwitchToB; }

    uint8_t* end() const { return out_; }

private:
    std::u16string_view text_;
    uint8_t* out_;
};

}  // namespace

size_t PlanQuillant1(std::u16string_view text, uint8_t* out) {
    ValueSink sink(text, out);
    PlanCodeSets(text, sink);
    return static_cast<size_t>(sink.end() - out);
}

std::u16string PlanCodeSets(std::u16string_view text) {
    TokenStreamSink sink(text);
    PlanCodeSets(text, sink);
    return sink.Take();
}

}  // namespace quillant
