#include "tutor/ui/frmAbout.h"

#include "common/core/ProgramPaths.h"
#include "common/core/UiTexts.h"
#include "common/ui/HelpViewer.h"
#include "common/ui/Messages.h"
#include "common/ui/Pictures.h"
#include "common/ui/QtCp1252.h"
#include "tutor/core/TutorAboutTexts.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kTitleWord = "ZENTAVO";
// One colour per letter, as the letters of the main window's title.
const QColor kLetterColours[] = {QColor(220, 60, 50),  QColor(240, 140, 20), QColor(60, 160, 70),
                                 QColor(40, 120, 200), QColor(130, 80, 190), QColor(220, 60, 50),
                                 QColor(240, 140, 20)};
constexpr int kLetterGap = 8;

QString LinkHtml(const QString& caption) {
    return QStringLiteral("<a href=\"link\">%1</a>").arg(caption.toHtmlEscaped());
}

} // namespace

// The base opens the help at the editor's context; the tutor's box opens its contents.
class frmAbout::ContentsHelp : public HelpPort {
public:
    explicit ContentsHelp(HelpPort* inner) : m_inner(inner) {}
    bool ShowHelpTopic(int) override {
        return m_inner != nullptr && m_inner->ShowHelpTopic(HelpViewer::ContentsTopic);
    }

private:
    HelpPort* m_inner;
};

frmAbout::frmAbout(const UiTexts& texts, Host host, QWidget* parent)
    : frmAbout(texts, host, std::make_unique<ContentsHelp>(host.help), parent) {}

frmAbout::frmAbout(const UiTexts& texts, Host host, std::unique_ptr<ContentsHelp> help,
                   QWidget* parent)
    : AboutBoxBase(*help, parent), m_contentsHelp(std::move(help)), m_host(std::move(host)) {
    const TutorAboutTexts about = LoadTutorAboutTexts(texts);
    Texts shown;
    shown.caption = QStringLiteral("Informazioni su...");
    shown.version = ToQString(TutorVersionLabel());
    shown.description =
        ToQString(about.videoSetting + "\r\n" + about.keyboardLayout).replace("\r\n", "\n");
    shown.freeware = ToQString(about.freeware);
    shown.helpToolTip = ToQString(about.helpToolTip);
    shown.closeCaption = ToQString(about.closeCaption);
    shown.closeToolTip = ToQString(about.closeToolTip);
    shown.mailAddress = QString::fromLatin1(MailAddress);
    shown.mailSubject = ToQString(TutorMailSubject());
    SetTexts(shown);
    SetPicture(Pictures::pixmap(Pictures::Role::AboutTutor));
    m_missingHelpText = ToQString(texts.Text("0065") + " " + HelpPageName(HelpContext));

    BuildTitleLetters();
    if (auto* helpButton = findChild<QPushButton*>(QStringLiteral("cmdHelp"))) {
        helpButton->setIcon(Pictures::icon(Pictures::Role::MenuHelp));
        helpButton->setIconSize(QSize(24, 24));
    }

    QLabel* web = AddLink(QStringLiteral("lblWebSite"), ToQString(about.webCaption),
                          ToQString(about.webToolTip));
    connect(web, &QLabel::linkActivated, this,
            [this] { OpenLink(QUrl(QString::fromLatin1(WebPage))); });
    const QString personal = QString::fromLatin1(PersonalPage);
    QLabel* page = AddLink(QStringLiteral("lblPersonalPage"), personal, personal);
    connect(page, &QLabel::linkActivated, this,
            [this] { OpenLink(QUrl(QString::fromLatin1(PersonalPage))); });

    auto* printRow = new QHBoxLayout;
    printRow->setSpacing(8);
    m_printPicture = new QLabel(this);
    m_printPicture->setObjectName(QStringLiteral("imgPrintKey"));
    m_printPicture->setPixmap(Pictures::pixmap(Pictures::Role::PrintNormal, QSize(32, 32)));
    m_printPicture->setCursor(Qt::PointingHandCursor);
    m_printPicture->setToolTip(ToQString(about.printCaption));
    m_printPicture->installEventFilter(this);
    m_printLabel = new QLabel(LinkHtml(ToQString(about.printCaption)), this);
    m_printLabel->setObjectName(QStringLiteral("lblPrintKey"));
    m_printLabel->setCursor(Qt::PointingHandCursor);
    connect(m_printLabel, &QLabel::linkActivated, this, &frmAbout::lblPrintKey_Click);
    printRow->addWidget(m_printPicture);
    printRow->addWidget(m_printLabel, 1);
    ExtraArea()->addSpacing(6);
    ExtraArea()->addLayout(printRow);
    setMinimumWidth(500);
}

