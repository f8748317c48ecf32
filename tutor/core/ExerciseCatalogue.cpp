#include "tutor/core/ExerciseCatalogue.h"

#include "common/core/AtomicFile.h"
#include "common/core/Cp1252.h"
#include "common/core/ExerciseFile.h"
#include "common/core/IniFormat.h"
#include "common/core/ProgramPaths.h"
#include "common/core/RegularFile.h"
#include "tutor/core/KeyTable.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

constexpr std::string_view kExtension = ".ftd";

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool HasExerciseExtension(const std::string& name) {
    return name.size() > kExtension.size() &&
           Cp1252EqualNoCase(std::string_view(name).substr(name.size() - kExtension.size()),
                             kExtension);
}

// The names of the regular files in a folder; none when it is missing.
std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(NativePath(folder), error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError))
            names.push_back(it->path().filename().native());
    }
    return names;
}

// The characters of a stored line that a key types. A line holds no line
// break: a stray CR would have its Enter typed and the character after it
// skipped, as if it were the LF of a line break.
std::string TypeableLine(const std::string& line) {
    std::string kept = FilterToKeyboard(line);
    kept.erase(std::remove(kept.begin(), kept.end(), '\r'), kept.end());
    return kept;
}

} // namespace

std::string BaseName(const std::string& fileName) {
    return fileName.substr(0, fileName.find('.'));
}

std::string Cp1252Upper(std::string text) {
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)) {
            c = static_cast<char>(byte - 0x20);
        } else if (byte == 0x9A || byte == 0x9C || byte == 0x9E) {
            c = static_cast<char>(byte - 0x10);
        } else if (byte == 0xFF) {
            c = static_cast<char>(0x9F);
        }
    }
    return text;
}

ExerciseCatalogue::ExerciseCatalogue(std::vector<std::string> places, const UiTexts& texts,
                                     const TextMeasure& measure, SentenceLine line,
                                     std::string bookmark)
    : m_places(std::move(places)), m_measure(measure), m_line(std::move(line)),
      m_bookmark(std::move(bookmark)) {
    for (std::string& place : m_places)
        place = WithTrailingSlash(place);
    SetTexts(texts);
}

void ExerciseCatalogue::SetTexts(const UiTexts& texts) {
    m_exercisesHeader = texts.Text("0063") + " " + "Zentavo" + " ]";
    m_courseHeader = texts.Text("0064");
}

std::string ExerciseCatalogue::SelectedEntry() const {
    if (m_selected < 0 || m_selected >= static_cast<int>(m_entries.size()))
        return {};
    return m_entries[static_cast<std::size_t>(m_selected)];
}

