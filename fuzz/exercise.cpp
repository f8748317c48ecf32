// Feeds arbitrary bytes as an exercise file to the tutor's catalogue: the
// file is listed, chosen and every sentence position of every level read,
// fitted and filtered. Besides crashes it stops on a sentence that could
// not be typed: every character must have a key, a CR must come with its LF.
#include "common/core/UiTexts.h"
#include "tutor/core/ExerciseCatalogue.h"
#include "tutor/core/KeyTable.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ProportionalMeasure : public TextMeasure {
public:
    int Width(const std::string& text, const FontSpec&) const override {
        int width = 0;
        for (char c : text)
            width += 4 + static_cast<unsigned char>(c) % 9;
        return width;
    }
};

std::string ProgramFolder() {
    static const std::string folder = [] {
        char name[] = "/tmp/zentavo-fuzz-exercise-XXXXXX";
        if (::mkdtemp(name) == nullptr)
            std::abort();
        const std::string path = std::string(name) + "/";
        if (::mkdir((path + "Esercizi").c_str(), 0700) != 0)
            std::abort();
        return path;
    }();
    return folder;
}

void Check(const std::string& sentence) {
    for (std::size_t i = 0; i < sentence.size(); ++i) {
        const char c = sentence[i];
        if (c == '\n') {
            if (i == 0 || sentence[i - 1] != '\r')
                std::abort();
            continue;
        }
        if (!FindKeyEntry(c))
            std::abort();
        if (c == '\r' && (i + 1 >= sentence.size() || sentence[i + 1] != '\n'))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string folder = ProgramFolder();
    const std::string path = folder + "Esercizi/fuzz.ftd";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0)
        std::abort();

    static const UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
    static const ProportionalMeasure measure;
    ExerciseCatalogue catalogue({folder}, texts, measure, {FontSpec{"Arial", 14.25f}, 300}, "");
    catalogue.FillExerciseList();
    catalogue.ChooseEntry(1);
    catalogue.SelectExerciseFile(catalogue.SelectedEntry() + ".ftd");
    if (catalogue.ExerciseFile().empty())
        std::abort();
    for (std::int16_t level = 0; level <= 4; ++level) {
        for (std::int16_t number = 0; number <= 16; ++number) {
            Check(catalogue.ReadExerciseSentence(level, number));
            Check(
                catalogue.ReadLevelSentence(level, number, static_cast<std::int16_t>(16 - number)));
        }
    }
    return 0;
}
