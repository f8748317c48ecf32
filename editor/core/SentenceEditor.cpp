#include "editor/core/SentenceEditor.h"

#include "common/core/ExerciseFile.h"
#include "editor/core/EditorVersion.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace {
const char* const ProgramTitle = "Editor Zentavo";
} // namespace

// Tells the observer once, when the outermost operation ends, so that the
// window renders a consistent state however many steps an operation takes.
class SentenceEditor::Notifier {
public:
    explicit Notifier(SentenceEditor& editor) : m_editor(editor) { ++m_editor.m_depth; }
    ~Notifier() {
        if (--m_editor.m_depth == 0)
            m_editor.m_observer.EditorChanged();
    }
    Notifier(const Notifier&) = delete;
    Notifier& operator=(const Notifier&) = delete;

private:
    SentenceEditor& m_editor;
};

SentenceEditor::SentenceEditor(EditorFiles& files, const TextMeasure& measure,
                               SentenceEditorObserver& observer, MessageTexts texts)
    : m_files(files), m_measure(measure), m_observer(observer), m_texts(std::move(texts)) {
    // Start: both lists hold 1..15 with their first item selected, no file,
    // editing off, the indicator at rest.
    selectReadPosition(1);
    m_state.writePosition = 1;
    setEditing(false);
}

void SentenceEditor::SetMessageTexts(MessageTexts texts) {
    m_texts = std::move(texts);
}

int SentenceEditor::LevelColour(int level) {
    switch (level) {
    case 2:
        return 0xC0FFFF; // light yellow
    case 3:
        return 0xC0C0FF; // light red
    default:
        return 0xC0FFC0; // light green
    }
}

int16_t SentenceEditor::clampPosition(int position) const {
    if (position < 1)
        return 1;
    if (position > m_state.positionsPerLevel)
        return m_state.positionsPerLevel;
    return static_cast<int16_t>(position);
}

bool SentenceEditor::TooWide(const std::string& text) const {
    return m_measure.Width(text, WindowFont()) + WidthMargin > BoxWidth;
}

std::string SentenceEditor::FitToBox(const std::string& text) const {
    if (!TooWide(text))
        return text;
    // The width of a prefix grows with its length, so the longest prefix that
    // fits is found by halving; the loop below guards against kerning quirks.
    std::size_t fits = 0;
    std::size_t tooLong = text.size();
    while (tooLong - fits > 1) {
        const std::size_t middle = fits + (tooLong - fits) / 2;
        if (TooWide(text.substr(0, middle)))
            tooLong = middle;
        else
            fits = middle;
    }
    std::string fitted = text.substr(0, fits);
    while (!fitted.empty() && TooWide(fitted))
        fitted.pop_back();
    return fitted;
}

void SentenceEditor::message(EditorMessageIcon icon, const std::string& title,
                             const std::string& text) {
    m_observer.ShowMessage(EditorMessage{icon, title, text});
}

void SentenceEditor::focusLine(int line) {
    if (m_state.editing)
        m_observer.FocusLine(line);
}

void SentenceEditor::SelectWriteLevel(int level) {
    Notifier notify(*this);
    selectWriteLevel(level);
}

void SentenceEditor::selectWriteLevel(int level) {
    if (level < 1 || level > 3)
        return;
    m_state.writeLevel = static_cast<int16_t>(level);
    if (m_state.autoStep)
        m_state.writePosition = 1;
    focusLine(0);
}

void SentenceEditor::SelectWritePosition(int position) {
    Notifier notify(*this);
    m_state.writePosition = clampPosition(position);
}

void SentenceEditor::SelectReadLevel(int level) {
    Notifier notify(*this);
    selectReadLevel(level);
}

void SentenceEditor::SelectReadPosition(int position) {
    Notifier notify(*this);
    selectReadPosition(position);
}

void SentenceEditor::selectReadLevel(int level) {
    if (level < 1 || level > 3)
        return;
    m_state.readLevel = static_cast<int16_t>(level);
    m_state.readCaption = ReadCaption::Leggi;
    // The reader's controls can only be clicked while editing is on; choices
    // made from code while it is off leave the read button as it was.
    if (m_state.editing)
        m_state.readEnabled = true;
    if (m_state.updateSave)
        copyReadToWrite();
}

void SentenceEditor::selectReadPosition(int position) {
    m_state.readPosition = clampPosition(position);
    m_state.readCaption = ReadCaption::Leggi;
    if (m_state.editing)
        m_state.readEnabled = true;
    if (m_state.updateSave)
        copyReadToWrite();
}

