// What the editor writes, the tutor's catalogue reads back as the sentences
// that were typed: the two programs meet only in the exercise file.
#include "EditorTestSupport.h"

#include "common/core/UiTexts.h"
#include "editor/core/DiskEditorFiles.h"
#include "tutor/core/ExerciseCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct Typed {
    int level;
    int position;
    std::string first;
    std::string second;
    std::string tutorReads;
};

TEST(TutorReadsEditorFilesTest, EverySavedSentenceReachesTheTutorAsTyped) {
    const fs::path folder = fs::temp_directory_path() / "zentavo-editor-to-tutor";
    fs::remove_all(folder);
    fs::create_directories(folder / "Esercizi");
    const std::string programFolder = folder.string() + "/";

    const std::vector<Typed> typed = {
        {1, 1, "Il gatto dorme sul divano.", "", "Il gatto dorme sul divano."},
        {1, 2, "  Perch\xE9 piove?  ", "  Domani c'\xE8 il sole.  ",
         "Perch\xE9 piove?\r\nDomani c'\xE8 il sole."},
        {2, 15, "Costa 10 \x80 al chilo.", "", "Costa 10 \x80 al chilo."},
        {3, 7, "Citt\xE0 e virt\xF9.", "Fine.", "Citt\xE0 e virt\xF9.\r\nFine."},
    };

    DiskEditorFiles files;
    FakeMeasure measure;
    RecordingObserver observer;
    SentenceEditor editor(files, measure, observer, BuiltInEditorSlots());
    ASSERT_TRUE(editor.CreateNewFile(programFolder + "Esercizi/Lettura.ftd"));
    for (const Typed& sentence : typed) {
        editor.SelectWriteLevel(sentence.level);
        editor.SelectWritePosition(sentence.position);
        editor.LineEdited(0, sentence.first);
        editor.LineEdited(1, sentence.second);
        editor.Save();
    }
    ASSERT_TRUE(observer.messages.empty());

    class WideLine : public TextMeasure {
    public:
        int Width(const std::string& text, const FontSpec&) const override {
            return static_cast<int>(text.size()) * 8;
        }
    } tutorMeasure;
    const UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
    ExerciseCatalogue catalogue({programFolder}, texts, tutorMeasure,
                                ExerciseCatalogue::SentenceLine{FontSpec{"Arial", 20.0f}, 2000},
                                "");
    catalogue.FillExerciseList();
    const auto& entries = catalogue.Entries();
    ASSERT_NE(std::find(entries.begin(), entries.end(), "Lettura"), entries.end());
    catalogue.SelectExerciseFile("Lettura.ftd");
    ASSERT_FALSE(catalogue.ExerciseFile().empty());
    for (const Typed& sentence : typed)
        EXPECT_EQ(catalogue.ReadExerciseSentence(static_cast<int16_t>(sentence.level),
                                                 static_cast<int16_t>(sentence.position)),
                  sentence.tutorReads)
            << sentence.level << "/" << sentence.position;
    EXPECT_EQ(catalogue.ReadExerciseSentence(1, 3), "") << "an empty position has no sentence";
    fs::remove_all(folder);
}

} // namespace
