#pragma once
// The dialog "Cartella della classe": the class folder of this computer, typed
// or chosen with the folder chooser; it is kept (in the settings beside the
// programs) only when this computer can write in it. An empty folder removes
// the setting.

#include "editor/core/ClassTexts.h"

#include <QDialog>

#include <functional>
#include <string>

class MessagePort;
class QLineEdit;
class QPushButton;

class frmCartellaClasse : public QDialog {
    Q_OBJECT
public:
    using FolderChooser = std::function<std::string(QWidget* owner, const QString& caption,
                                                    const std::string& start)>;

    frmCartellaClasse(std::string settingsFile, const ClassTexts& texts, MessagePort* messages,
                      FolderChooser chooseFolder, QWidget* parent = nullptr);

    // Checks and saves the folder in the box; the dialog closes when it was kept.
    void accept() override;

private:
    void Browse();

    std::string m_settingsFile;
    ClassTexts m_texts;
    MessagePort* m_messages;
    FolderChooser m_chooseFolder;
    QLineEdit* txtCartella = nullptr;
    QPushButton* cmdSfoglia = nullptr;
};
