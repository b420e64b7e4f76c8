#pragma once
// The encoder benchmarks' corpus: printable ASCII with digit runs of varied
// length, 1-40 characters, 100,000 texts, fixed seed.

#include <random>
#include <string>
#include <vector>

namespace quillant::bench {

inline const std::vector<std::u16string>& Corpus() {
    static const std::vector<std::u16string> corpus = [] {
        std::mt19937 rng(20261207);
        std::uniform_int_distribution<int> length(1, 40);
        std::uniform_int_distribution<int> printable(0x20, 0x7E);
        std::uniform_int_distribution<int> digit('0', '9');
        std::uniform_int_distribution<int> runLength(1, 12);
        std::bernoulli_distribution startRun(0.15);
        std::vector<std::u16string> texts;
        texts.reserve(100000);
        for (int n = 0; n < 100000; ++n) {
            const int target = length(rng);
            std::u16string text;
            while (static_cast<int>(text.size()) < target) {
                if (startRun(rng)) {
                    for (int r = runLength(rng); r > 0 && static_cast<int>(text.size()) < target; --r)
                        text += static_cast<char16_t>(digit(rng));
                } else {
                    text += static_cast<char16_t>(printable(rng));
                }
            }
            texts.push_back(std::move(text));
        }
        return texts;
    }();
    return corpus;
}

}  // namespace quillant::bench
