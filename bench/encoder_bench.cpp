// Encoder throughput over a fixed corpus: printable ASCII with digit runs of
// varied length, 1-40 characters, 100,000 texts, fixed seed.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_corpus.h"
#include "encoding/gs1_element_string.h"
#include "encoding/pattern_builder.h"
#include "encoding/shortest_symbol.h"
#include "encoding/vb_error.h"

namespace {

using quillant::bench::Corpus;

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

// The shortest planner with the whole symbol built, as quillant-pattern --full does.
void BM_ShortestPattern(benchmark::State& state) {
    RunOverCorpus(state, [](const std::u16string& text) {
        benchmark::DoNotOptimize(quillant::ShortestPattern(text, quillant::DataMode::Text));
    });
}
BENCHMARK(BM_ShortestPattern)->Unit(benchmark::kMillisecond);

void BM_ShortestValues(benchmark::State& state) {
    RunOverCorpus(state, [](const std::u16string& text) {
        benchmark::DoNotOptimize(quillant::ShortestSymbolValues(text, quillant::DataMode::Text));
    });
}
BENCHMARK(BM_ShortestValues)->Unit(benchmark::kMillisecond);

// Baseline in the same run: copying each text once, the least any encoder does.
void BM_CopyText(benchmark::State& state) {
    RunOverCorpus(state, [](const std::u16string& text) { benchmark::DoNotOptimize(std::u16string(text)); });
}
BENCHMARK(BM_CopyText)->Unit(benchmark::kMillisecond);

// A GS1 element string of N copies of one AI, far more than a symbol holds:
// refused for its length in time proportional to N (it was quadratic: 16,000
// copies took seconds). Baseline in the same run: copying the string.
std::u16string RepeatedAi(int64_t copies) {
    std::u16string elements;
    for (int64_t i = 0; i < copies; ++i) elements += u"(01)09501101530003";
    return elements;
}

void BM_Gs1TooLong(benchmark::State& state) {
    const std::u16string elements = RepeatedAi(state.range(0));
    for (auto _ : state) {
        try {
            quillant::ParseGs1(elements);
        } catch (const quillant::VbError& error) {
            benchmark::DoNotOptimize(error.number());
        }
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Gs1TooLong)->RangeMultiplier(4)->Range(1000, 64000)->Complexity()->Unit(benchmark::kMillisecond);

void BM_Gs1CopyString(benchmark::State& state) {
    const std::u16string elements = RepeatedAi(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(std::u16string(elements));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Gs1CopyString)->RangeMultiplier(4)->Range(1000, 64000)->Complexity()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
