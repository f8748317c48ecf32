#include "editor/ui/frmCartellaClasse.h"

#include "common/core/Settings.h"
#include "common/ui/Messages.h"
#include "common/ui/QtCp1252.h"
#include "editor/core/ClassFolder.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kPathBoxWidth = 420;
}

frmCartellaClasse::frmCartellaClasse(std::string settingsFile, const ClassTexts& texts,
                                     MessagePort* messages, FolderChooser chooseFolder,
                                     QWidget* parent)
    : QDialog(parent), m_settingsFile(std::move(settingsFile)), m_texts(texts),
      m_messages(messages), m_chooseFolder(std::move(chooseFolder)) {
    setObjectName(QStringLiteral("frmCartellaClasse"));
    setWindowTitle(ToQString(m_texts.folderCaption));
    auto* layout = new QGridLayout(this);
    auto* label = new QLabel(ToQString(m_texts.folderLabel), this);
    txtCartella = new QLineEdit(this);
    txtCartella->setObjectName(QStringLiteral("txtCartella"));
    txtCartella->setMinimumWidth(kPathBoxWidth);
    txtCartella->setText(PathToQString(LoadClassFolder(m_settingsFile)));
    label->setBuddy(txtCartella);
    cmdSfoglia = new QPushButton(ToQString(m_texts.browse), this);
    cmdSfoglia->setObjectName(QStringLiteral("cmdSfoglia"));
    cmdSfoglia->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(txtCartella, 0, 1);
    layout->addWidget(cmdSfoglia, 0, 2);
    layout->addWidget(buttons, 1, 0, 1, 3);
    connect(cmdSfoglia, &QPushButton::clicked, this, &frmCartellaClasse::Browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmCartellaClasse::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void frmCartellaClasse::Browse() {
    if (!m_chooseFolder)
        return;
    const std::string chosen = m_chooseFolder(this, ToQString(m_texts.folderCaption),
                                              PathFromQString(txtCartella->text()));
    if (!chosen.empty())
        txtCartella->setText(PathToQString(chosen));
}

void frmCartellaClasse::accept() {
    const std::string folder = PathFromQString(txtCartella->text().trimmed());
    switch (SaveChosenClassFolder(m_settingsFile, folder)) {
    case ClassFolderChoice::Saved:
    case ClassFolderChoice::Cleared:
        QDialog::accept();
        return;
    case ClassFolderChoice::NotWritable:
        if (m_messages != nullptr)
            m_messages->Show(QMessageBox::Warning, ToQString(m_texts.folderCaption),
                             ToQString(m_texts.folderNotWritable) + QStringLiteral("\r\n") +
                                 PathToQString(folder));
        return;
    case ClassFolderChoice::NotSaved:
        if (m_messages != nullptr)
            m_messages->Show(QMessageBox::Critical, ToQString(m_texts.folderCaption),
                             ToQString(m_texts.settingNotSaved));
        return;
    }
}