frmAbout::~frmAbout() = default;

void frmAbout::ShowModal(const UiTexts& texts, Host host, QWidget* parent) {
    std::function<void()> print = host.printKeyboard;
    bool printRequested = false;
    {
        frmAbout box(texts, std::move(host), parent);
        box.exec();
        printRequested = box.PrintRequested();
    }
    if (printRequested && print)
        print();
}

void frmAbout::BuildTitleLetters() {
    // The base's name label becomes the row that carries the letters, each a label of its own
    // placed one letter width plus a gap after the one before.
    auto* row = findChild<QLabel*>(QStringLiteral("lblTitolo"));
    if (row == nullptr)
        return;
    row->clear();
    QFont font = row->font();
    font.setPixelSize(30);
    font.setBold(true);
    const QString word = QString::fromLatin1(kTitleWord);
    int x = 0;
    int step = 0;
    int height = 0;
    for (qsizetype i = 0; i < word.size(); ++i) {
        auto* letter = new QLabel(word.mid(i, 1), row);
        letter->setObjectName(QStringLiteral("lblLettera%1").arg(i));
        letter->setFont(font);
        letter->setAlignment(Qt::AlignCenter);
        letter->setStyleSheet(QStringLiteral("color: %1;").arg(kLetterColours[i].name()));
        const QSize size = letter->sizeHint();
        if (i == 0)
            step = size.width() + kLetterGap;
        letter->setGeometry(x, 0, step - kLetterGap, size.height());
        x += step;
        height = std::max(height, size.height());
    }
    row->setMinimumSize(x, height);
}

QLabel* frmAbout::AddLink(const QString& name, const QString& caption, const QString& toolTip) {
    auto* link = new QLabel(LinkHtml(caption), this);
    link->setObjectName(name);
    link->setToolTip(toolTip);
    link->setCursor(Qt::PointingHandCursor);
    ExtraArea()->addWidget(link);
    return link;
}

void frmAbout::lblPrintKey_Click() {
    m_printRequested = true;
    accept();
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_printPicture) {
        switch (event->type()) {
        case QEvent::Enter:
            m_printPicture->setPixmap(Pictures::pixmap(Pictures::Role::PrintHover, QSize(32, 32)));
            break;
        case QEvent::Leave:
            m_printPicture->setPixmap(Pictures::pixmap(Pictures::Role::PrintNormal, QSize(32, 32)));
            break;
        case QEvent::MouseButtonPress:
            m_printPicture->setPixmap(
                Pictures::pixmap(Pictures::Role::PrintPressed, QSize(32, 32)));
            return true;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                lblPrintKey_Click();
            return true;
        default:
            break;
        }
    }
    return AboutBoxBase::eventFilter(watched, event);
}

void frmAbout::showEvent(QShowEvent* event) {
    AboutBoxBase::showEvent(event);
    if (!m_soundPlayed && m_host.playSound)
        m_host.playSound(OpeningSound);
    m_soundPlayed = true;
}

void frmAbout::HelpMissing() {
    if (m_host.messages != nullptr)
        m_host.messages->Show(QMessageBox::Information, QStringLiteral("Zentavo"),
                              m_missingHelpText);
}
