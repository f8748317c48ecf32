// Feeds arbitrary bytes as the word list: every word kept must pass the
// drill filter, and a personal exercise made from those words (with the
// built-in sentences) must keep every rule of its levels.
#include "tutor/core/WordList.h"
#include "tutor/core/BuiltInSentence.h"
#include "tutor/core/PracticeGenerator.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

class EvenMeasure : public TextMeasure {
public:
    int Width(const std::string& text, const FontSpec&) const override {
        return 7 * static_cast<int>(text.size());
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    PracticeMaterial material;
    material.words = FilterWordList(text);
    for (const std::string& word : material.words) {
        if (!IsDrillWord(word))
            std::abort();
    }
    for (std::int16_t index = 1; index <= kBuiltInSentenceCount; ++index)
        material.sentences.push_back(BuiltInSentence(index));

    static const EvenMeasure measure;
    const PracticeGenerator generator(material, measure, {FontSpec{"Arial", 12.0f}, 620});
    const auto weights =
        size % 2 == 0
            ? CharacterWeights::Balanced()
            : CharacterWeights::FromStatistics(
                  {{{'q', 100, 40, 300.0}, {'\xF2', 100, 50, 0.0}}, {{'\xE0', '\xF2', 10}}});
    const PracticeExercise exercise = generator.Generate(weights, size);
    for (int level = 1; level <= 3; ++level) {
        for (const std::string& sentence : exercise.levels[static_cast<std::size_t>(level - 1)]) {
            if (!generator.KeepsShape(sentence, level))
                std::abort();
        }
    }
    return 0;
}
