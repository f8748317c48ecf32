// The shipped exercise files: each is byte for byte what the editor writes,
// reads back through the exercise-file reader, holds five or fifteen
// sentences per level that the keyboard can type and that fit the sentence
// line, and the course teaches the keys step by step, every key by its end.
#include "common/core/ExerciseFile.h"
#include "tutor/core/BuiltInSentence.h"
#include "tutor/core/KeyTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path dataDir = fs::path(ZENTAVO_SOURCE_DIR) / "data";

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

std::vector<fs::path> exerciseFiles(const char* folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dataDir / folder))
        if (entry.path().extension() == ".ftd")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<fs::path> allFiles() {
    std::vector<fs::path> files = exerciseFiles("CorsoZentavo");
    const std::vector<fs::path> more = exerciseFiles("Esercizi");
    files.insert(files.end(), more.begin(), more.end());
    return files;
}

// The sentences of one level as the reader gives them, numbers 1 up to the
// first empty one.
std::vector<std::string> levelSentences(const fs::path& file, int level) {
    std::vector<std::string> sentences;
    for (int number = 1; number <= kSentencesPerLevel; ++number) {
        std::string value = ReadSentence(file.string(), level, number);
        if (value.empty())
            break;
        sentences.push_back(value);
    }
    return sentences;
}

std::vector<std::string> linesOf(const std::string& value) {
    const SentenceLines split = SplitSentenceValue(value);
    std::vector<std::string> lines{split.first};
    if (split.hasSecond)
        lines.push_back(split.second);
    return lines;
}

// Advance widths of Arial (the same as Helvetica's) in thousandths of the font
// size, for the Windows-1252 characters an exercise may hold. Fitting to the
// sentence line scales with the font, so comparing widths in one font is
// enough to tell whether a line is wider than another.
int arialWidth(unsigned char c) {
    static const std::map<unsigned char, int> latin1 = {
        {0x80, 556}, {0xA3, 556}, {0xA7, 556}, {0xB0, 400}, {0xE0, 556}, {0xE7, 500},
        {0xE8, 556}, {0xE9, 556}, {0xEC, 278}, {0xF2, 556}, {0xF9, 556}};
    static const int ascii[95] = {
        278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, // ' '../
        556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, // 0..?
        1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778, // @..O
        667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556, // P.._
        333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556, // `..o
        556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};     // p..~
    if (c >= 32 && c <= 126)
        return ascii[c - 32];
    const auto it = latin1.find(c);
    return it == latin1.end() ? 1000 : it->second;
}

int lineWidth(const std::string& line) {
    int width = 0;
    for (const char c : line)
        width += arialWidth(static_cast<unsigned char>(c));
    return width;
}

// The tutor shows the built-in sentences unfitted, so its sentence line holds
// the widest of their lines; ours keep a margin below that.
int sentenceLineLimit() {
    int widest = 0;
    for (std::int16_t i = 1; i <= kBuiltInSentenceCount; ++i)
        for (const std::string& line : linesOf([&] {
                 std::string s = BuiltInSentence(i);
                 const auto br = s.find("\r\n");
                 if (br != std::string::npos)
                     s.replace(br, 2, std::string(kSentenceSeparator));
                 return s;
             }()))
            widest = std::max(widest, lineWidth(line));
    return widest * 95 / 100;
}

TEST(ExerciseFiles, CourseAndExercisesAreShipped) {
    EXPECT_GE(exerciseFiles("CorsoZentavo").size(), 12u);
    EXPECT_GE(exerciseFiles("Esercizi").size(), 4u);
}

