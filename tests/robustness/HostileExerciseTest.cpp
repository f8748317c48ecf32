// Exercise files that were not made by the editor, or not only by it: binary
// garbage, endless lines, stray separators, Unix line ends, UTF-8 text,
// empty levels and levels with holes. The tutor must get sentences a pupil
// can type (or none, and then its built-in ones); the editor must count and
// read them, and a sentence it writes must not cost any other its place.
#include "HostileFiles.h"

#include "common/core/ExerciseFile.h"
#include "common/core/UiTexts.h"
#include "editor/core/DiskEditorFiles.h"
#include "tutor/core/ExerciseCatalogue.h"
#include "tutor/core/KeyTable.h"

#include <array>
#include <map>
#include <utility>

namespace {

using hostile::Folder;

// Every character 7 pixels wide on a line of 700: 100 characters fit.
class EvenMeasure : public TextMeasure {
public:
    int Width(const std::string& text, const FontSpec&) const override {
        return 7 * static_cast<int>(text.size());
    }
};
constexpr int kLineWidth = 700;

using Position = std::pair<int, int>; // level, number

struct ExerciseCase {
    std::string name;
    std::string bytes;
    // The sentence the tutor gets at each position; every other one is "".
    std::map<Position, std::string> sentences;
    std::array<int, 3> counted; // by the editor, 15 positions per level
};

void PrintTo(const ExerciseCase& c, std::ostream* os) {
    *os << c.name;
}

const std::string kHeader = [] {
    std::string text;
    for (std::string_view line : ExerciseFileHeader())
        text += std::string(line) + "\r\n";
    return text + "[Editor Zentavo]\r\nVersione=3.0.0\r\n";
}();

std::string Level(int level, const std::string& entries) {
    return "[Livello" + std::to_string(level) + "]\r\n" + entries;
}

const std::string kLongLine = [] {
    std::string line;
    while (line.size() < 5000)
        line += "abc def ";
    return line.substr(0, 5000);
}();

// A pupil can type it: each character has a key, CR and LF come as a pair,
// and no line is wider than the sentence line.
void ExpectTypeable(const std::string& sentence, const EvenMeasure& measure) {
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < sentence.size(); ++i) {
        const char c = sentence[i];
        if (c == '\r') {
            ASSERT_TRUE(i + 1 < sentence.size() && sentence[i + 1] == '\n') << sentence;
            EXPECT_LE(measure.Width(sentence.substr(lineStart, i - lineStart), {}), kLineWidth);
            lineStart = i + 2;
            ++i;
            continue;
        }
        EXPECT_TRUE(FindKeyEntry(c).has_value())
            << "byte " << static_cast<int>(static_cast<unsigned char>(c)) << " in " << sentence;
    }
    EXPECT_LE(measure.Width(sentence.substr(std::min(lineStart, sentence.size())), {}), kLineWidth);
}

struct Tutor {
    explicit Tutor(const std::string& folder)
        : texts(UiTexts::BuiltIn(UiProgram::Tutor)),
          catalogue({folder}, texts, measure, {FontSpec{"Arial", 14.25f}, kLineWidth}, "") {
        catalogue.SelectFromCommandLine("/prova.ftd");
    }
    UiTexts texts;
    EvenMeasure measure;
    ExerciseCatalogue catalogue;
};

class HostileExercise : public testing::TestWithParam<ExerciseCase> {};

TEST_P(HostileExercise, TutorGetsTypeableSentencesAndEditorCountsThem) {
    const ExerciseCase& c = GetParam();
    Folder folder;
    const std::string path = folder.File("Esercizi/prova.ftd");
    hostile::Write(path, c.bytes);

    Tutor tutor(folder.Path());
    ASSERT_EQ(tutor.catalogue.ExerciseFile(), path);
    for (int level = 1; level <= 3; ++level) {
        for (int number = 1; number <= 15; ++number) {
            const std::string sentence = tutor.catalogue.ReadExerciseSentence(
                static_cast<int16_t>(level), static_cast<int16_t>(number));
            const auto expected = c.sentences.find({level, number});
            EXPECT_EQ(sentence, expected == c.sentences.end() ? "" : expected->second)
                << "level " << level << " number " << number;
            ExpectTypeable(sentence, tutor.measure);
        }
    }

    DiskEditorFiles editor;
    EXPECT_EQ(editor.CountSentences(path, 15), c.counted);
    for (int level = 1; level <= 3; ++level) {
        for (int number = 1; number <= 15; ++number) {
            const EditorFiles::ReadResult read = editor.ReadSentence(path, level, number);
            EXPECT_FALSE(read.error.has_value());
            EXPECT_LE(read.value.size(), 254u);
        }
    }
}

TEST_P(HostileExercise, WritingOneSentenceKeepsEveryOther) {
    const ExerciseCase& c = GetParam();
    Folder folder;
    const std::string path = folder.File("prova.ftd");
    hostile::Write(path, c.bytes);
    DiskEditorFiles editor;
    std::map<Position, std::string> before;
    for (int level = 1; level <= 3; ++level)
        for (int number = 1; number <= 15; ++number)
            before[{level, number}] = editor.ReadSentence(path, level, number).value;

    const std::string value = "nuova frase\xA6\xA6seconda riga";
    ASSERT_TRUE(editor.WriteSentence(path, 2, 7, value));
    for (int level = 1; level <= 3; ++level) {
        for (int number = 1; number <= 15; ++number) {
            const std::string now = editor.ReadSentence(path, level, number).value;
            const std::string& expected =
                level == 2 && number == 7 ? value : before[{level, number}];
            EXPECT_EQ(now, expected) << "level " << level << " number " << number;
        }
    }
}

