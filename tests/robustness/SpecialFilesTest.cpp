// Where a reader expects a file there may be something else: a named pipe
// nobody writes into (whose open waits for ever), a device that never ends,
// a socket, a folder, or a regular file far larger than any real one. Every
// reader must take it as an unreadable file at once: the settings read as
// defaults, the texts are the built-in ones, the tutor falls back on its
// built-in sentences and the editor refuses the file with a message. A
// reader that would wait is stopped by an alarm, so the test fails instead
// of hanging.
#include "HostileFiles.h"

#include "../editor/core/EditorTestSupport.h"
#include "common/core/AtomicFile.h"
#include "common/core/ExerciseFile.h"
#include "common/core/IniManager.h"
#include "common/core/LanguageFiles.h"
#include "common/core/RegularFile.h"
#include "common/core/Settings.h"
#include "common/core/UiTexts.h"
#include "editor/core/DiskEditorFiles.h"
#include "editor/core/EditorTexts.h"
#include "tutor/core/ExerciseCatalogue.h"

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using hostile::Folder;

// Far more than any reader here needs, even under the sanitizers.
constexpr unsigned kAlarmSeconds = 20;

const std::string kSentences = "[Livello1]\r\n1=prima frase\r\n2=seconda frase\r\n";

struct SpecialCase {
    std::string name;
    std::function<void(const std::string& path)> make;
};

void PrintTo(const SpecialCase& c, std::ostream* os) {
    *os << c.name;
}

void MakeSocket(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    path.copy(address.sun_path, path.size());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd); // the socket file stays
}

// Entries a reader would find at its start, then zeros up to one byte more
// than any file a reader accepts (a sparse file: it takes no disk space).
void MakeOversized(const std::string& path) {
    hostile::Write(path, "[Language]\r\nCurrentLanguage=English\r\n[Options]\r\nSong=0\r\n"
                         "[Strings]\r\n0027=Beginner\r\n" +
                             kSentences);
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kMaxReadableFileSize + 1)), 0);
}

class SpecialFile : public ::testing::TestWithParam<SpecialCase> {
protected:
    void SetUp() override { ::alarm(kAlarmSeconds); }
    void TearDown() override { ::alarm(0); }

