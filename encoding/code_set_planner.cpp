#include "encoding/code_set_planner.h"

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

}  // namespace

std::u16string PlanCodeSets(std::u16string_view text) {
    TokenStreamSink sink(text);
    PlanCodeSets(text, sink);
    return sink.Take();
}

}  // namespace quillant
