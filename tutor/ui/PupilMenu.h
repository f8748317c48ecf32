#pragma once
// PupilMenu is the main window's side of pupils and progress: the two menu
// entries after the language ("Scegli chi scrive", "Mostra i progressi"),
// the question "who is typing?" before the welcome when the teacher has
// asked for it, and the current pupil's name for the start screen and the
// results window. It works on the account's history store; without one (or
// with one that cannot be used) the tutor runs on and the entries say that
// the progress is not available.

#include "common/core/UiTexts.h"
#include "history/HistoryStore.h"
#include "tutor/core/KeyTable.h"

#include <QString>

#include <optional>
#include <string>

class MessagePort;
class QWidget;

// The teacher's option, in the settings file beside the tutor's own.
inline constexpr const char* kPupilsSection = "Pupils";
inline constexpr const char* kAskAtStartKey = "AskAtStart";

class PupilMenu {
public:
    PupilMenu(HistoryStore* store, MessagePort& messages);

    // True when the settings ask who is typing before the welcome.
    static bool AskAtStart(const std::string& settingsFile);

    // The chooser; true when a pupil was chosen.
    bool ChoosePupil(const UiTexts& texts, QWidget* parent);
    // The progress window of the current pupil, with the Windows-1252
    // characters their personal exercise aims at ("" for none).
    void ShowProgress(const UiTexts& texts, KeySplit split, const std::string& aimedKeys,
                      QWidget* parent);
    // "Anna (3B)", or "" when there is no current pupil.
    QString CurrentPupilName() const;
    // The name alone, for the results window's name question.
    std::string CurrentPupilPlainName() const;

private:
    bool Usable() const;
    std::optional<PupilInfo> ShownPupil() const;
    void TellUnavailable(const UiTexts& texts) const;

    HistoryStore* m_store;
    MessagePort& m_messages;
};
