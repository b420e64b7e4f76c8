// Encoder throughput over a fixed corpus: printable ASCII with digit runs of
// varied length, 1-40 characters, 100,000 texts, fixed seed.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_corpus.h"
#include "encoding/gs1_element_string.h"
#include "encoding/symbol_encoder.h"
#include "encoding/symbol_encoder.h"
#include "encoding/vb_error.h"

namespace {

using quillant::bench::Corpus;

int64_t CorpusCharacters(const std::vector<std::u16string>& corpus) {
    int64_t total = 0;
    for (const auto& text : corpus) total += static_cast<int64_t>(text.size());
    return total;
}

// The corpus with every fifth character moved to the upper half of Latin-1
// (and control characters where it had 'a'..'z'), for the planner's full pass
// and the latch; the corpus itself takes the printable shortcut.
const std::vector<std::u16string>& Latin1Corpus() {
    static const std::vector<std::u16string> corpus = [] {
        std::vector<std::u16string> texts = Corpus();
        size_t k = 0;
        for (auto& text : texts) {
            for (char16_t& c : text) {
                if (++k % 5 == 0) c = static_cast<char16_t>(c | 0x80);
                if (c >= u'a' && c <= u'z' && k % 7 == 0) c = static_cast<char16_t>(c - 0x60);
            }
        }
        return texts;
    }();
    return corpus;
}

template <class Encode>
void RunOverCorpus(benchmark::State& state, Encode encode, const std::vector<std::u16string>& corpus = Corpus()) {
    for (auto _ : state) {
        for (const auto& text : corpus) encode(text);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(corpus.size()));
    state.counters["chars/s"] = benchmark::Counter(static_cast<double>(CorpusCharacters(corpus) * state.iterations()),
                                                   benchmark::Counter::kIsRate);
}

void BM_Quillant1Pattern(benchmark::State& state) {
    RunOverCorpus(state, [](const std::u16string& text) {
        benchmark::DoNotOptimize(quillant::ModulePattern(text, quillant::Encoding::Quillant1));
    });
}
BENCHMARK(BM_Quillant1Pattern)->Unit(benchmark::kMillisecond);

void BM_BarWidth(benchmark::State& state) {
    RunOverCorpus(state, [](const std::u16string& text) {
        benchmark::DoNotOptimize(quillant::BarWidth(text, quillant::Encoding::Quillant1, 1));
    });
}
BENCHMARK(BM_BarWidth)->Unit(benchmark::kMillisecond);

// The shortest planner with the whole symbol built, as quillant-pattern --full does.
void BM_ShortestPattern(benchmark::State& state) {
    RunOverCorpus(state, [](const std::u16string& text) {
        benchmark::DoNotOptimize(quillant::ModulePattern(text, quillant::Encoding::Full));
    });
}
BENCHMARK(BM_ShortestPattern)->Unit(benchmark::kMillisecond);

void BM_ShortestValues(benchmark::State& state) {
    RunOverCorpus(state, [](const std::u16string& text) {
        benchmark::DoNotOptimize(quillant::SymbolValues(text, quillant::Encoding::Full));
    });
}
BENCHMARK(BM_ShortestValues)->Unit(benchmark::kMillisecond);

// The corpus as GS1 data (FNC1 after the start): the printable backward pass
// and the forward walk every plan shares.
void BM_ShortestPatternGs1(benchmark::State& state) {
    RunOverCorpus(state, [](const std::u16string& text) {
        benchmark::DoNotOptimize(quillant::ModulePattern(text, quillant::Encoding::Gs1));
    });
}
BENCHMARK(BM_ShortestPatternGs1)->Unit(benchmark::kMillisecond);

// Latin-1 with control characters: the full pass, with the latch and without.
void BM_ShortestPatternLatin1(benchmark::State& state, quillant::Encoding encoding) {
    RunOverCorpus(
        state, [encoding](const std::u16string& text) { benchmark::DoNotOptimize(quillant::ModulePattern(text, encoding)); },
        Latin1Corpus());
}
BENCHMARK_CAPTURE(BM_ShortestPatternLatin1, latch, quillant::Encoding::Full)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ShortestPatternLatin1, no_latch, quillant::Encoding::FullWithoutLatch)->Unit(benchmark::kMillisecond);

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