    // Creates the special file at folder/relative (its folder made first).
    std::string Make(const std::string& relative) {
        const std::string path = m_folder.File(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        GetParam().make(path);
        return path;
    }

    Folder m_folder;
};

TEST_P(SpecialFile, TheSettingsReadAsDefaultsAndAreNotSavedOverIt) {
    const std::string ini = Make("Zentavo.ini");
    const TutorSettings settings = LoadTutorSettings(ini, "1033");
    EXPECT_TRUE(settings.SoundsOn);
    EXPECT_EQ(settings.CurrentLanguage, "English");
    EXPECT_EQ(LoadEditorLanguage(ini, ""), "Italian");
    class Cancel : public BookmarkQuestion {
        BookmarkAnswer Ask(const std::string&) override { return BookmarkAnswer::Cancel; }
    } question;
    EXPECT_FALSE(
        SaveTutorSettings(ini, settings, false, "", question, UiTexts::BuiltIn(UiProgram::Tutor)));
    EXPECT_FALSE(SaveEditorLanguage(ini, "German"));
    EXPECT_FALSE(CanReadRegularFile(ini));
}

TEST_P(SpecialFile, ALanguageFileGivesTheBuiltInTexts) {
    Make("Lang/English.lng");
    EXPECT_FALSE(LanguageFileExists(m_folder.Path(), "English"));
    EXPECT_EQ(GetLangString(m_folder.Path(), "English", "0027"), "");
    EXPECT_EQ(ReadLanguageAuthor(m_folder.Path(), "English").name, "");
}

class EvenMeasure : public TextMeasure {
public:
    int Width(const std::string& text, const FontSpec&) const override {
        return static_cast<int>(text.size());
    }
};

TEST_P(SpecialFile, TheTutorFallsBackOnItsBuiltInSentences) {
    Make("Esercizi/speciale.ftd");
    const EvenMeasure measure;
    const UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
    ExerciseCatalogue fromList({m_folder.Path()}, texts, measure, {{}, 1000}, "");
    fromList.SelectExerciseFile("speciale.ftd");
    EXPECT_EQ(fromList.ExerciseFile(), "");
    EXPECT_EQ(fromList.ReadLevelSentence(1, 1, 1), "");

    ExerciseCatalogue fromCommandLine({m_folder.Path()}, texts, measure, {{}, 1000}, "");
    fromCommandLine.SelectFromCommandLine(m_folder.File("Esercizi/speciale.ftd"));
    EXPECT_FALSE(fromCommandLine.HasCommandLine());
    EXPECT_EQ(fromCommandLine.ExerciseFile(), "");
}

// The pupil chose a good file; between two sentences it is replaced.
TEST_P(SpecialFile, AnExerciseSwappedBetweenTwoSentencesGivesNoSentence) {
    hostile::Write(m_folder.File("Esercizi/scambio.ftd"), kSentences);
    const EvenMeasure measure;
    ExerciseCatalogue catalogue({m_folder.Path()}, UiTexts::BuiltIn(UiProgram::Tutor), measure,
                                {{}, 1000}, "");
    catalogue.SelectExerciseFile("scambio.ftd");
    ASSERT_EQ(catalogue.ReadLevelSentence(1, 1, 1), "prima frase");
    std::filesystem::remove(m_folder.File("Esercizi/scambio.ftd"));
    Make("Esercizi/scambio.ftd");
    EXPECT_EQ(catalogue.ReadLevelSentence(1, 2, 2), "");
    EXPECT_EQ(catalogue.ReadExerciseSentence(1, 2), "");
}

TEST_P(SpecialFile, TheEditorRefusesToOpenIt) {
    const std::string path = Make("Esercizi/speciale.ftd");
    DiskEditorFiles files;
    EXPECT_FALSE(files.Exists(path));
    EXPECT_EQ(files.CountSentences(path, 15), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(files.ReadSentence(path, 1, 1).value, "");
    EXPECT_EQ(ReadSentence(path, 1, 1), "");

    FakeMeasure measure;
    RecordingObserver observer;
    SentenceEditor editor(files, measure, observer,
                          EditorMessageTexts(UiTexts::BuiltIn(UiProgram::Editor)));
    EXPECT_FALSE(editor.OpenFile(path));
    EXPECT_EQ(editor.State().currentFile, "");
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_NE(observer.messages[0].text.find("impossibile leggere il file."), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SpecialFile,
    ::testing::Values(
        SpecialCase{"NamedPipe",
                    [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
        SpecialCase{"LinkToDevZero",
                    [](const std::string& p) { ASSERT_EQ(::symlink("/dev/zero", p.c_str()), 0); }},
        SpecialCase{"LinkToATerminal",
                    [](const std::string& p) { ASSERT_EQ(::symlink("/dev/tty", p.c_str()), 0); }},
        SpecialCase{"Socket", MakeSocket},
        SpecialCase{"Folder", [](const std::string& p) { std::filesystem::create_directories(p); }},
        SpecialCase{"LargerThanAnyRealFile", MakeOversized}),
    hostile::CaseName());

// A file just under the bound is still read, whole.
TEST(SizeBound, AFileAtTheBoundIsRead) {
    Folder folder;
    const std::string path = folder.File("grande.ftd");
    hostile::Write(path, kSentences);
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kMaxReadableFileSize)), 0);
    EXPECT_TRUE(CanReadRegularFile(path));
    EXPECT_EQ(ReadSentence(path, 1, 2), "seconda frase");
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kMaxReadableFileSize + 1)), 0);
    EXPECT_FALSE(ReadWholeFile(path).has_value());
}

} // namespace
