// Encoder throughput over a fixed corpus: printable ASCII with digit runs of
// varied length, 1-40 characters, 100,000 texts, fixed seed.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "encoding/pattern_builder.h"

namespace {

const std::vector<std::u16string>& Corpus() {
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

int64_t CorpusCharacters() {
    int64_t total = 0;
    for (const auto& text : Corpus()) total += static_cast<int64_t>(text.size());
    return total;
}

template <class Encode>
void RunOverCorpus(benchmark::State& state, Encode encode) {
    const auto& corpus = Corpus();
    for (auto _ : state) {
        for (const auto& text : corpus) encode(text);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(corpus.size()));
    state.counters["chars/s"] = benchmark::Counter(static_cast<double>(CorpusCharacters() * state.iterations()),
                                                   benchmark::Counter::kIsRate);
}

void BM_BuildPattern(benchmark::State& state) {
    RunOverCorpus(state, [](const std::u16string& text) {
        benchmark::DoNotOptimize(quillant::BuildPattern(text));
    });
}
BENCHMARK(BM_BuildPattern)->Unit(benchmark::kMillisecond);

void BM_BarWidth(benchmark::State& state) {
    RunOverCorpus(state, [](const std::u16string& text) {
        benchmark::DoNotOptimize(quillant::BarWidth(text, 1));
    });
}
BENCHMARK(BM_BarWidth)->Unit(benchmark::kMillisecond);

// Baseline in the same run: copying each text once, the least any encoder does.
void BM_CopyText(benchmark::State& state) {
    RunOverCorpus(state, [](const std::u16string& text) { benchmark::DoNotOptimize(std::u16string(text)); });
}
BENCHMARK(BM_CopyText)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