const std::string kFiveHundredA = std::string(300, 'a') + "\xA6\xA6" + "b";

INSTANTIATE_TEST_SUITE_P(
    Files, HostileExercise,
    testing::Values(
        ExerciseCase{"BinaryGarbage", hostile::Garbage(65536, 777), {}, {0, 0, 0}},
        ExerciseCase{"ZeroFilled", std::string(4096, '\0'), {}, {0, 0, 0}},
        ExerciseCase{"Empty", "", {}, {0, 0, 0}},
        ExerciseCase{"LinesOf5000Characters",
                     kHeader + Level(1, "1=" + kLongLine + "\r\n2=" + kFiveHundredA + "\r\n") +
                         Level(2, "1=" + std::string(5000, 'z') + "\xA6\xA6" + "fine\r\n"),
                     // 254 characters are read, of which 100 fit the line.
                     {{{1, 1}, kLongLine.substr(0, 100)},
                      {{1, 2}, std::string(100, 'a')},
                      {{2, 1}, std::string(100, 'z')}},
                     {2, 1, 0}},
        ExerciseCase{"SeparatorAtTheStart",
                     kHeader + Level(1, "1=\xA6\xA6seconda riga\r\n"),
                     {{{1, 1}, "\r\nseconda riga"}},
                     {1, 0, 0}},
        ExerciseCase{"SeparatorAtTheEnd",
                     kHeader + Level(1, "1=prima riga\xA6\xA6\r\n"),
                     {{{1, 1}, "prima riga\r\n"}},
                     {1, 0, 0}},
        ExerciseCase{"SeparatorTwice",
                     kHeader + Level(1, "1=uno\xA6\xA6"
                                        "due\xA6\xA6tre\r\n"),
                     // "¦" has no key: the second separator is dropped as untypeable.
                     {{{1, 1}, "uno\r\nduetre"}},
                     {1, 0, 0}},
        ExerciseCase{"SeparatorsOnly",
                     kHeader + Level(1, "1=\xA6\xA6\r\n2=\xA6\xA6\xA6\xA6\r\n3=  \xA6\xA6  \r\n"),
                     {},
                     {3, 0, 0}},
        ExerciseCase{"LfOnly",
                     hostile::Lf(kHeader +
                                 Level(1, "1=frase uno\r\n2=frase due\xA6\xA6riga due\r\n") +
                                 Level(3, "5=ultima\r\n")),
                     {{{1, 1}, "frase uno"}, {{1, 2}, "frase due\r\nriga due"}, {{3, 5}, "ultima"}},
                     {2, 0, 1}},
        ExerciseCase{"Utf8WithByteOrderMark",
                     std::string(hostile::kBom) +
                         Level(1, "1=perch\xC3\xA9 citt\xC3\xA0\r\n2=\xE2\x82\xAC 5\r\n"),
                     // Read as Windows-1252, the UTF-8 bytes of the accents have no key.
                     {{{1, 1}, "perch citt"}, {{1, 2}, " 5"}},
                     {2, 0, 0}},
        ExerciseCase{"EmptyLevels",
                     kHeader + Level(1, "1=\r\n") + Level(2, "1=\r\n2=   \r\n") + Level(3, ""),
                     {},
                     {0, 0, 0}},
        ExerciseCase{"FifteenPositionsWithHoles",
                     kHeader + Level(1, "15=quindici\r\n1=uno\r\n3=tre\r\n6=sei\r\n9=nove\r\n") +
                         Level(2, "2=b\r\n4=bb\r\n6=bbb\r\n8=x\xA6\xA6y\r\n10=dieci\r\n"
                                  "12=dodici\r\n14=quattordici\r\n") +
                         Level(3, "15=l'ultima\r\n"),
                     {{{1, 1}, "uno"},
                      {{1, 3}, "tre"},
                      {{1, 6}, "sei"},
                      {{1, 9}, "nove"},
                      {{1, 15}, "quindici"},
                      {{2, 2}, "bbbb"},
                      {{2, 4}, "bbbb"},
                      {{2, 6}, "bbb"},
                      {{2, 8}, "xxxx\r\nyyyy"},
                      {{2, 10}, "dieci"},
                      {{2, 12}, "dodici"},
                      {{2, 14}, "quattordici"},
                      {{3, 15}, "l'ultima"}},
                     {5, 7, 1}},
        ExerciseCase{"ControlCharactersInside",
                     kHeader + Level(1, "1=a\x01"
                                        "b\x7F"
                                        "c\td\r\n2=\x1B\r\n"),
                     {{{1, 1}, "abcd"}},
                     {2, 0, 0}},
        ExerciseCase{"StrayCarriageReturnsInAnLfFile",
                     hostile::Lf(Level(1, "")) + "1=ab\rcd\n2=\r\r\r\n3=x\xA6\xA6\ry\n",
                     // "\ry" is fitted to "\ry\ry" before its stray CRs are dropped.
                     {{{1, 1}, "abcd"}, {{1, 3}, "xxxx\r\nyy"}},
                     {2, 0, 0}},
        ExerciseCase{"SectionTwiceFirstWins",
                     kHeader + Level(1, "1=prima\r\n") + Level(1, "1=seconda\r\n2=due\r\n"),
                     {{{1, 1}, "prima"}},
                     {1, 0, 0}}),
    hostile::CaseName());

} // namespace
