// Speed of the personal exercise: the Debian word list (about 117,000
// lines) read and filtered, the shipped exercise and course files read for
// their sentences, the generator built over all of it and an exercise made
// for a pupil weak on "q" and "ò", as the tutor does at start and after
// each exercise. The target is under 50 ms in all.
#include "tutor/core/KeyTable.h"
#include "tutor/core/PersonalExercise.h"
#include "tutor/core/PracticeGenerator.h"
#include "tutor/core/WordList.h"

#include <benchmark/benchmark.h>

namespace {

class EvenMeasure : public TextMeasure {
public:
    int Width(const std::string& text, const FontSpec&) const override {
        return 7 * static_cast<int>(text.size());
    }
};

PracticeStatistics WeakPupil() {
    PracticeStatistics statistics;
    for (const KeyEntry& entry : KeyTable::Entries()) {
        const char c = static_cast<char>(entry.Character);
        const bool weak = c == 'q' || c == '\xF2';
        if (c != ' ' && c != '\r')
            statistics.characters.push_back({c, 300, weak ? 80 : 6, 250.0});
    }
    statistics.confusions.push_back({'\xE0', '\xF2', 20});
    return statistics;
}

void PersonalExerciseFromScratch(benchmark::State& state) {
    const EvenMeasure measure;
    const std::vector<std::string> places = {std::string(ZENTAVO_SOURCE_DIR) + "/data/"};
    const PracticeStatistics statistics = WeakPupil();
    std::uint64_t seed = 0;
    std::size_t words = 0;
    for (auto _ : state) {
        PracticeMaterial material;
        WordList list = ReadWordList(kDebianItalianWordList);
        words = list.words.size();
        material.words = std::move(list.words);
        material.sentences = CollectPracticeSentences(places, "Allenamento personale.ftd");
        const PracticeGenerator generator(material, measure, {FontSpec{"Arial", 12.0f}, 620});
        benchmark::DoNotOptimize(
            generator.Generate(CharacterWeights::FromStatistics(statistics), ++seed));
    }
    state.counters["words"] = static_cast<double>(words);
}
BENCHMARK(PersonalExerciseFromScratch)->Unit(benchmark::kMillisecond);

void ReadWordListOnly(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadWordList(kDebianItalianWordList));
}
BENCHMARK(ReadWordListOnly)->Unit(benchmark::kMillisecond);

void GenerateOnly(benchmark::State& state) {
    const EvenMeasure measure;
    PracticeMaterial material;
    material.words = ReadWordList(kDebianItalianWordList).words;
    material.sentences = CollectPracticeSentences({std::string(ZENTAVO_SOURCE_DIR) + "/data/"}, "");
    const PracticeGenerator generator(material, measure, {FontSpec{"Arial", 12.0f}, 620});
    const CharacterWeights weights = CharacterWeights::FromStatistics(WeakPupil());
    std::uint64_t seed = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(generator.Generate(weights, ++seed));
}
BENCHMARK(GenerateOnly)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
