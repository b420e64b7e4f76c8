// Writes the benchmark corpus (bench_corpus.h) as UTF-8, one text per line,
// for timing quillant-pattern as a whole process against zint_encode_loop.

#include <cstdio>
#include <string>

#include "bench/bench_corpus.h"

int main() {
    std::string out;
    for (const auto& text : quillant::bench::Corpus()) {
        for (char16_t c : text) out += static_cast<char>(c);  // the corpus is printable ASCII
        out += '\n';
    }
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() ? 0 : 1;
}