TEST(ExerciseFiles, AreWhatTheEditorWrites) {
    const fs::path scratch = fs::path(::testing::TempDir()) / "zentavo-made-by-editor.ftd";
    for (const fs::path& file : allFiles()) {
        SCOPED_TRACE(file.filename().string());
        fs::remove(scratch);
        ASSERT_TRUE(CreateExerciseFile(scratch.string(), "3.0.0"));
        for (int level = 1; level <= kExerciseLevels; ++level) {
            int number = 0;
            for (const std::string& value : levelSentences(file, level))
                ASSERT_NE(WriteSentence(scratch.string(), level, ++number, value), 0);
        }
        EXPECT_EQ(readBytes(file), readBytes(scratch));
    }
    fs::remove(scratch);
}

TEST(ExerciseFiles, AreWindows1252WithCrLfAndNoBom) {
    for (const fs::path& file : allFiles()) {
        SCOPED_TRACE(file.filename().string());
        const std::string bytes = readBytes(file);
        ASSERT_FALSE(bytes.empty());
        EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto c = static_cast<unsigned char>(bytes[i]);
            if (c == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
            }
            if (c == '\r') {
                ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at " << i;
            }
            // Bytes undefined in Windows-1252, and the lead bytes UTF-8 would
            // leave behind ("Ã", "Â").
            EXPECT_TRUE(c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D) << i;
            EXPECT_TRUE(c != 0xC3 && c != 0xC2) << "UTF-8 text at " << i;
            EXPECT_TRUE(c >= 0x20 || c == '\r' || c == '\n') << "control byte at " << i;
        }
    }
}

TEST(ExerciseFiles, EachLevelHoldsFiveOrFifteenSentencesThatReadBackExactly) {
    for (const fs::path& file : allFiles()) {
        SCOPED_TRACE(file.filename().string());
        const std::string bytes = readBytes(file);
        std::size_t count = 0;
        for (int level = 1; level <= kExerciseLevels; ++level) {
            const std::vector<std::string> sentences = levelSentences(file, level);
            EXPECT_TRUE(sentences.size() == 5 || sentences.size() == 15) << "level " << level;
            if (level > 1) {
                EXPECT_EQ(sentences.size(), count) << "levels of different sizes";
            }
            count = sentences.size();
            for (std::size_t n = 0; n < sentences.size(); ++n) {
                // The reader returns the stored text unchanged: no enclosing
                // quotes dropped, nothing cut by the 254-character buffer.
                const std::string line = std::to_string(n + 1) + "=" + sentences[n] + "\r\n";
                EXPECT_NE(bytes.find(line), std::string::npos) << sentences[n];
                EXPECT_LE(sentences[n].size(), 254u);
            }
        }
    }
}

TEST(ExerciseFiles, EverySentenceIsTypeableAndFitsTheSentenceLine) {
    const int limit = sentenceLineLimit();
    ASSERT_GT(limit, 30000);
    for (const fs::path& file : allFiles()) {
        SCOPED_TRACE(file.filename().string());
        for (int level = 1; level <= kExerciseLevels; ++level)
            for (const std::string& sentence : levelSentences(file, level))
                for (const std::string& line : linesOf(sentence)) {
                    SCOPED_TRACE(line);
                    EXPECT_GE(line.size(), 3u) << "would be repeated to fill it";
                    EXPECT_EQ(TrimBlanks(line), line);
                    EXPECT_EQ(line.find("  "), std::string::npos) << "double blank";
                    for (const char c : line)
                        EXPECT_TRUE(FindKeyEntry(c).has_value())
                            << "no key types code " << int(static_cast<unsigned char>(c));
                    EXPECT_EQ(FilterToKeyboard(line), line);
                    EXPECT_LE(lineWidth(line), limit) << "wider than the sentence line";
                }
    }
}

