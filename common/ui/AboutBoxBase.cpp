#include "common/ui/AboutBoxBase.h"

#include "common/ui/HelpViewer.h"

#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QUrl AboutBoxBase::MailUrl(const QString& address, const QString& subject) {
    return QUrl(QStringLiteral("mailto:") + address + QStringLiteral("?subject=") +
                    QString::fromLatin1(QUrl::toPercentEncoding(subject)),
                QUrl::StrictMode);
}

AboutBoxBase::AboutBoxBase(HelpPort& help, QWidget* parent)
    : QDialog(parent), m_help(help),
      m_openUrl([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("imgLogo"));
    m_picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("lblTitolo"));
    QFont nameFont = m_name->font();
    nameFont.setPixelSize(22);
    nameFont.setBold(true);
    m_name->setFont(nameFont);
    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("lblVersione"));
    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("lblDescrizione"));
    m_description->setWordWrap(true);
    m_freeware = new QLabel(this);
    m_freeware->setObjectName(QStringLiteral("lblFreewareMsg"));
    m_freeware->setWordWrap(true);
    QFont italic = m_freeware->font();
    italic.setItalic(true);
    m_freeware->setFont(italic);
    m_helpIntro = new QLabel(this);
    m_helpIntro->setObjectName(QStringLiteral("lblGuida"));
    m_mail = new QLabel(this);
    m_mail->setObjectName(QStringLiteral("lblMail"));
    m_mail->setTextFormat(Qt::RichText);
    m_mail->setCursor(Qt::PointingHandCursor);
    m_helpButton = new QPushButton(this);
    m_helpButton->setObjectName(QStringLiteral("cmdHelp"));
    m_helpButton->setCursor(Qt::PointingHandCursor);
    m_closeButton = new QPushButton(this);
    m_closeButton->setObjectName(QStringLiteral("cmdChiudi"));
    m_closeButton->setCursor(Qt::PointingHandCursor);
    m_closeButton->setDefault(true);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* text = new QVBoxLayout;
    text->setSpacing(6);
    text->addWidget(m_name);
    text->addWidget(m_version);
    text->addSpacing(6);
    text->addWidget(m_description);
    text->addWidget(m_freeware);
    text->addWidget(m_mail);
    m_extra = new QVBoxLayout;
    text->addLayout(m_extra);
    text->addStretch();

    auto* top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(m_picture);
    top->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_helpIntro);
    buttons->addWidget(m_helpButton);
    buttons->addStretch();
    buttons->addWidget(m_closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->addLayout(top, 1);
    layout->addWidget(line);
    layout->addLayout(buttons);

    connect(m_helpButton, &QPushButton::clicked, this, &AboutBoxBase::cmdHelp_Click);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_mail, &QLabel::linkActivated, this,
            [this] { OpenLink(MailUrl(m_texts.mailAddress, m_texts.mailSubject)); });
}

void AboutBoxBase::SetTexts(const Texts& texts) {
    m_texts = texts;
    setWindowTitle(texts.caption);
    m_name->setText(texts.programName);
    m_version->setText(texts.version);
    m_description->setText(texts.description);
    m_freeware->setText(texts.freeware);
    m_helpIntro->setText(texts.helpIntro);
    m_helpButton->setText(texts.helpCaption);
    m_helpButton->setToolTip(texts.helpToolTip);
    m_closeButton->setText(texts.closeCaption);
    m_closeButton->setToolTip(texts.closeToolTip);
    m_mail->setText(
        QStringLiteral("<a href=\"mail\">%1</a>").arg(texts.mailAddress.toHtmlEscaped()));
    m_mail->setToolTip(texts.mailAddress);
    m_mail->setVisible(!texts.mailAddress.isEmpty());
}

void AboutBoxBase::SetPicture(const QPixmap& picture) {
    m_picture->setPixmap(picture);
    m_picture->setVisible(!picture.isNull());
}

void AboutBoxBase::OpenLink(const QUrl& url) {
    m_openUrl(url);
    accept();
}

void AboutBoxBase::cmdHelp_Click() {
    if (!m_help.ShowHelpTopic(HelpContext))
        HelpMissing();
    accept();
}