// Directory order is arbitrary on Linux; the list is kept in byte order of
// the names so that a course follows the order of its file names.
std::vector<std::string> ExerciseCatalogue::ListFiles(const char* folder) const {
    std::vector<std::string> names;
    for (const std::string& place : m_places) {
        for (std::string& name : FilesIn(place + folder)) {
            // A name that is only an extension has no base name to list.
            if (HasExerciseExtension(name) && !BaseName(name).empty())
                names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

void ExerciseCatalogue::FillExerciseList() {
    m_fillingList = true;
    m_entries.clear();
    m_selected = -1;
    for (const std::string& name : ListFiles(kExercisesFolder))
        m_entries.push_back(BaseName(name));
    if (!m_entries.empty())
        m_entries.insert(m_entries.begin(), m_exercisesHeader);
    const bool course = !ListFiles(kCourseFolder).empty();
    if (course) {
        if (m_entries.empty())
            m_entries.push_back(m_exercisesHeader);
        m_entries.insert(m_entries.begin() + 1, m_courseHeader);
    }
    m_headers.assign(m_entries.size(), false);
    if (!m_entries.empty())
        m_headers[0] = true;
    if (course)
        m_headers[1] = true;
    if (!m_entries.empty())
        m_selected = 0;
    m_fillingList = false;
}

void ExerciseCatalogue::FillCourseList() {
    const std::vector<std::string> files = ListFiles(kCourseFolder);
    if (files.empty())
        return;
    m_fillingList = true;
    m_entries.clear();
    for (const std::string& name : files)
        m_entries.push_back(Utf8ToUpper(BaseName(name)));
    m_entries.push_back(m_exercisesHeader);
    m_headers.assign(m_entries.size(), false);
    m_headers.back() = true;
    const int courseFiles = static_cast<int>(files.size());
    m_selected = 0;
    if (!m_bookmark.empty()) {
        // The bookmark is text of the settings file, the entries are names.
        const std::string bookmark = Cp1252ToFileName(m_bookmark);
        const auto found = std::find(m_entries.begin(), m_entries.begin() + courseFiles, bookmark);
        const int at = static_cast<int>(found - m_entries.begin());
        if (at + 1 < courseFiles)
            m_selected = at + 1;
    }
    m_fillingList = false;
}

void ExerciseCatalogue::ChooseEntry(int index) {
    if (m_fillingList || index < 0 || index >= static_cast<int>(m_entries.size()))
        return;
    m_selected = index;
    const std::string text = m_entries[static_cast<std::size_t>(index)];
    if (text == m_courseHeader) {
        FillCourseList();
        m_courseMode = true;
    } else if (text == m_exercisesHeader) {
        FillExerciseList();
        m_courseMode = false;
    }
}

bool ExerciseCatalogue::EntryIsFileName(int index) const {
    return index >= 0 && index < static_cast<int>(m_headers.size()) &&
           !m_headers[static_cast<std::size_t>(index)];
}

std::string ExerciseCatalogue::ExerciseFileName() const {
    const auto slash = m_exerciseFile.find_last_of('/');
    return FileNameToCp1252(slash == std::string::npos ? m_exerciseFile
                                                       : m_exerciseFile.substr(slash + 1));
}

void ExerciseCatalogue::ClearExerciseFile() {
    m_exerciseFile.clear();
    m_openPath.clear();
}

// Windows finds "LEZIONE1.ftd" when the disk holds "lezione1.ftd"; the
// course list shows names in capitals, so the lookup ignores letter case
// when no file has exactly the name asked for.
std::string ExerciseCatalogue::FindFile(const char* folder, const std::string& name) const {
    for (const std::string& place : m_places) {
        const std::string exact = place + folder + name;
        if (CanReadRegularFile(exact))
            return exact;
    }
    for (const std::string& place : m_places) {
        for (const std::string& candidate : FilesIn(place + folder)) {
            if (Utf8EqualNoCase(candidate, name) && CanReadRegularFile(place + folder + candidate))
                return place + folder + candidate;
        }
    }
    return {};
}

void ExerciseCatalogue::SelectExerciseFile(const std::string& name) {
    ClearExerciseFile();
    if (!EndsWith(name, kExtension) || name.find_first_of("/\\") != std::string::npos)
        return;
    const char* folder = m_courseMode ? kCourseFolder : kExercisesFolder;
    const std::string found = FindFile(folder, name);
    if (found.empty())
        return;
    m_openPath = found;
    m_exerciseFile = found.substr(0, found.size() - name.size()) + name;
}

// On Windows the exercise came as "/name.ftd"; here a path is natural, so
// the file's name is the text after the last "/" (or the whole text), and
// the file must lie in "Esercizi/" as before.
void ExerciseCatalogue::SelectFromCommandLine(const std::string& commandLine) {
    if (commandLine.empty())
        return;
    m_commandLine.clear();
    const auto slash = commandLine.find_last_of('/');
    const std::string name =
        TrimBlanks(slash == std::string::npos ? commandLine : commandLine.substr(slash + 1));
    if (!EndsWith(name, kExtension) || name.find('\\') != std::string::npos)
        return;
    const std::string found = FindFile(kExercisesFolder, name);
    if (found.empty())
        return;
    m_openPath = found;
    m_exerciseFile = found.substr(0, found.size() - name.size()) + name;
    m_commandLine = commandLine;
}

std::string ExerciseCatalogue::FitLine(std::string line) const {
    while (!line.empty() && m_measure.Width(line, m_line.font) > m_line.width)
        line.pop_back();
    if (line.size() < 2)
        line += line;
    if (line.size() < 3)
        line += line;
    return line;
}

std::string ExerciseCatalogue::PrepareSentence(const std::string& stored) const {
    const std::string value = TrimBlanks(stored);
    if (value.empty())
        return {};
    const SentenceLines lines = SplitSentenceValue(value);
    if (!lines.hasSecond)
        return TypeableLine(FitLine(value));
    const std::string first = TypeableLine(FitLine(TrimBlanks(lines.first)));
    const std::string second = TypeableLine(FitLine(TrimBlanks(lines.second)));
    // Two lines with nothing left to type would be a sentence of one
    // Enter; it counts as no sentence, like a one-line value.
    if (first.empty() && second.empty())
        return {};
    return first + "\r\n" + second;
}

std::string ExerciseCatalogue::ReadExerciseSentence(std::int16_t level, std::int16_t number) const {
    if (m_openPath.empty())
        return {};
    try {
        return PrepareSentence(ReadSentence(m_openPath, level, number));
    } catch (const std::exception&) {
        return {};
    }
}

std::string ExerciseCatalogue::ReadLevelSentence(std::int16_t level, std::int16_t drawnNumber,
                                                 std::int16_t orderedNumber) const {
    if (m_openPath.empty())
        return {};
    try {
        const auto bytes = ReadWholeFile(m_openPath);
        if (!bytes)
            return {};
        const IniText ini(*bytes);
        const std::string section = "Livello" + std::to_string(level);
        const auto sentence = [&](int number) {
            const auto raw = ini.RawValue(section, std::to_string(number));
            return raw ? PrepareSentence(CleanIniValue(*raw, kIniValueLimit)) : std::string();
        };
        const bool fifteen = !sentence(kSentencesInOrder + 1).empty();
        return sentence(fifteen ? drawnNumber : orderedNumber);
    } catch (const std::exception&) {
        return {};
    }
}
