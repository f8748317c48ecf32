#pragma once

#include "common/core/TextMeasure.h"
#include "editor/core/EditorFiles.h"
#include "editor/core/EditorMessage.h"

#include <array>
#include <cstdint>
#include <string>

// The exercise editor's working state and rules, free of any widget:
// the current file, the positions per level, the write and read positions
// with their level groups, the two input lines with their width and focus
// rules, saving with automatic stepping, reading with "Successiva", the
// sentence counts and the editing switch. The editor window forwards every
// user action to one SentenceEditor and renders State() when told that it
// changed; messages, beeps and focus moves reach it through the observer.

// Design: the button's own caption, shown until the first choice of a read
// position; Leggi and Successiva: the message slots 7 and 8.
enum class ReadCaption { Design, Leggi, Successiva };

struct EditorState {
    std::string currentFile; // "" when there is none
    int16_t positionsPerLevel = 15;
    bool editing = false;     // the editing switch
    bool saveEnabled = false; // cmdSalva
    bool readEnabled = true;  // cmdLeggi
    ReadCaption readCaption = ReadCaption::Design;
    int16_t writeLevel = 1;
    int16_t writePosition = 1;
    int16_t readLevel = 1;
    int16_t readPosition = 1;
    bool autoStep = false;
    bool updateSave = false;
    std::array<std::string, 2> lines;
    bool counted = false; // the counts below have been taken at least once
    std::array<int, 3> levelCounts{};
    bool indicatorRunning = false; // unsaved edits: the indicator animates
    int16_t animationStep = 0;
    int shownIcon = 400;
};

class SentenceEditorObserver {
public:
    virtual ~SentenceEditorObserver() = default;
    // Anything in State() may have changed.
    virtual void EditorChanged() = 0;
    virtual void FocusLine(int line) = 0;
    virtual void ShowMessage(const EditorMessage& message) = 0;
    virtual void Beep() = 0;
};

class SentenceEditor {
public:
    static constexpr int BoxWidth = 585;
    static constexpr int WidthMargin = 10;
    static constexpr int RestIcon = 400;
    static constexpr int MessageSlotCount = 20;
    using MessageTexts = std::array<std::string, MessageSlotCount>;
    // The window's font, in which the lines are measured.
    static FontSpec WindowFont() { return FontSpec{"Arial", 12.0f, false, false}; }

    SentenceEditor(EditorFiles& files, const TextMeasure& measure, SentenceEditorObserver& observer,
                   MessageTexts texts);

    const EditorState& State() const { return m_state; }
    const MessageTexts& Texts() const { return m_texts; }
    void SetMessageTexts(MessageTexts texts);
    // Background colour of the write level as R + 256 G + 65536 B.
    static int LevelColour(int level);
    int WriteLevelColour() const { return LevelColour(m_state.writeLevel); }

    void SelectWriteLevel(int level);
    void SelectWritePosition(int position);
    void SelectReadLevel(int level);
    void SelectReadPosition(int position);
    void SetPositionsPerLevel(int positions); // 15, 10 or 5
    void SetAutoStep(bool on);
    void SetUpdateSave(bool on);

    void LineEdited(int line, const std::string& text);
    void LineFocused(int line);
    void Save();
    void Read();
    void Tick();

    // A new file at path (the name came from the save dialog).
    bool CreateNewFile(const std::string& path);
    // An existing file (the name came from the open dialog).
    bool OpenFile(const std::string& path);

    // The message shown when the help page of the topic cannot be found; it
    // names the page in the help folder that was looked for.
    EditorMessage HelpMissingMessage(int topic) const;
    // True when the text, plus the margin, is wider than an input line.
    bool TooWide(const std::string& text) const;
    // The text as one line: line breaks and other control characters become blanks.
    static std::string SingleLine(const std::string& text);
    // The text shortened from its end until it fits an input line.
    std::string FitToBox(const std::string& text) const;
    // True when the two lines make a stored sentence longer than a reader
    // of exercise files takes back whole: a save would keep it, the next
    // read would cut it, and a save after that would lose the rest.
    bool TooLongToReadBack() const;

private:
    class Notifier;

    void selectWriteLevel(int level);
    void selectReadLevel(int level);
    void selectReadPosition(int position);
    void copyReadToWrite();
    void setLine(int line, const std::string& text);
    // The longest start of text that fits its input line and, with the other
    // line, the stored sentence.
    std::string fitLine(int line, const std::string& text) const;
    void clearLines();
    void resetPositions();
    void setEditing(bool on);
    void recount();
    void stepWritePosition();
    void stepReadPosition();
    void stopIndicator();
    void focusLine(int line);
    void message(EditorMessageIcon icon, const std::string& title, const std::string& text);
    const std::string& slot(int n) const { return m_texts[static_cast<std::size_t>(n)]; }
    int16_t clampPosition(int position) const;

    EditorFiles& m_files;
    const TextMeasure& m_measure;
    SentenceEditorObserver& m_observer;
    MessageTexts m_texts;
    EditorState m_state;
    int m_depth = 0;
};
