// A program killed in the middle of a save (power cut, kill -9) must leave
// the file it was writing whole: the old content or the new one, never half
// of each. A child process writes a counter again and again and reports each
// write it finished; the test kills it at moments spread over a write and
// then reads the file as the next start would.
#include "HostileFiles.h"

#include "common/core/ExerciseFile.h"
#include "common/core/IniManager.h"
#include "common/core/Settings.h"
#include "common/core/UiTexts.h"
#include "editor/core/DiskEditorFiles.h"
#include "editor/core/EditorTexts.h"

#include "../editor/core/EditorTestSupport.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using hostile::Folder;

struct SaveCase {
    std::string name;
    std::function<std::string()> initial;
    // Writes the counter n into the file; true when the write reports success.
    std::function<bool(const std::string& path, int n)> write;
    // The counter the file holds now, or nothing when the file does not parse.
    std::function<std::optional<int>(const std::string& path)> read;
    // Something else the file holds, which every save must keep.
    std::function<bool(const std::string& path)> keepsTheRest;
};

void PrintTo(const SaveCase& c, std::ostream* os) {
    *os << c.name;
}

std::optional<int> Number(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(text);
}

class NoQuestion : public BookmarkQuestion {
public:
    BookmarkAnswer Ask(const std::string&) override { return BookmarkAnswer::Cancel; }
};

// The child: writes 1, 2, 3... and reports each finished write on the pipe.
[[noreturn]] void WriteForever(const SaveCase& c, const std::string& path, int pipeOut) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (int n = 1; std::chrono::steady_clock::now() < until; ++n) {
        if (!c.write(path, n))
            ::_exit(2);
        if (::write(pipeOut, &n, sizeof n) != static_cast<ssize_t>(sizeof n))
            ::_exit(3);
    }
    ::_exit(0);
}

int LastReported(int pipeIn) {
    int last = 0;
    int n = 0;
    while (::read(pipeIn, &n, sizeof n) == static_cast<ssize_t>(sizeof n))
        last = n;
    return last;
}

class InterruptedSave : public testing::TestWithParam<SaveCase> {};