void SentenceEditor::copyReadToWrite() {
    selectWriteLevel(m_state.readLevel);
    m_state.writePosition = m_state.readPosition;
}

void SentenceEditor::SetPositionsPerLevel(int positions) {
    if (positions != 15 && positions != 10 && positions != 5)
        return;
    Notifier notify(*this);
    m_state.positionsPerLevel = static_cast<int16_t>(positions);
    m_state.writePosition = 1;
    selectReadPosition(1);
}

void SentenceEditor::SetAutoStep(bool on) {
    Notifier notify(*this);
    m_state.autoStep = on;
}

void SentenceEditor::SetUpdateSave(bool on) {
    Notifier notify(*this);
    m_state.updateSave = on;
}

void SentenceEditor::LineEdited(int line, const std::string& text) {
    if (line != 0 && line != 1)
        return;
    Notifier notify(*this);
    setLine(line, SingleLine(text));
}

std::string SentenceEditor::SingleLine(const std::string& text) {
    // A pasted text may carry line breaks and tabs, which an input line
    // shows as nothing and an exercise file cannot hold: each run of line
    // breaks and every other control character becomes one blank.
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r' || c == '\n') {
            while (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n'))
                ++i;
            line += ' ';
        } else if (c < 0x20 || c == 0x7F) {
            line += ' ';
        } else {
            line += static_cast<char>(c);
        }
    }
    return line;
}

void SentenceEditor::setLine(int line, const std::string& text) {
    std::string& current = m_state.lines[static_cast<std::size_t>(line)];
    if (current == text)
        return;
    const std::size_t before = current.size();
    current = text;
    m_state.indicatorRunning = true;
    if (line == 0)
        m_state.saveEnabled = current.size() >= 3;
    if (!TooWide(current))
        return;

    m_observer.Beep();
    if (line == 0)
        message(EditorMessageIcon::Information, slot(1), JoinCrLf({slot(0), slot(15), slot(16)}));
    else
        message(EditorMessageIcon::Information, slot(1), JoinCrLf({slot(0), slot(17)}));
    if (current.size() > before + 1) {
        // A paste: cut it to fit at once instead of one character per
        // message, which for a long text would mean hundreds of boxes.
        setLine(line, FitToBox(current));
    } else {
        std::string shorter = current;
        shorter.pop_back();
        setLine(line, shorter);
    }
}

void SentenceEditor::LineFocused(int line) {
    Notifier notify(*this);
    if (line == 1 && m_state.lines[0].empty())
        focusLine(0);
}

void SentenceEditor::clearLines() {
    if (!m_state.editing)
        return;
    setLine(0, "");
    setLine(1, "");
    focusLine(0);
}

void SentenceEditor::resetPositions() {
    selectWriteLevel(1);
    selectReadLevel(1);
    m_state.writePosition = 1;
    selectReadPosition(1);
}

void SentenceEditor::setEditing(bool on) {
    m_state.editing = on;
    m_state.readEnabled = on;
}

void SentenceEditor::recount() {
    m_state.levelCounts =
        m_state.currentFile.empty()
            ? std::array<int, 3>{}
            : m_files.CountSentences(m_state.currentFile, m_state.positionsPerLevel);
    m_state.counted = true;
}

void SentenceEditor::stopIndicator() {
    m_state.indicatorRunning = false;
    m_state.shownIcon = RestIcon;
}

void SentenceEditor::Tick() {
    if (!m_state.indicatorRunning)
        return;
    Notifier notify(*this);
    m_state.shownIcon = RestIcon + m_state.animationStep;
    m_state.animationStep = static_cast<int16_t>((m_state.animationStep + 1) % 4);
}

void SentenceEditor::Save() {
    Notifier notify(*this);
    const std::string first = TrimBlanks(m_state.lines[0]);
    if (first.empty()) {
        message(EditorMessageIcon::Information, slot(0), JoinCrLf({slot(12), slot(13)}));
        setLine(0, "");
        focusLine(0);
        return;
    }
    const std::string value = ComposeSentenceValue(m_state.lines[0], m_state.lines[1]);
    // With no current file a save fails without touching any file.
    const bool written = !m_state.currentFile.empty() &&
                         m_files.WriteSentence(m_state.currentFile, m_state.writeLevel,
                                               m_state.writePosition, value);
    recount();
    if (!written) {
        message(EditorMessageIcon::Critical, slot(1), slot(14));
        return;
    }
    if (m_state.autoStep)
        stepWritePosition();
    clearLines();
    stopIndicator();
}

