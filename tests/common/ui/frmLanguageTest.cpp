#include "common/ui/frmLanguage.h"
#include "common/core/LanguageFiles.h"
#include "common/ui/Messages.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class AnsweringMessages : public MessagePort {
public:
    bool answer = true;
    std::vector<std::pair<QString, QString>> questions;
    std::vector<std::tuple<QMessageBox::Icon, QString, QString>> shown;
    void Show(QMessageBox::Icon icon, const QString& title, const QString& text) override {
        shown.emplace_back(icon, title, text);
    }
    bool AskYesNo(const QString& title, const QString& text) override {
        questions.emplace_back(title, text);
        return answer;
    }
};

class frmLanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 (std::string("zentavo-frmlanguage-") +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        programFolder = folder.string() + "/";
    }
    void TearDown() override { fs::remove_all(folder); }
    void language(const std::string& name) {
        fs::create_directories(folder / "Lang");
        std::ofstream(folder / "Lang" / (name + ".lng"), std::ios::binary)
            << "[Strings]\r\nInfoAuthor=Jane\r\n";
    }
    // Picks an entry as a user would: the list's activation signal.
    static void pick(QComboBox* list, int index) {
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    fs::path folder;
    std::string programFolder;
    AnsweringMessages messages;
};

TEST_F(frmLanguageTest, ShowsTheBuiltInTextsAndTheDefaultEntryWithoutFiles) {
    frmLanguage window(programFolder, "Italian", UiTexts::BuiltIn(UiProgram::Editor), messages);
    EXPECT_EQ(window.windowTitle(), "Scelta lingua");
    EXPECT_EQ(window.findChild<QLabel*>("lblMess")->text(), "Seleziona la lingua da usare");
    auto* close = window.findChild<QPushButton*>("cmdChiudi");
    EXPECT_EQ(close->text(), "&Chiudi");
    EXPECT_EQ(close->toolTip(), "Chiude la finestra e salva le modifiche");
    EXPECT_EQ(close->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(window.findChild<QPushButton*>("cmdInfoAuthor")->toolTip(),
              "Informazioni sulla traduzione");
    auto* list = window.findChild<QComboBox*>("cboFileLanguage");
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(list->placeholderText(), "Italian [Default]");
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_TRUE(messages.questions.empty()) << "nothing changed, nothing to confirm";
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_FALSE(window.Chooser().Changed());
}

struct CloseCase {
    const char* name;
    bool answer;
    bool changed;
};

class frmLanguageCloseTest : public frmLanguageTest,
                             public ::testing::WithParamInterface<CloseCase> {};

TEST_P(frmLanguageCloseTest, ClosingAfterAChoiceAsksForConfirmation) {
    language("English");
    language("German");
    messages.answer = GetParam().answer;
    frmLanguage window(programFolder, "german", UiTexts::BuiltIn(UiProgram::Editor), messages);
    auto* list = window.findChild<QComboBox*>("cboFileLanguage");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentText(), "German");
    pick(list, 0);
    QTest::mouseClick(window.findChild<QPushButton*>("cmdChiudi"), Qt::LeftButton);
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_EQ(messages.questions[0].first, "Editor Zentavo");
    EXPECT_EQ(messages.questions[0].second,
              "Confermi l'impostazione della lingua selezionata? ( English )");
    EXPECT_EQ(window.Chooser().Changed(), GetParam().changed);
    EXPECT_EQ(window.Chooser().Current(), GetParam().changed ? "English" : "german");
    EXPECT_FALSE(window.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Answers, frmLanguageCloseTest,
                         ::testing::Values(CloseCase{"yes", true, true},
                                           CloseCase{"no", false, false}),
                         [](const ::testing::TestParamInfo<CloseCase>& param) {
                             return std::string(param.param.name);
                         });

TEST_F(frmLanguageTest, TheInfoButtonNamesTheTranslatorInTheProgramsTitle) {
    language("English");
    frmLanguage window(
        programFolder, "English",
        UiTexts::FromFile(UiProgram::Tutor, LanguageFilePath(programFolder, "English")), messages);
    QTest::mouseClick(window.findChild<QPushButton*>("cmdInfoAuthor"), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(std::get<0>(messages.shown[0]), QMessageBox::Information);
    EXPECT_EQ(std::get<1>(messages.shown[0]), "Zentavo");
    EXPECT_EQ(std::get<2>(messages.shown[0]), " English\r\n\r\n Jane")
        << "the file has no texts of its own, so only the names remain";
}

} // namespace
