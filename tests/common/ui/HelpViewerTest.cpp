#include "common/ui/HelpViewer.h"
#include "common/ui/Messages.h"

#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

void writePage(const QString& path, const QString& title, const QString& body) {
    QFile page(path);
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>")
                   .arg(title, body)
                   .toUtf8());
}

class HelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + QLatin1Char('/');
        QDir(dir.path()).mkdir(QStringLiteral("help"));
    }
    void TearDown() override { HelpViewer::CloseShared(); }

    QTemporaryDir dir;
    QString folder;
};

TEST_F(HelpViewerTest, TopicsArePagesOfTheHelpFolder) {
    const std::vector<std::pair<int, QString>> cases = {{0, QStringLiteral("help/index.html")},
                                                        {1000, QStringLiteral("help/1000.html")},
                                                        {1001, QStringLiteral("help/1001.html")},
                                                        {7, QStringLiteral("help/7.html")}};
    for (const auto& [topic, page] : cases)
        EXPECT_EQ(HelpViewer::PagePath(QStringLiteral("/opt/zentavo/"), topic),
                  QStringLiteral("/opt/zentavo/") + page);
}

TEST_F(HelpViewerTest, AMissingPageOpensNothing) {
    EXPECT_FALSE(HelpViewer::PageExists(folder, 1000));
    EXPECT_FALSE(HelpViewer::ShowTopic(folder, 1000));
    EXPECT_EQ(HelpViewer::Shared(), nullptr);
    HelpViewerPort port(folder);
    EXPECT_FALSE(port.ShowHelpTopic(1000));
}

TEST_F(HelpViewerTest, ShowsThePageAndWalksBackAndForward) {
    writePage(folder + QStringLiteral("help/1000.html"), QStringLiteral("Editor"),
              QStringLiteral("<a href=\"index.html\">Sommario</a>"));
    writePage(folder + QStringLiteral("help/index.html"), QStringLiteral("Guida di Zentavo"),
              QStringLiteral("contents"));
    HelpViewerPort port(folder);
    ASSERT_TRUE(port.ShowHelpTopic(1000));
    HelpViewer* viewer = HelpViewer::Shared();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Editor"));
    EXPECT_TRUE(viewer->Browser()->source().toLocalFile().endsWith(QStringLiteral("1000.html")));

    auto* back = viewer->findChild<QToolButton*>(QStringLiteral("cmdBack"));
    auto* forward = viewer->findChild<QToolButton*>(QStringLiteral("cmdForward"));
    auto* home = viewer->findChild<QToolButton*>(QStringLiteral("cmdHome"));
    ASSERT_TRUE(back && forward && home);
    EXPECT_FALSE(back->isEnabled());
    QTest::mouseClick(home, Qt::LeftButton);
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Guida di Zentavo"));
    EXPECT_TRUE(back->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Editor"));
    EXPECT_TRUE(forward->isEnabled());
    QTest::mouseClick(forward, Qt::LeftButton);
    EXPECT_TRUE(viewer->Browser()->source().toLocalFile().endsWith(QStringLiteral("index.html")));

    // A second request reuses the one window.
    ASSERT_TRUE(HelpViewer::ShowTopic(folder, 1000));
    EXPECT_EQ(HelpViewer::Shared(), viewer);
    EXPECT_FALSE(viewer->testAttribute(Qt::WA_QuitOnClose));
}

TEST_F(HelpViewerTest, EscapeAndCtrlWCloseTheWindow) {
    writePage(folder + QStringLiteral("help/1000.html"), QStringLiteral("Editor"),
              QStringLiteral("testo"));
    const std::vector<QKeyCombination> keys = {QKeyCombination(Qt::Key_Escape),
                                               QKeyCombination(Qt::ControlModifier, Qt::Key_W)};
    for (const QKeyCombination key : keys) {
        SCOPED_TRACE(QKeySequence(key).toString().toStdString());
        ASSERT_TRUE(HelpViewer::ShowTopic(folder, 1000));
        QPointer<HelpViewer> viewer = HelpViewer::Shared();
        ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
        viewer->Browser()->setFocus();
        QTest::keyClick(viewer->Browser(), key.key(), key.keyboardModifiers());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(viewer.isNull() || !viewer->isVisible());
    }
}

// A long message keeps its own lines: the box is as wide as the longest
// line, so no line is broken again by the box (the bookmark question, the
// screen-size message), and the box stays on the screen.
TEST(MessagesTest, ABoxIsWideEnoughForTheLongestLineOfItsText) {
    const std::vector<QString> texts = {
        QStringLiteral("Vuoi salvare il nome dell'esercizio che hai appena terminato?\r\n"
                       "Se rispondi  S\u00EC  la prossima volta che sceglierai di esercitarti "
                       "con il corso di\r\ndattilografia  sar\u00E0  selezionato   "
                       "automaticamente   l'esercizio   successivo.\r\n"
                       "Se scegli No sar\u00E0 cancellato l'eventuale riferimento al precedente "
                       "esercizio\r\ne la prossima volta deciderai tu da dove iniziare.\r\n"
                       "Se, invece, scegli Annulla non sar\u00E0 fatta alcuna modifica."),
        QStringLiteral("\r\n\r\nLines after two empty ones\r\nand a last one"),
        QStringLiteral("La risoluzione minima per l'utilizzo di questo programma \u00E8:\r\n"
                       "800 x 600 pixel.")};
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        QMessageBox box(QMessageBox::Question, QStringLiteral("Zentavo"), MessageDisplayText(text),
                        QMessageBox::Yes | QMessageBox::No);
        FitMessageBoxToText(box);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        const QStringList lines = MessageDisplayText(text).split(QLatin1Char('\n'));
        for (const QString& line : lines)
            EXPECT_LE(label->fontMetrics().horizontalAdvance(line), label->contentsRect().width())
                << line.toStdString();
        // Exactly one screen line per line of the text.
        EXPECT_LE(label->heightForWidth(label->width()),
                  lines.size() * label->fontMetrics().lineSpacing() + 2);
        EXPECT_TRUE(box.screen()->availableGeometry().contains(box.frameGeometry()) ||
                    box.width() <= box.screen()->availableGeometry().width());
    }
}

TEST(MessagesTest, LinesJoinedByCrLfBecomeLinesOnScreen) {
    const std::vector<std::pair<QString, QString>> cases = {
        {QStringLiteral("a\r\nb"), QStringLiteral("a\nb")},
        {QStringLiteral("a\r\n\r\nb"), QStringLiteral("a\n\nb")},
        {QStringLiteral("a\rb\nc"), QStringLiteral("a\nb\nc")},
        {QStringLiteral("plain"), QStringLiteral("plain")}};
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(MessageDisplayText(text), shown);
}

} // namespace
