#include "common/ui/frmLanguage.h"

#include "common/ui/Messages.h"
#include "common/ui/QtCp1252.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

namespace {
QString qs(const std::string& cp1252) {
    return ToQString(cp1252);
}
} // namespace

frmLanguage::frmLanguage(const std::string& programFolder, const std::string& currentLanguage,
                         const UiTexts& texts, MessagePort& messages, QWidget* parent)
    : QDialog(parent), m_chooser(programFolder, currentLanguage, texts), m_messages(messages) {
    setObjectName(QStringLiteral("frmLanguage"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const LanguageChooserTexts& t = m_chooser.Texts();
    setWindowTitle(qs(t.caption));

    m_message = new QLabel(qs(t.message), this);
    m_message->setObjectName(QStringLiteral("lblMess"));
    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("cboFileLanguage"));
    m_list->setMinimumWidth(240);
    m_list->setCursor(Qt::PointingHandCursor);
    m_close = new QPushButton(qs(t.closeCaption), this);
    m_close->setObjectName(QStringLiteral("cmdChiudi"));
    m_close->setToolTip(qs(t.closeToolTip));
    m_close->setCursor(Qt::PointingHandCursor);
    m_close->setDefault(true);
    m_info = new QPushButton(this);
    m_info->setObjectName(QStringLiteral("cmdInfoAuthor"));
    m_info->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    m_info->setIconSize(QSize(22, 22));
    m_info->setToolTip(qs(t.infoToolTip));
    m_info->setCursor(Qt::PointingHandCursor);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_info);
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(m_message);
    layout->addWidget(m_list);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));

    fillList();
    connect(m_list, &QComboBox::activated, this, &frmLanguage::cboFileLanguage_Click);
    connect(m_close, &QPushButton::clicked, this, &frmLanguage::cmdChiudi_Click);
    connect(m_info, &QPushButton::clicked, this, &frmLanguage::cmdInfoAuthor_Click);
}

void frmLanguage::fillList() {
    // Clicks that arrive while the list is being filled are not choices.
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const std::string& entry : m_chooser.Entries())
        m_list->addItem(qs(entry));
    m_list->setCurrentIndex(m_chooser.SelectedIndex());
}

void frmLanguage::cboFileLanguage_Click(int index) {
    m_chooser.Choose(index);
}

void frmLanguage::cmdChiudi_Click() {
    if (const auto question = m_chooser.ClosingQuestion()) {
        if (m_messages.AskYesNo(qs(m_chooser.Title()), qs(*question)))
            m_chooser.Confirm();
    }
    accept();
}

void frmLanguage::cmdInfoAuthor_Click() {
    m_messages.Show(QMessageBox::Information, qs(m_chooser.Title()), qs(m_chooser.AuthorMessage()));
}
