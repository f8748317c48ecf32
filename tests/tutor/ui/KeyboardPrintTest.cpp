#include "tutor/ui/StampaTastiera.h"

#include "common/core/UiTexts.h"
#include "common/ui/Messages.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A keyboard stand-in whose left half is red and right half blue, so that a rendered page
// shows where the picture went and that it was not mirrored.
class TwoColourKeyboard : public QWidget {
public:
    TwoColourKeyboard() { resize(640, 232); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(0, 0, width() / 2, height(), Qt::red);
        p.fillRect(width() / 2, 0, width() - width() / 2, height(), Qt::blue);
    }
};

QImage TwoColourImage() {
    TwoColourKeyboard keyboard;
    return keyboard.grab().toImage();
}

QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfText(const QString& pdf) {
    return RunTool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

// Renders the first page at 36 dots per inch (a millimetre is 36 / 25.4 pixels).
QImage RenderPage(const QString& pdf, const QString& folder) {
    const QString stem = folder + QStringLiteral("/page");
    RunTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("36"), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".png"));
}

enum class Colour { White, Red, Blue, Other };

Colour ColourAt(const QImage& page, double xMm, double yMm) {
    const QColor c = page.pixelColor(int(xMm * 36 / 25.4), int(yMm * 36 / 25.4));
    if (c.red() > 230 && c.green() > 230 && c.blue() > 230)
        return Colour::White;
    if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
        return Colour::Red;
    if (c.blue() > 200 && c.red() < 60 && c.green() < 60)
        return Colour::Blue;
    return Colour::Other;
}

struct PagePoint {
    const char* where;
    double xMm; // from the top left corner of the printable area
    double yMm;
    Colour expected;
};

// The picture spans 16..276 mm across and 25..119 mm down the printable area.
const std::vector<PagePoint> kPagePoints = {
    {"left part of the picture", 20, 30, Colour::Red},
    {"middle of the left half", 80, 72, Colour::Red},
    {"middle of the right half", 210, 72, Colour::Blue},
    {"right part of the picture", 272, 115, Colour::Blue},
    {"left of the picture", 12, 72, Colour::White},
    {"right of the picture", 280, 72, Colour::White},
    {"above the picture", 146, 21, Colour::White},
    {"below the picture", 146, 123, Colour::White},
};

void ExpectPictureInPlace(const QImage& page, const QMarginsF& marginsMm) {
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height()) << "the page is landscape";
    for (const PagePoint& point : kPagePoints)
        EXPECT_EQ(ColourAt(page, marginsMm.left() + point.xMm, marginsMm.top() + point.yMm),
                  point.expected)
            << point.where;
}

TEST(KeyboardPageTest, PdfPageCarriesThePictureAndTheCaption) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString pdf = folder.filePath(QStringLiteral("keyboard.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    const KeyboardCaption caption = KeyboardPrintCaption(UiTexts::BuiltIn(UiProgram::Tutor));

    ASSERT_TRUE(PrintKeyboardPage(printer, TwoColourImage(), caption));

    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Tastiera italiana (0410)"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Zentavo - a cura del gruppo Zentavo")))
        << text.toStdString();
    ExpectPictureInPlace(RenderPage(pdf, folder.path()),
                         printer.pageLayout().margins(QPageLayout::Millimeter));
}

TEST(KeyboardPageTest, CaptionStartsAt16MillimetresAcrossAnd195Down) {
    QImage page(2970, 2100, QImage::Format_RGB32); // 254 dots per inch: 10 pixels a millimetre
    page.setDotsPerMeterX(10000);
    page.setDotsPerMeterY(10000);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        PaintKeyboardPage(painter, QImage(),
                          KeyboardPrintCaption(UiTexts::BuiltIn(UiProgram::Tutor)));
    }
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isNull());
    EXPECT_NEAR(ink.left(), 160, 8);
    EXPECT_GE(ink.top(), 1950);
    EXPECT_LE(ink.bottom(), 1950 + 60); // one line of 10-point text, about 5 mm
}

// Answers the question as told and remembers what it was asked.
class ScriptedMessages : public MessagePort {
public:
    explicit ScriptedMessages(bool answer) : m_answer(answer) {}
    void Show(QMessageBox::Icon, const QString&, const QString&) override { ++shown; }
    bool AskYesNo(const QString& title, const QString& text) override {
        asked.push_back(title + QStringLiteral("|") + text);
        log->push_back("ask");
        return m_answer;
    }
    std::vector<QString> asked;
    std::vector<std::string>* log = nullptr;
    int shown = 0;

private:
    bool m_answer;
};