void SentenceEditor::stepWritePosition() {
    const int p = m_state.writePosition;
    if (p < m_state.positionsPerLevel) {
        m_state.writePosition = static_cast<int16_t>(p + 1);
        return;
    }
    if (m_state.writeLevel < 3) {
        m_state.writePosition = 1;
        selectWriteLevel(m_state.writeLevel + 1);
        return;
    }
    m_observer.Beep();
    message(EditorMessageIcon::Information, ProgramTitle, slot(18));
    resetPositions();
    clearLines();
    setEditing(false);
}

void SentenceEditor::stepReadPosition() {
    const int p = m_state.readPosition;
    if (p < m_state.positionsPerLevel) {
        selectReadPosition(p + 1);
    } else if (m_state.readLevel < 3) {
        selectReadPosition(1);
        selectReadLevel(m_state.readLevel + 1);
    } else {
        m_state.readEnabled = false;
    }
}

void SentenceEditor::Read() {
    Notifier notify(*this);
    clearLines();
    if (m_state.readCaption == ReadCaption::Successiva)
        stepReadPosition();

    EditorFiles::ReadResult read;
    if (!m_state.currentFile.empty())
        read = m_files.ReadSentence(m_state.currentFile, m_state.readLevel, m_state.readPosition);
    if (read.error) {
        message(EditorMessageIcon::Critical, slot(1),
                JoinCrLf({slot(0), slot(11), slot(1) + " " + std::to_string(read.error->number),
                          read.error->description}));
        return;
    }
    if (read.value.empty()) {
        message(EditorMessageIcon::Information, slot(0), slot(10));
        return;
    }
    const SentenceLines split = SplitSentenceValue(read.value);
    setLine(0, FitToBox(split.first));
    if (split.hasSecond)
        setLine(1, FitToBox(split.second));
    m_state.readCaption = ReadCaption::Successiva;
    if (m_state.updateSave)
        copyReadToWrite();
    focusLine(0);
}

bool SentenceEditor::CreateNewFile(const std::string& path) {
    Notifier notify(*this);
    // The old file stays until the new one replaces it: a write that fails
    // must not have cost the sentences it held.
    std::optional<FileError> error;
    if (m_files.Exists(path) && StaysReadOnly(m_files, path))
        error = FileError{EACCES, std::strerror(EACCES)};
    clearLines();
    resetPositions();
    if (!error)
        error = m_files.Create(path, EditorVersion::Text());
    if (!error && !m_files.Exists(path))
        error = FileError{ENOENT, std::strerror(ENOENT)};
    if (error) {
        message(EditorMessageIcon::Critical, slot(1),
                JoinCrLf({slot(0), slot(19), slot(1) + " " + std::to_string(error->number),
                          error->description}));
        m_state.currentFile.clear();
        recount();
        clearLines();
        return false;
    }
    m_state.currentFile = path;
    setEditing(true);
    recount();
    clearLines();
    return true;
}

bool SentenceEditor::OpenFile(const std::string& path) {
    Notifier notify(*this);
    if (StaysReadOnly(m_files, path)) {
        message(EditorMessageIcon::Warning, slot(1), JoinCrLf({slot(5), slot(6)}));
        m_state.currentFile.clear();
        return false;
    }
    // A pipe, a device or a file without read permission named in the
    // dialog is not an exercise file to edit.
    if (!m_files.Exists(path)) {
        message(EditorMessageIcon::Critical, slot(1), JoinCrLf({slot(0), slot(11)}));
        m_state.currentFile.clear();
        return false;
    }
    m_state.currentFile = path;
    setEditing(true);
    recount();
    selectWriteLevel(1);
    selectReadLevel(1);
    m_state.writePosition = 1;
    selectReadPosition(1);
    focusLine(0);
    return true;
}

EditorMessage SentenceEditor::HelpMissingMessage() const {
    return EditorMessage{EditorMessageIcon::Information, slot(1), slot(9) + " Zentavo.chm"};
}

bool StaysReadOnly(EditorFiles& files, const std::string& path) {
    const std::optional<bool> readOnly = files.ReadOnlyAttribute(path);
    if (!readOnly)
        return true;
    if (!*readOnly)
        return false;
    if (!files.ClearReadOnly(path))
        return true;
    const std::optional<bool> after = files.ReadOnlyAttribute(path);
    return !after || *after;
}
