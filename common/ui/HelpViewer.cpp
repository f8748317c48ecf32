#include "common/ui/HelpViewer.h"

#include "common/core/ProgramPaths.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
QPointer<HelpViewer>& sharedViewer() {
    static QPointer<HelpViewer> viewer;
    return viewer;
}

QToolButton* makeButton(QWidget* parent, QStyle::StandardPixmap icon, const QString& name,
                        const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setIconSize(QSize(24, 24));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}
} // namespace

QString HelpViewer::PagePath(const QString& programFolder, int topic) {
    return programFolder + QString::fromStdString(HelpPageName(topic));
}

bool HelpViewer::PageExists(const QString& programFolder, int topic) {
    const QFileInfo info(PagePath(programFolder, topic));
    return info.isFile() && info.isReadable();
}

bool HelpViewer::ShowTopic(const QString& programFolder, int topic) {
    if (!PageExists(programFolder, topic))
        return false;
    QPointer<HelpViewer>& viewer = sharedViewer();
    if (!viewer || viewer->m_programFolder != programFolder) {
        delete viewer.data();
        viewer = new HelpViewer(programFolder);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!viewer->OpenTopic(topic))
        return false;
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return true;
}

HelpViewer* HelpViewer::Shared() {
    return sharedViewer().data();
}

void HelpViewer::CloseShared() {
    delete sharedViewer().data();
}

HelpViewer::HelpViewer(const QString& programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_programFolder(programFolder) {
    setObjectName(QStringLiteral("HelpViewer"));
    // The help never keeps a program alive once its main window is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(780, 580);

    m_back = makeButton(this, QStyle::SP_ArrowBack, QStringLiteral("cmdBack"),
                        QStringLiteral("Indietro"));
    m_forward = makeButton(this, QStyle::SP_ArrowForward, QStringLiteral("cmdForward"),
                           QStringLiteral("Avanti"));
    m_home = makeButton(this, QStyle::SP_DirHomeIcon, QStringLiteral("cmdHome"),
                        QStringLiteral("Sommario"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setOpenExternalLinks(true);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 4, 4, 0);
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(m_home);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_home, &QToolButton::clicked, this, [this] { OpenTopic(ContentsTopic); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpViewer::updateTitle);
    m_home->setEnabled(PageExists(m_programFolder, ContentsTopic));

    // The window can be closed from the keyboard, as a reader of help expects.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
}

bool HelpViewer::OpenTopic(int topic) {
    if (!PageExists(m_programFolder, topic))
        return false;
    m_browser->setSource(QUrl::fromLocalFile(PagePath(m_programFolder, topic)));
    return true;
}

void HelpViewer::updateTitle() {
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Zentavo") : title);
}
