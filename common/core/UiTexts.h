// The user-interface texts of one program, by four-digit ID and by message
// slot, filled wholly from a language file or wholly from the built-in
// Italian texts, never mixed. All texts are Windows-1252.
//
// Built-in texts are the controls' own design texts. Where one ID serves both
// the caption and the tool-tip of a control, Text() gives the caption and
// ToolTip() the tool-tip; with a language file both give the file's text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class UiProgram { Tutor, Editor };

// The tutor's message slots (UiTexts::Slot), by what each says.
enum TutorSlot : int {
    kSlotBuiltInSentences = 0, // the caption's "- Frasi interne"
    kSlotFirstLevel = 1,       // the caption's "level: sentence", levels 1 to 3
    kSlotRestartUnavailable = 4,
    kSlotRestartQuestion = 5,
    kSlotYouScored = 6,
    kSlotPointsAndSpeed = 7, // before the speed of a record
    kSlotKeystrokes = 8,
    kSlotRecordBeaten = 9,
    kSlotPressEnter = 10,
    kSlotWelcome = 11,
    kSlotStartHint = 12,
    kSlotChooseFile = 13,
    kSlotLayoutNotSet = 14,
    kSlotMayMisbehave = 15,
    kSlotLayoutLanguage = 16,
    kSlotPrintQuestion = 23,
    kSlotPrintNotice = 24,
    kSlotCloseQuestion = 25,
    kSlotCloseLosesData = 26,
    kSlotCapsLockPressed = 27,
    kSlotRightButtonPressed = 28,
    kSlotBeginner = 29,
    kSlotExpert = 30,
    kSlotLayoutName = 31,
    kSlotCheckLanguageHelp = 32,
    kSlotPoints = 33, // before the speed of an ordinary result
    kSlotSplitToolTip = 34,
};

// The texts of the language chooser window, the same window in both programs
// but fed from each program's own IDs.
struct LanguageChooserTexts {
    std::string caption;
    std::string message;
    std::string closeCaption;
    std::string closeToolTip;
    std::string infoToolTip;
    std::string confirmQuestion; // text slot 0
    std::string currentLanguage; // text slot 1
    std::string author;          // text slot 2
};

class UiTexts {
public:
    static UiTexts BuiltIn(UiProgram program);
    // Every ID from the file; an ID the file lacks, or a missing file, gives "".
    static UiTexts FromFile(UiProgram program, const std::string& lngPath);
    // The texts of a language: from its file in Lang/ when that exists, else
    // the built-in Italian (the chooser's default entry has no file).
    static UiTexts ForLanguage(UiProgram program, const std::string& programFolder,
                               const std::string& language);

    const std::string& Text(std::string_view id) const; // "" when unknown/missing
    const std::string& ToolTip(std::string_view id) const;
    const std::string& Slot(int slot) const; // tutor 0-34, editor 0-19; "" otherwise
    bool FromLanguageFile() const { return m_fromFile; }
    UiProgram Program() const { return m_program; }
    int SlotCount() const { return static_cast<int>(m_slots.size()); }
    LanguageChooserTexts ChooserTexts() const;

    static const std::vector<std::string>& Ids(UiProgram program); // every ID the program uses

private:
    UiTexts(UiProgram program, bool fromFile);
    void BuildSlots();

    UiProgram m_program;
    bool m_fromFile;
    std::vector<std::string> m_texts;    // parallel to Ids(m_program)
    std::vector<std::string> m_toolTips; // parallel to Ids(m_program)
    std::vector<std::string> m_slots;
};
