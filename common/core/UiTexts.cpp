#include "common/core/UiTexts.h"

#include "common/core/AtomicFile.h"
#include "common/core/Cp1252.h"
#include "common/core/ExerciseFile.h"
#include "common/core/IniFormat.h"
#include "common/core/LanguageFiles.h"
#include "common/core/UiTextsTable.h"

#include <algorithm>
#include <array>

namespace {

const std::string kEmpty;
constexpr std::string_view kLineEnd = "\r\n";

// IDs of the message slots, slot by slot.
constexpr std::array<std::string_view, 35> kTutorSlotIds = {
    "0001", "0002", "0003", "0004", "0005", "0006", "0007", "0008", "0009", "0010", "0011", "0012",
    "0013", "0014", "0019", "0020", "1003", "0021", "0022", "0023", "0024", "0025", "0026", "0029",
    "0030", "0015", "0016", "0017", "0018", "0027", "0028", "1006", "0117", "0118", "0119"};
constexpr std::array<std::string_view, 20> kEditorSlotIds = {
    "2001", "2002", "2004", "2005", "2006", "2007", "2008", "2009", "2010", "2003",
    "2011", "2012", "2013", "2014", "2015", "2016", "2017", "2018", "2019", "2020"};

constexpr std::string_view kStartHintKey = " <Invio>";

std::vector<std::string> MakeIds(UiProgram program) {
    std::vector<std::string> ids;
    for (const UiTextEntry& entry : BuiltInUiTexts(program))
        ids.emplace_back(entry.id);
    return ids;
}

std::size_t IndexOf(UiProgram program, std::string_view id) {
    const auto& ids = UiTexts::Ids(program);
    const auto it = std::lower_bound(ids.begin(), ids.end(), id);
    if (it == ids.end() || *it != id)
        return ids.size();
    return static_cast<std::size_t>(it - ids.begin());
}

} // namespace

UiTexts::UiTexts(UiProgram program, bool fromFile) : m_program(program), m_fromFile(fromFile) {}

const std::vector<std::string>& UiTexts::Ids(UiProgram program) {
    static const std::vector<std::string> tutor = MakeIds(UiProgram::Tutor);
    static const std::vector<std::string> editor = MakeIds(UiProgram::Editor);
    return program == UiProgram::Tutor ? tutor : editor;
}

UiTexts UiTexts::ForLanguage(UiProgram program, const std::string& programFolder,
                             const std::string& language) {
    if (LanguageFileExists(programFolder, language))
        return FromFile(program, LanguageFilePath(programFolder, language));
    return BuiltIn(program);
}

UiTexts UiTexts::BuiltIn(UiProgram program) {
    UiTexts texts(program, false);
    for (const UiTextEntry& entry : BuiltInUiTexts(program)) {
        texts.m_texts.emplace_back(entry.text);
        texts.m_toolTips.emplace_back(entry.toolTip.empty() ? entry.text : entry.toolTip);
    }
    texts.BuildSlots();
    return texts;
}

UiTexts UiTexts::FromFile(UiProgram program, const std::string& lngPath) {
    UiTexts texts(program, true);
    const std::string bytes = ReadWholeFile(lngPath).value_or(std::string());
    // One pass over the section; IDs are digits, so an exact match is the
    // case-blind match of the INI rules, and the first entry of an ID wins.
    const auto& ids = Ids(program);
    texts.m_texts.assign(ids.size(), std::string());
    std::vector<bool> seen(ids.size(), false);
    for (const auto& [key, raw] : IniText(bytes).Entries(kLanguageSection)) {
        const std::size_t index = IndexOf(program, key);
        if (index < ids.size() && !seen[index]) {
            seen[index] = true;
            texts.m_texts[index] = TrimBlanks(CleanIniValue(raw, kLanguageValueLimit));
        }
    }
    texts.m_toolTips = texts.m_texts;
    texts.BuildSlots();
    return texts;
}

void UiTexts::BuildSlots() {
    if (m_program == UiProgram::Editor) {
        for (const std::string_view id : kEditorSlotIds)
            m_slots.push_back(Text(id));
        return;
    }
    for (const std::string_view id : kTutorSlotIds)
        m_slots.push_back(Text(id));
    m_slots[kSlotWelcome] += kLineEnd;
    // The built-in hint already shows the key in its own words.
    if (m_fromFile)
        m_slots[kSlotStartHint] += kStartHintKey;
    m_slots[kSlotChooseFile].insert(0, kLineEnd);
}

const std::string& UiTexts::Text(std::string_view id) const {
    const std::size_t index = IndexOf(m_program, id);
    return index < m_texts.size() ? m_texts[index] : kEmpty;
}

const std::string& UiTexts::ToolTip(std::string_view id) const {
    const std::size_t index = IndexOf(m_program, id);
    return index < m_toolTips.size() ? m_toolTips[index] : kEmpty;
}

const std::string& UiTexts::Slot(int slot) const {
    if (slot < 0 || slot >= static_cast<int>(m_slots.size()))
        return kEmpty;
    return m_slots[static_cast<std::size_t>(slot)];
}

LanguageChooserTexts UiTexts::ChooserTexts() const {
    LanguageChooserTexts t;
    if (m_program == UiProgram::Tutor) {
        t.caption = Text("0200");
        t.confirmQuestion = Text("0201");
        t.message = Text("0202");
        t.closeCaption = Text("0203");
        t.closeToolTip = Text("0204");
        t.infoToolTip = Text("0205");
        t.currentLanguage = Text("0206");
        t.author = Text("0207");
        return t;
    }
    // 2132 is also the language button's tool-tip, so the built-in caption
    // is the chooser's own.
    t.caption = m_fromFile ? Text("2132") : std::string("Scelta lingua"_cp1252);
    t.confirmQuestion = Text("2133");
    t.message = Text("2134");
    t.closeCaption = Text("2135");
    t.closeToolTip = Text("2136");
    t.infoToolTip = Text("2137");
    t.currentLanguage = Text("2138");
    t.author = Text("2139");
    return t;
}
