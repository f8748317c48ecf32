#include "tutor/ui/frmAbout.h"

#include "common/core/UiTexts.h"
#include "common/ui/HelpViewer.h"
#include "common/ui/Messages.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QUrlQuery>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

class RecordingHelp : public HelpPort {
public:
    explicit RecordingHelp(bool found) : m_found(found) {}
    bool ShowHelpTopic(int topic) override {
        topics.push_back(topic);
        return m_found;
    }
    std::vector<int> topics;

private:
    bool m_found;
};

class RecordingMessages : public MessagePort {
public:
    void Show(QMessageBox::Icon icon, const QString& title, const QString& text) override {
        shown.push_back({icon, title, text});
    }
    bool AskYesNo(const QString&, const QString&) override { return false; }
    struct Shown {
        QMessageBox::Icon icon;
        QString title;
        QString text;
    };
    std::vector<Shown> shown;
};

struct AboutFixture {
    explicit AboutFixture(bool helpFound = true) : help(helpFound) {
        host.help = &help;
        host.messages = &messages;
        host.playSound = [this](int sound) { sounds.push_back(sound); };
        host.printKeyboard = [this] { ++prints; };
    }

    std::unique_ptr<frmAbout> Make() {
        auto box = std::make_unique<frmAbout>(texts, host);
        box->SetUrlOpener([this](const QUrl& url) { opened.push_back(url); });
        return box;
    }

    UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
    RecordingHelp help;
    RecordingMessages messages;
    frmAbout::Host host;
    std::vector<int> sounds;
    std::vector<QUrl> opened;
    int prints = 0;
};

QString LabelText(const QWidget& box, const char* name) {
    const auto* label = box.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing>");
}

TEST(TutorAboutBoxTest, ShowsVersionCaptionAndItsTexts) {
    AboutFixture f;
    auto box = f.Make();
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Informazioni su..."));
    EXPECT_EQ(box->objectName(), QStringLiteral("frmAbout"));
    EXPECT_EQ(LabelText(*box, "lblVersione"), QStringLiteral("Versione 5.1.0"));
    EXPECT_EQ(LabelText(*box, "lblFreewareMsg"),
              QStringLiteral("Programma freeware di libero utilizzo e distribuzione"));
    EXPECT_TRUE(
        LabelText(*box, "lblPrintKey").contains(QStringLiteral("Stampa la tastiera di Zentavo!")));
    EXPECT_TRUE(LabelText(*box, "lblDescrizione").contains(QStringLiteral("italiano")));
    const auto* close = box->findChild<QPushButton*>(QStringLiteral("cmdChiudi"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), QStringLiteral("&Chiudi"));
    EXPECT_EQ(close->toolTip(), QStringLiteral("Chiude la finestra"));
    const auto* help = box->findChild<QPushButton*>(QStringLiteral("cmdHelp"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->toolTip(), QStringLiteral("Guida in linea"));
}

TEST(TutorAboutBoxTest, TitleIsARowOfSingleLetterLabelsEvenlySpaced) {
    AboutFixture f;
    auto box = f.Make();
    const QString word = QStringLiteral("ZENTAVO");
    std::vector<QLabel*> letters;
    for (int i = 0; i < word.size(); ++i) {
        auto* letter = box->findChild<QLabel*>(QStringLiteral("lblLettera%1").arg(i));
        ASSERT_NE(letter, nullptr) << i;
        EXPECT_EQ(letter->text(), word.mid(i, 1));
        letters.push_back(letter);
    }
    const int step = letters[1]->x() - letters[0]->x();
    EXPECT_GT(step, letters[0]->width());
    for (std::size_t i = 1; i < letters.size(); ++i) {
        EXPECT_EQ(letters[i]->x() - letters[i - 1]->x(), step) << i;
        EXPECT_EQ(letters[i]->y(), letters[0]->y());
    }
}

TEST(TutorAboutBoxTest, OpeningPlaysSound105Once) {
    AboutFixture f;
    auto box = f.Make();
    box->show();
    box->hide();
    box->show();
    EXPECT_EQ(f.sounds, std::vector<int>{105});
}

struct LinkCase {
    const char* label;
    QString expectedAddress; // the link without its query
    QString expectedSubject; // the subject of a mail link
};

class TutorAboutLinkTest : public ::testing::TestWithParam<LinkCase> {};

TEST_P(TutorAboutLinkTest, LinkOpensItsAddressThenClosesTheBox) {
    AboutFixture f;
    auto box = f.Make();
    box->show();
    auto* link = box->findChild<QLabel*>(QString::fromLatin1(GetParam().label));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    emit link->linkActivated(QStringLiteral("link"));
    ASSERT_EQ(f.opened.size(), 1u);
    EXPECT_EQ(f.opened[0].toString(QUrl::RemoveQuery), GetParam().expectedAddress);
    EXPECT_EQ(QUrlQuery(f.opened[0]).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
              GetParam().expectedSubject);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(box->result(), QDialog::Accepted);
    EXPECT_EQ(f.prints, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Links, TutorAboutLinkTest,
    ::testing::Values(
        LinkCase{"lblWebSite", QStringLiteral("https://zentavo.example.org/"), QString()},
        LinkCase{"lblPersonalPage", QStringLiteral("https://www.example.org/~zentavo/"), QString()},
        LinkCase{"lblMail", QStringLiteral("mailto:zentavo@example.org"),
                 QStringLiteral("Zentavo (IT) - Versione 5.1.0")}),
    [](const ::testing::TestParamInfo<LinkCase>& p) { return std::string(p.param.label); });

TEST(TutorAboutBoxTest, HelpButtonOpensTheContentsAndClosesTheBox) {
    AboutFixture f;
    auto box = f.Make();
    box->show();
    box->findChild<QPushButton*>(QStringLiteral("cmdHelp"))->click();
    EXPECT_EQ(f.help.topics, std::vector<int>{0});
    EXPECT_TRUE(f.messages.shown.empty());
    EXPECT_FALSE(box->isVisible());
}

TEST(TutorAboutBoxTest, MissingHelpIsToldWithTheProgramsTitle) {
    AboutFixture f(false);
    auto box = f.Make();
    box->show();
    box->findChild<QPushButton*>(QStringLiteral("cmdHelp"))->click();
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].icon, QMessageBox::Information);
    EXPECT_EQ(f.messages.shown[0].title, QStringLiteral("Zentavo"));
    EXPECT_EQ(f.messages.shown[0].text,
              QStringLiteral("Impossibile trovare il file della guida help/1000.html"));
    EXPECT_FALSE(box->isVisible());
}

