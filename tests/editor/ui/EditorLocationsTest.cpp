// The editor in both layouts of the program folder: where its new-file
// dialog starts, where it keeps its language, and the exercise file named
// on its command line.
#include "common/core/ProgramLocations.h"
#include "common/ui/HelpViewer.h"
#include "common/ui/Messages.h"
#include "common/ui/QtTextMeasure.h"
#include "editor/core/DiskEditorFiles.h"
#include "editor/core/OpenSave.h"
#include "editor/ui/EditorDialogs.h"
#include "editor/ui/frmCreaFrasi.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

class CountingMessages : public MessagePort {
public:
    std::vector<QMessageBox::Icon> icons;
    void Show(QMessageBox::Icon icon, const QString&, const QString&) override {
        icons.push_back(icon);
    }
    bool AskYesNo(const QString&, const QString&) override { return true; }
};

class RecordingFileDialogs : public FileDialogPort {
public:
    std::vector<FileDialogRequest> requests;
    std::string Run(const FileDialogRequest& request) override {
        requests.push_back(request);
        return {};
    }
};

class NoHelp : public HelpPort {
public:
    bool ShowHelpTopic(int) override { return false; }
};

class ChoosingDialogs : public EditorDialogs {
public:
    std::optional<std::string> ChooseLanguage(QWidget*, const std::string&, bool) override {
        return std::string("English");
    }
    void ShowAbout(QWidget*, const std::string&, bool) override {}
    void ShowClass(QWidget*, const std::string&, const std::string&, bool) override {}
};

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct ByName {
    template <typename T> std::string operator()(const ::testing::TestParamInfo<T>& p) const {
        return p.param.name;
    }
};

struct LayoutCase {
    const char* name;
    bool programFolderWritable;
    const char* newFileFolder;   // under the test's root
    const char* settingsFile;    // where the language is written
    const char* untouchedFolder; // gets no Zentavo.ini
};

// A program folder and a home folder under a scratch root, and the editor
// window over them.
class EditorHost {
protected:
    void prepare(bool programFolderWritable) {
        char pattern[] = "/tmp/zentavo-editor-places-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root = pattern;
        fs::create_directories(root / "program/Lang");
        fs::copy_file(fs::path(ZENTAVO_SOURCE_DIR) / "data/Lang/English.lng",
                      root / "program/Lang/English.lng");
        const LocationInputs inputs{(root / "program").string() + "/", programFolderWritable,
                                    (root / "home").string(), "", ""};
        locations = DecideProgramLocations(inputs);
        ASSERT_TRUE(CreateUserFolders(locations));
    }
    void cleanUp() {
        window.reset();
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    void open() {
        window = std::make_unique<frmCreaFrasi>(
            locations, "",
            frmCreaFrasi::Ports{files, measure, messages, fileDialogs, help, dialogs});
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void click(const char* name) {
        auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    fs::path root;
    ProgramLocations locations;
    DiskEditorFiles files;
    QtTextMeasure measure;
    CountingMessages messages;
    RecordingFileDialogs fileDialogs;
    NoHelp help;
    ChoosingDialogs dialogs;
    std::unique_ptr<frmCreaFrasi> window;
};

class EditorLayout : public EditorHost, public ::testing::TestWithParam<LayoutCase> {
protected:
    void SetUp() override { prepare(GetParam().programFolderWritable); }
    void TearDown() override { cleanUp(); }
};

TEST_P(EditorLayout, NewFileDialogStartsInTheWritableExercisesFolder) {
    open();
    click("cmdNew");
    ASSERT_EQ(fileDialogs.requests.size(), 1u);
    EXPECT_EQ(fileDialogs.requests[0].initialFolder, (root / GetParam().newFileFolder).string());
    EXPECT_TRUE(fs::is_directory(fileDialogs.requests[0].initialFolder));
}

TEST_P(EditorLayout, LanguageIsKeptInTheSettingsFileOfTheLayout) {
    open();
    click("cmdLanguage");
    EXPECT_NE(Contents(root / GetParam().settingsFile)
                  .find("[EditorLanguage]\r\nCurrentLanguage=English\r\n"),
              std::string::npos);
    if (*GetParam().untouchedFolder != '\0') {
        EXPECT_FALSE(fs::exists(root / GetParam().untouchedFolder / "Zentavo.ini"));
    }
    // The next start reads it back.
    window.reset();
    open();
    EXPECT_EQ(window->Language(), "English");
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, EditorLayout,
    ::testing::Values(LayoutCase{"Portable", true, "program", "program/Zentavo.ini", ""},
                      LayoutCase{"Installed", false, "home/.local/share/Zentavo/Esercizi",
                                 "home/.config/Zentavo/Zentavo.ini", "program"}),
    ByName());

struct CommandLineCase {
    const char* name;
    bool fileExists;
};

class EditorCommandLine : public EditorHost, public ::testing::TestWithParam<CommandLineCase> {
protected:
    void SetUp() override { prepare(false); }
    void TearDown() override { cleanUp(); }
};

TEST_P(EditorCommandLine, OpensTheNamedFileOrSaysItCannot) {
    const fs::path exercise = root / "home/lettere.ftd";
    if (GetParam().fileExists)
        std::ofstream(exercise, std::ios::binary) << "[Livello1]\r\n1=la casa\r\n";
    open();
    window->OpenExerciseFile(exercise.string());
    const bool opened = GetParam().fileExists;
    EXPECT_EQ(window->Editor().State().currentFile, opened ? exercise.string() : "");
    EXPECT_EQ(window->Editor().State().editing, opened);
    EXPECT_EQ(messages.icons.size(), opened ? 0u : 1u);
    if (opened) {
        EXPECT_EQ(window->Editor().State().levelCounts[0], 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, EditorCommandLine,
                         ::testing::Values(CommandLineCase{"ExistingFile", true},
                                           CommandLineCase{"MissingFile", false}),
                         ByName());

} // namespace
