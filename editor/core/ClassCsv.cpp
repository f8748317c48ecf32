#include "editor/core/ClassCsv.h"

#include "common/core/AtomicFile.h"
#include "common/core/Cp1252.h"
#include "common/core/LanguageFiles.h"
#include "common/core/ProgramPaths.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
// Characters that make a spreadsheet read a cell as a formula.
constexpr std::string_view kFormulaStarts = "=+-@\t\r";

struct LocaleConventions {
    std::string_view locale;
    char separator;
    char decimalMark;
    DateStyle dates;
};

constexpr LocaleConventions kConventions[] = {
    {"it", ';', ',', DateStyle::DaySlash}, {"en", ',', '.', DateStyle::Iso},
    {"de", ';', ',', DateStyle::DayDot},   {"fr", ';', ',', DateStyle::DaySlash},
    {"es", ';', ',', DateStyle::DaySlash},
};

std::string Utf8(const std::string& cp1252) {
    return Cp1252ToUtf8(cp1252);
}

void AddLine(std::string& out, const std::vector<std::string>& fields,
             const CsvConventions& conventions) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += conventions.separator;
        out += CsvField(fields[i], conventions);
    }
    out += kLineEnd;
}

} // namespace

CsvConventions CsvConventionsOf(std::string_view language, bool builtInTexts) {
    const std::string locale = LanguageLocaleName(language, builtInTexts);
    const LocaleConventions* chosen = &kConventions[0];
    for (const LocaleConventions& c : kConventions) {
        if (c.locale == locale)
            chosen = &c;
    }
    CsvConventions conventions;
    conventions.separator = chosen->separator;
    conventions.cells.decimalMark = chosen->decimalMark;
    conventions.cells.dates = chosen->dates;
    conventions.cells.speedDecimals = true;
    conventions.cells.missing.clear();
    return conventions;
}

std::string CsvField(std::string_view utf8, const CsvConventions& conventions) {
    std::string field(utf8);
    const bool formula = !field.empty() && kFormulaStarts.find(field.front()) != std::string::npos;
    if (formula)
        field.insert(field.begin(), '\'');
    const bool quoted = formula || field.find(conventions.separator) != std::string::npos ||
                        field.find(conventions.cells.decimalMark) != std::string::npos ||
                        field.find_first_of("\"\r\n") != std::string::npos ||
                        (!field.empty() && (field.front() == ' ' || field.back() == ' '));
    if (!quoted)
        return field;
    std::string out = "\"";
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

std::string ClassCsv(const std::vector<RosterRow>& rows, const ClassTexts& texts,
                     const CsvConventions& conventions) {
    std::string out(kByteOrderMark);
    std::vector<std::string> fields;
    for (const std::string& title : texts.columns)
        fields.push_back(Utf8(title));
    fields.push_back(Utf8(texts.problemColumn));
    // Figures (counts, the date, speeds, rates) are never quoted: a number
    // with a decimal comma must stay a number for the spreadsheet, and none
    // of them can hold the separator.
    const auto addLine = [&](const std::vector<std::string>& line, std::size_t firstFigure,
                             std::size_t lastFigure) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (i > 0)
                out += conventions.separator;
            out += i >= firstFigure && i <= lastFigure ? line[i] : CsvField(line[i], conventions);
        }
        out += kLineEnd;
    };
    AddLine(out, fields, conventions);
    CellFormat cells = conventions.cells;
    cells.spaceKey = texts.spaceKey;
    cells.enterKey = texts.enterKey;
    const auto figureFirst = static_cast<std::size_t>(RosterColumn::ExercisesFinished);
    const auto figureLast = static_cast<std::size_t>(RosterColumn::Accuracy);
    for (const RosterRow& row : rows) {
        fields.clear();
        for (int c = 0; c < kRosterColumnCount; ++c) {
            const auto column = static_cast<RosterColumn>(c);
            if (column == RosterColumn::File)
                fields.push_back(Utf8(FileNameToCp1252(row.fileName)));
            else if (row.Readable())
                fields.push_back(Utf8(RosterCell(row, column, cells)));
            else
                fields.emplace_back();
        }
        fields.push_back(Utf8(texts.Problem(row.problem)));
        addLine(fields, figureFirst, figureLast);
    }
    return out;
}

bool WriteClassCsv(const std::string& path, const std::vector<RosterRow>& rows,
                   const ClassTexts& texts, const CsvConventions& conventions) {
    return WriteFileAtomically(path, ClassCsv(rows, texts, conventions));
}