// Clicks the print link or picture while the box runs modally.
void ClickPrintWhileModal(bool picture) {
    QTimer::singleShot(0, [picture] {
        auto* box = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (picture) {
            auto* image = box->findChild<QLabel*>(QStringLiteral("imgPrintKey"));
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5),
                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(image, &press);
            QApplication::sendEvent(image, &release);
        } else {
            emit box->findChild<QLabel*>(QStringLiteral("lblPrintKey"))
                ->linkActivated(QStringLiteral("link"));
        }
    });
}

TEST(TutorAboutBoxTest, PrintLinkClosesTheBoxAndThenPrints) {
    for (bool picture : {false, true}) {
        AboutFixture f;
        int printsWhileOpen = -1;
        f.host.printKeyboard = [&f, &printsWhileOpen] {
            printsWhileOpen = QApplication::activeModalWidget() != nullptr ? 1 : 0;
            ++f.prints;
        };
        ClickPrintWhileModal(picture);
        frmAbout::ShowModal(f.texts, f.host, nullptr);
        EXPECT_EQ(f.prints, 1) << picture;
        EXPECT_EQ(printsWhileOpen, 0) << "the box is gone before printing starts";
    }
}

TEST(TutorAboutBoxTest, ClosingWithoutPrintLinkPrintsNothing) {
    AboutFixture f;
    QTimer::singleShot(0, [] {
        QApplication::activeModalWidget()
            ->findChild<QPushButton*>(QStringLiteral("cmdChiudi"))
            ->click();
    });
    frmAbout::ShowModal(f.texts, f.host, nullptr);
    EXPECT_EQ(f.prints, 0);
    EXPECT_EQ(f.sounds, std::vector<int>{105});
}

TEST(TutorAboutBoxTest, TranslatedTextsReachTheirControls) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "zentavo-about-box-test.lng";
    std::ofstream(path, std::ios::binary)
        << "[Strings]\r\n0066=Closes the window\r\n0067=Online help\r\n0069=Print the keyboard!\r\n"
           "0070=Free to use and share\r\n0074=Web site\r\n0075=&Close\r\n";
    AboutFixture f;
    f.texts = UiTexts::FromFile(UiProgram::Tutor, path.string());
    std::filesystem::remove(path);
    auto box = f.Make();
    EXPECT_EQ(box->findChild<QPushButton*>(QStringLiteral("cmdChiudi"))->text(),
              QStringLiteral("&Close"));
    EXPECT_EQ(box->findChild<QPushButton*>(QStringLiteral("cmdHelp"))->toolTip(),
              QStringLiteral("Online help"));
    EXPECT_TRUE(LabelText(*box, "lblPrintKey").contains(QStringLiteral("Print the keyboard!")));
    EXPECT_TRUE(LabelText(*box, "lblWebSite").contains(QStringLiteral("Web site")));
    EXPECT_EQ(LabelText(*box, "lblFreewareMsg"), QStringLiteral("Free to use and share"));
    EXPECT_EQ(LabelText(*box, "lblVersione"), QStringLiteral("Versione 5.1.0"));
}

} // namespace
