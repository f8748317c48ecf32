#include "tutor/ui/PupilMenu.h"

#include "common/core/IniManager.h"
#include "common/ui/Messages.h"
#include "common/ui/ProgressWindow.h"
#include "common/ui/PupilChooser.h"
#include "common/ui/QtCp1252.h"

namespace {

constexpr const char* kUnavailable = "0488";
constexpr const char* kProduct = "Zentavo";

} // namespace

PupilMenu::PupilMenu(HistoryStore* store, MessagePort& messages)
    : m_store(store), m_messages(messages) {}

bool PupilMenu::AskAtStart(const std::string& settingsFile) {
    IniManager ini;
    ini.nome = settingsFile;
    ini.sezione = kPupilsSection;
    return ini.Leggi(kAskAtStartKey, "0") == "1";
}

bool PupilMenu::Usable() const {
    // A store that cannot save still shows what it holds; one that was
    // never opened (locked, newer, unreadable) holds nothing to show.
    return m_store != nullptr && m_store->Status() != StoreStatus::Unavailable &&
           m_store->Status() != StoreStatus::Locked &&
           m_store->Status() != StoreStatus::NewerSchema;
}

void PupilMenu::TellUnavailable(const UiTexts& texts) const {
    m_messages.Show(QMessageBox::Information, QLatin1String(kProduct),
                    ToQString(texts.Text(kUnavailable)));
}

bool PupilMenu::ChoosePupil(const UiTexts& texts, QWidget* parent) {
    if (!Usable()) {
        TellUnavailable(texts);
        return false;
    }
    PupilChooser chooser(*m_store, texts, m_messages, parent);
    chooser.exec();
    return chooser.Chosen().has_value();
}

std::optional<PupilInfo> PupilMenu::ShownPupil() const {
    if (!Usable())
        return std::nullopt;
    // The practice is recorded for the current pupil, or for the first one
    // listed when none is current: the same pupil is named and shown.
    if (const auto id = m_store->CurrentPupil())
        return m_store->Pupil(*id);
    const std::vector<PupilInfo> pupils = m_store->Pupils();
    if (pupils.empty())
        return std::nullopt;
    return pupils.front();
}

void PupilMenu::ShowProgress(const UiTexts& texts, KeySplit split, const std::string& aimedKeys,
                             QWidget* parent) {
    const auto pupil = ShownPupil();
    if (!pupil) {
        TellUnavailable(texts);
        return;
    }
    ProgressWindow window(*m_store, pupil->id, texts, split, ProgressWindow::DesktopPorts(parent),
                          parent);
    window.SetAimedKeys(aimedKeys);
    window.exec();
}

QString PupilMenu::CurrentPupilName() const {
    const auto pupil = ShownPupil();
    return pupil ? PupilDisplayName(*pupil) : QString();
}

std::string PupilMenu::CurrentPupilPlainName() const {
    const auto pupil = ShownPupil();
    return pupil ? pupil->name : std::string();
}