struct PrintRun {
    explicit PrintRun(bool answer) : messages(answer) {
        messages.log = &log;
        host.keyboard = &keyboard;
        host.markSentenceRunning = [this] { log.push_back("running"); };
        host.raiseEnterKeys = [this] { log.push_back("raise"); };
        host.flashBotton = [this] { log.push_back("flash"); };
        devices.wait = [this](int ms) { log.push_back("wait " + std::to_string(ms)); };
        devices.printerAvailable = [] { return false; };
        devices.openFile = [this](const QString& path) { opened.push_back(path); };
        devices.pdfFolder = [this] { return folder.path(); };
    }

    QTemporaryDir folder;
    TwoColourKeyboard keyboard;
    std::vector<std::string> log;
    std::vector<QString> opened;
    ScriptedMessages messages;
    StampaTastiera::Host host;
    StampaTastiera::Devices devices;
    UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
};

TEST(StampaTastieraTest, YesWithoutPrinterWritesAndOpensAPdfOfTheKeyboard) {
    PrintRun run(true);
    StampaTastiera print(run.host, run.texts, run.messages, run.devices);
    print.Run();

    EXPECT_EQ(run.log, (std::vector<std::string>{"running", "raise", "wait 1001", "ask", "flash"}));
    ASSERT_EQ(run.messages.asked.size(), 1u);
    EXPECT_EQ(run.messages.asked[0],
              QStringLiteral("Zentavo|Vuoi stampare la tastiera di Zentavo?\r\n(la tastiera "
                             "verr\u00E0 stampata esattamente come la vedi in questo momento)"));
    ASSERT_EQ(run.opened.size(), 1u);
    EXPECT_EQ(run.opened[0], print.LastPdfFile());
    EXPECT_TRUE(run.opened[0].startsWith(run.folder.path()));
    EXPECT_TRUE(PdfText(run.opened[0]).contains(QStringLiteral("Tastiera italiana (0410)")));

    QPrinter reference(QPrinter::HighResolution);
    reference.setOutputFormat(QPrinter::PdfFormat);
    reference.setPageOrientation(QPageLayout::Landscape);
    ExpectPictureInPlace(RenderPage(run.opened[0], run.folder.path()),
                         reference.pageLayout().margins(QPageLayout::Millimeter));
    EXPECT_EQ(run.messages.shown, 0);

    // The keyboard is drawn afresh at paper resolution rather than copied at screen size.
    const QStringList images =
        RunTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), run.opened[0]})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(images.size(), 3) << "a header of two lines and the picture";
    const QStringList columns = images[2].simplified().split(QLatin1Char(' '));
    ASSERT_GE(columns.size(), 5);
    EXPECT_GE(columns[3].toInt(), 4 * run.keyboard.width());
    EXPECT_GE(columns[4].toInt(), 4 * run.keyboard.height());
}

TEST(StampaTastieraTest, NoPrintsNothingAndBringsTheEnterPromptBack) {
    PrintRun run(false);
    StampaTastiera print(run.host, run.texts, run.messages, run.devices);
    print.Run();

    EXPECT_EQ(run.log, (std::vector<std::string>{"running", "raise", "wait 1001", "ask", "flash"}));
    EXPECT_TRUE(run.opened.empty());
    EXPECT_TRUE(print.LastPdfFile().isEmpty());
    EXPECT_TRUE(QDir(run.folder.path()).isEmpty());
}

TEST(StampaTastieraTest, UnwritableFolderIsSwallowedAndThePromptComesBack) {
    PrintRun run(true);
    run.devices.pdfFolder = [] { return QStringLiteral("/nonexistent/zentavo/folder"); };
    StampaTastiera print(run.host, run.texts, run.messages, run.devices);
    print.Run();

    EXPECT_TRUE(run.opened.empty());
    EXPECT_EQ(run.log.back(), "flash");
    EXPECT_EQ(run.messages.shown, 0);
}

TEST(StampaTastieraTest, KeyboardGoneBeforePrintingPrintsNothing) {
    PrintRun run(true);
    auto* keyboard = new TwoColourKeyboard;
    run.host.keyboard = keyboard;
    run.devices.wait = [keyboard](int) { delete keyboard; };
    StampaTastiera print(run.host, run.texts, run.messages, run.devices);
    print.Run();

    EXPECT_TRUE(run.opened.empty());
    EXPECT_EQ(run.log.back(), "flash");
}

} // namespace
