#pragma once
// PupilChooser, the window "Chi scrive?": the pupils of this computer
// account, from which one is chosen as the one typing. It adds, renames and
// removes pupils (removal asks first, and takes the pupil's history with
// it). A name is at most 30 characters, like the results window's name; the
// class is optional. The store decides what is allowed; the window shows
// the list and tells the user why a change was refused.

#include "common/core/UiTexts.h"
#include "history/HistoryStore.h"

#include <QDialog>

#include <optional>

class MessagePort;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class PupilChooser : public QDialog {
    Q_OBJECT
public:
    PupilChooser(HistoryStore& store, const UiTexts& texts, MessagePort& messages,
                 QWidget* parent = nullptr);

    // The pupil made current by "Scegli" (or a double click); none when the
    // window was closed otherwise.
    std::optional<PupilId> Chosen() const { return m_chosen; }
    // The pupil selected in the list.
    std::optional<PupilId> Selected() const;

    void cmdAggiungi_Click();
    void cmdRinomina_Click();
    void cmdElimina_Click();
    void cmdScegli_Click();

private:
    void FillList(std::optional<PupilId> select);
    void SelectionChanged();
    // True when done; otherwise the user has been told why not.
    bool Report(PupilChange change);
    QString T(const char* id) const;

    HistoryStore& m_store;
    const UiTexts& m_texts;
    MessagePort& m_messages;
    std::optional<PupilId> m_chosen;

    QListWidget* lstAlunni = nullptr;
    QLabel* lblNome = nullptr;
    QLineEdit* txtNome = nullptr;
    QLabel* lblClasse = nullptr;
    QLineEdit* txtClasse = nullptr;
    QPushButton* cmdAggiungi = nullptr;
    QPushButton* cmdRinomina = nullptr;
    QPushButton* cmdElimina = nullptr;
    QPushButton* cmdScegli = nullptr;
};

// "Anna (3B)", or the name alone without a class.
QString PupilDisplayName(const PupilInfo& pupil);