TEST_P(InterruptedSave, LeavesTheOldOrTheNewFileWhole) {
    const SaveCase& c = GetParam();
    Folder folder;
    const std::string path = folder.File("target");
    hostile::Write(path, c.initial());
    ASSERT_EQ(c.read(path), std::nullopt) << "the counter starts missing";

    uint32_t seed = 2024;
    int killsDuringWrites = 0;
    for (int round = 0; round < 30; ++round) {
        const std::optional<int> before = c.read(path);
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(fds[0]);
            WriteForever(c, path, fds[1]);
        }
        ::close(fds[1]);
        seed = seed * 1664525u + 1013904223u;
        std::this_thread::sleep_for(std::chrono::microseconds(2000 + (seed >> 8) % 40000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << status;
        const int reported = LastReported(fds[0]);
        ::close(fds[0]);

        // The child restarts from 1, so the file holds the last finished
        // write, the one under way when it died, or (when it died before its
        // first write ended) what the round before left.
        const std::optional<int> now = c.read(path);
        if (reported == 0) {
            EXPECT_TRUE(now == before || now == 1) << "round " << round;
        } else {
            ASSERT_TRUE(now.has_value()) << "round " << round << ": the counter is gone";
            EXPECT_TRUE(*now == reported || *now == reported + 1)
                << "round " << round << ": file " << *now << ", reported " << reported;
        }
        if (reported > 0 && *now == reported + 1)
            ++killsDuringWrites;
        ASSERT_TRUE(c.keepsTheRest(path)) << "round " << round;
    }
    // Temporaries left by kills that came before the rename show that the
    // kills did land inside writes.
    int leftovers = -1;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++leftovers;
    RecordProperty("KillsBetweenRenameAndReport", killsDuringWrites);
    RecordProperty("TemporariesLeftByKills", leftovers);
    std::printf("%s: %d kills after a rename, %d inside a write\n", c.name.c_str(),
                killsDuringWrites, leftovers);
    // Each save removes what the killed saves before it left: at most the
    // last one's temporary is there, and the next save takes it away.
    EXPECT_LE(leftovers, 1);
    ASSERT_TRUE(c.write(path, 1));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

// A file of some size, so that a write takes long enough to be interrupted.
const std::string kPadding = "[Padding]\r\n" + hostile::JunkLines(512 * 1024);

INSTANTIATE_TEST_SUITE_P(
    Files, InterruptedSave,
    testing::Values(
        SaveCase{"SettingsFileThroughScrivi",
                 [] { return "[Options]\r\nSong=0\r\nBookmark=LEZIONE3\r\n" + kPadding; },
                 [](const std::string& p, int n) {
                     IniManager ini;
                     ini.nome = p;
                     ini.sezione = "Options";
                     return ini.Scrivi("BackColor", std::to_string(n)) != 0;
                 },
                 [](const std::string& p) -> std::optional<int> {
                     IniManager ini;
                     ini.nome = p;
                     ini.sezione = "Options";
                     return Number(ini.Leggi("BackColor", ""));
                 },
                 [](const std::string& p) {
                     const TutorSettings s = LoadTutorSettings(p);
                     return !s.SoundsOn && s.Bookmark == "LEZIONE3" &&
                            hostile::Read(p).find(kPadding) != std::string::npos;
                 }},
        SaveCase{"SettingsFileAtProgramExit",
                 [] { return "[Options]\r\nBookmark=LEZIONE3\r\n" + kPadding; },
                 [](const std::string& p, int n) {
                     TutorSettings s;
                     s.CurrentLanguage = std::to_string(n);
                     NoQuestion question;
                     return SaveTutorSettings(p, s, true, "", question,
                                              UiTexts::BuiltIn(UiProgram::Tutor));
                 },
                 [](const std::string& p) -> std::optional<int> {
                     IniManager ini;
                     ini.nome = p;
                     ini.sezione = "Language";
                     return Number(ini.Leggi("CurrentLanguage", ""));
                 },
                 [](const std::string& p) {
                     return LoadTutorSettings(p).Bookmark == "LEZIONE3" &&
                            hostile::Read(p).find(kPadding) != std::string::npos;
                 }},
        SaveCase{"ExerciseFileSentence",
                 [] {
                     std::string text;
                     for (std::string_view line : ExerciseFileHeader())
                         text += std::string(line) + "\r\n";
                     text += "[Livello1]\r\n1=la prima frase\xA6\xA6su due righe\r\n";
                     text += "[Livello3]\r\n";
                     for (int n = 1; n <= 15; ++n)
                         text += std::to_string(n) + "=" + std::string(200, 'k') + "\r\n";
                     return text + kPadding;
                 },
                 [](const std::string& p, int n) {
                     return WriteSentence(p, 2, 7, "frase " + std::to_string(n)) != 0;
                 },
                 [](const std::string& p) -> std::optional<int> {
                     const std::string value = ReadSentence(p, 2, 7);
                     if (value.rfind("frase ", 0) != 0)
                         return std::nullopt;
                     return Number(value.substr(6));
                 },
                 [](const std::string& p) {
                     return ReadSentence(p, 1, 1) == "la prima frase\xA6\xA6su due righe" &&
                            CountSentences(p, 15)[2] == 15 &&
                            hostile::Read(p).find(kPadding) != std::string::npos;
                 }}),
    hostile::CaseName());

// A process id that no process has now: a child that has ended.
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

struct LeftoverCase {
    std::string name;
    std::function<std::string(const std::string& folder)> make; // returns the file's name
    bool removed;
};

void PrintTo(const LeftoverCase& c, std::ostream* os) {
    *os << c.name;
}

class LeftoverTemporary : public testing::TestWithParam<LeftoverCase> {};

// The next save of the same file removes what a killed save left, and
// nothing else: not another file's, not one of a process still running.
TEST_P(LeftoverTemporary, TheNextSaveRemovesOnlyAKilledSavesFile) {
    const LeftoverCase& c = GetParam();
    Folder folder;
    const std::string path = folder.File("Zentavo.ini");
    hostile::Write(path, "[Options]\r\nSong=0\r\n");
    const std::string leftover = folder.File(c.make(folder.Path()));
    hostile::Write(leftover, std::string(4096, 'x'));
    IniManager ini;
    ini.nome = path;
    ini.sezione = "Options";
    ASSERT_NE(ini.Scrivi("BackColor", "3"), 0);
    EXPECT_EQ(std::filesystem::exists(leftover), !c.removed);
    EXPECT_EQ(ini.Leggi("Song", ""), "0");
}

INSTANTIATE_TEST_SUITE_P(
    Names, LeftoverTemporary,
    testing::Values(
        LeftoverCase{"OfAKilledSave",
                     [](const std::string&) {
                         return ".Zentavo.ini.tmp" + std::to_string(EndedProcess()) + "-0-123";
                     },
                     true},
        LeftoverCase{"OfASaveStillRunning",
                     [](const std::string&) {
                         return ".Zentavo.ini.tmp" + std::to_string(::getppid()) + "-4-56";
                     },
                     false},
        LeftoverCase{"OfAnotherFile",
                     [](const std::string&) {
                         return ".Esercizio.ftd.tmp" + std::to_string(EndedProcess()) + "-0-1";
                     },
                     false},
        LeftoverCase{"ThatOnlyLooksLikeOne",
                     [](const std::string&) {
                         return ".Zentavo.ini.tmp" + std::to_string(EndedProcess()) + "-x";
                     },
                     false},
        LeftoverCase{"OfAFileWhoseNameGoesOn",
                     [](const std::string&) {
                         return ".Zentavo.ini.tmp2.tmp" + std::to_string(EndedProcess()) + "-0-1";
                     },
                     false}),
    hostile::CaseName());

// New over an existing exercise file on a disk that takes the new file only
// in part (as a full disk would): the old file must stay as it was, not be
// gone before the new one is complete.
TEST(NewOverAnExistingFile, AFailedWriteLeavesTheOldFileWhole) {
    Folder folder;
    const std::string path = folder.File("vecchio.ftd");
    ASSERT_TRUE(CreateExerciseFile(path, "3.0.0"));
    ASSERT_NE(WriteSentence(path, 2, 4, "una frase da non perdere"), 0);
    const std::string before = hostile::Read(path);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        constexpr rlim_t kBytesTheDiskTakes = 64;
        const struct rlimit limit { kBytesTheDiskTakes, kBytesTheDiskTakes };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);
        DiskEditorFiles files;
        FakeMeasure measure;
        RecordingObserver observer;
        SentenceEditor editor(files, measure, observer,
                              EditorMessageTexts(UiTexts::BuiltIn(UiProgram::Editor)));
        const bool created = editor.CreateNewFile(path);
        ::_exit(!created && observer.messages.size() == 1 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the failure is reported, once: " << status;
    EXPECT_EQ(hostile::Read(path), before);
    EXPECT_EQ(ReadSentence(path, 2, 4), "una frase da non perdere");
}

} // namespace