TEST(ExerciseFiles, ThemedExercisesGrowLikeTheBuiltInLevels) {
    for (const fs::path& file : exerciseFiles("Esercizi")) {
        SCOPED_TRACE(file.filename().string());
        for (const std::string& s : levelSentences(file, 1)) {
            EXPECT_EQ(linesOf(s).size(), 1u) << s;
            for (const char c : s) {
                const auto u = static_cast<unsigned char>(c);
                const bool smallLetter = (u >= 'a' && u <= 'z') || u == 0xE0 || u == 0xE8 ||
                                         u == 0xE9 || u == 0xEC || u == 0xF2 || u == 0xF9;
                EXPECT_TRUE(smallLetter || u == ' ') << s;
            }
        }
        for (const std::string& s : levelSentences(file, 2))
            EXPECT_EQ(linesOf(s).size(), 1u) << s;
        for (const std::string& s : levelSentences(file, 3))
            EXPECT_EQ(linesOf(s).size(), 2u) << s;
    }
}

// What each lesson of the course adds to the keys already learnt. "\r" is the
// Enter between the two lines of a sentence.
struct Lesson {
    const char* prefix;
    std::string adds;
};

std::string capitals() {
    std::string s;
    for (char c = 'A'; c <= 'Z'; ++c)
        s += c;
    return s + "\r";
}

const std::vector<Lesson>& lessons() {
    static const std::vector<Lesson> table = {
        {"01 ", "asdfghjkl\xF2\xE0\xF9 "},
        {"02 ", "ei"},
        {"03 ", "rtuo"},
        {"04 ", "qwyp\xE8"},
        {"05 ", "cvnm"},
        {"06 ", "zxb,.-'"},
        {"07 ", capitals()},
        {"08 ", "\xE9\xEC"},
        {"09 ", "0123456789"},
        {"10 ", "!?:;\"()"},
        {"11 ", "\xA3$%&/=*+_\xB0\xE7\xA7<>\\|^"},
        {"12 ", "\x80@#[]"},
        {"13 ", ""},
    };
    return table;
}

std::set<unsigned char> charactersOf(const fs::path& file) {
    std::set<unsigned char> used;
    for (int level = 1; level <= kExerciseLevels; ++level)
        for (const std::string& sentence : levelSentences(file, level)) {
            const std::vector<std::string> lines = linesOf(sentence);
            if (lines.size() == 2)
                used.insert('\r');
            for (const std::string& line : lines)
                for (const char c : line)
                    used.insert(static_cast<unsigned char>(c));
        }
    return used;
}

TEST(ExerciseFiles, CourseTeachesEveryKeyStepByStep) {
    const std::vector<fs::path> course = exerciseFiles("CorsoZentavo");
    ASSERT_EQ(course.size(), lessons().size());
    std::set<unsigned char> known;
    for (std::size_t i = 0; i < course.size(); ++i) {
        const std::string name = course[i].filename().string();
        SCOPED_TRACE(name);
        ASSERT_EQ(name.rfind(lessons()[i].prefix, 0), 0u) << "course order follows name order";
        EXPECT_EQ(name.find('.'), name.size() - 4) << "the list shows the name up to its first dot";
        const std::set<unsigned char> used = charactersOf(course[i]);
        for (const char c : lessons()[i].adds) {
            const auto u = static_cast<unsigned char>(c);
            EXPECT_TRUE(used.count(u)) << "lesson never uses its new key, code " << int(u);
            known.insert(u);
        }
        for (const unsigned char u : used)
            EXPECT_TRUE(known.count(u)) << "key not taught yet, code " << int(u);
    }
    // By the end of the course every character of the keyboard was practised.
    for (const KeyEntry& entry : KeyTable::Entries())
        EXPECT_TRUE(known.count(static_cast<unsigned char>(entry.Character)))
            << "never taught: code " << entry.Character;
    EXPECT_EQ(known.size(), std::size_t(KeyTable::kEntryCount));
}

TEST(ExerciseFiles, WidthMeasureTellsLongLinesFromShortOnes) {
    EXPECT_EQ(lineWidth("ab"), 1112);
    EXPECT_GT(lineWidth("WWW"), lineWidth("iii"));
    EXPECT_EQ(lineWidth("\xE8\x80"), 1112);
    const std::string tooLong(90, 'm');
    EXPECT_GT(lineWidth(tooLong), sentenceLineLimit());
}

} // namespace
