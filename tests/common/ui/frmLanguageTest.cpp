#include "common/ui/frmLanguage.h"
#include "common/core/LanguageFiles.h"
#include "common/ui/Messages.h"
#include "common/ui/QtTranslations.h"

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
    // The default is an ordinary, selected entry, not grey placeholder text.
    auto* list = window.findChild<QComboBox*>("cboFileLanguage");
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_EQ(list->currentText(), "Italian [Default]");
    EXPECT_TRUE(list->placeholderText().isEmpty());
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
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentText(), "German");
    pick(list, 1);
    QTest::mouseClick(window.findChild<QPushButton*>("cmdChiudi"), Qt::LeftButton);
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_EQ(messages.questions[0].first, "Editor Zentavo");
    EXPECT_EQ(messages.questions[0].second,
              "Confermi l'impostazione della lingua selezionata? ( English )");
    EXPECT_EQ(window.Chooser().Changed(), GetParam().changed);
    EXPECT_EQ(window.Chooser().Current(), GetParam().changed ? "English" : "german");
    EXPECT_FALSE(window.isVisible());
}

// Back to Italian from a language file through the default entry; the
// shipped folder holds no file that repeats the built-in Italian.
TEST_F(frmLanguageTest, TheDefaultEntryLeadsBackToTheBuiltInItalian) {
    language("English");
    messages.answer = true;
    frmLanguage window(programFolder, "English", UiTexts::BuiltIn(UiProgram::Editor), messages);
    auto* list = window.findChild<QComboBox*>("cboFileLanguage");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), "Italian [Default]");
    EXPECT_EQ(list->currentText(), "English");
    pick(list, 0);
    QTest::mouseClick(window.findChild<QPushButton*>("cmdChiudi"), Qt::LeftButton);
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_TRUE(window.Chooser().Changed());
    EXPECT_EQ(window.Chooser().Current(), "Italian");
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

// Qt's own buttons speak the language of the program's texts, not the
// system's: Italian with the built-in texts, the language of a file else.
TEST(QtTranslationsTest, QtsButtonsFollowTheLanguageOfTheTexts) {
    struct Case {
        const char* name;
        bool builtIn;
        std::string language;
        QString yes;
    };
    const std::vector<Case> cases = {{"builtInOnAnEnglishSystem", true, "English", "&S\u00EC"},
                                     {"German", false, "German", "&Ja"},
                                     {"French", false, "french", "&Oui"},
                                     {"English", false, "English", "&Yes"},
                                     {"backToItalian", true, "Italian", "&S\u00EC"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const UiTexts texts = c.builtIn ? UiTexts::BuiltIn(UiProgram::Tutor)
                                        : UiTexts::FromFile(UiProgram::Tutor, "/nonexistent.lng");
        FollowLanguageInQt(texts, c.language);
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), c.yes);
    }
    FollowLanguageInQt(UiTexts::BuiltIn(UiProgram::Tutor), "English");
}

TEST(QtTranslationsTest, LocaleOfALanguage) {
    EXPECT_EQ(LanguageLocaleName("English", true), "it");
    EXPECT_EQ(LanguageLocaleName("ENGLISH", false), "en");
    EXPECT_EQ(LanguageLocaleName("Spanish", false), "es");
    EXPECT_EQ(LanguageLocaleName("Italian", false), "it");
    EXPECT_EQ(LanguageLocaleName("Klingon", false), "");
}

} // namespace
