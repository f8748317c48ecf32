// The class roster's CSV for spreadsheets and its PDF report.
#include "common/core/UiTexts.h"
#include "editor/core/ClassCsv.h"
#include "editor/core/ClassReport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

ClassTexts Italian() {
    return ClassTexts::From(UiTexts::BuiltIn(UiProgram::Editor));
}

RosterRow Pupil(const std::string& name, const std::string& className) {
    RosterRow row;
    row.fileName = "3B-" + name + ".sqlite";
    row.pupil = {1, name, className};
    row.exercisesFinished = 12;
    row.sentences = 190;
    row.lastPractice = 1'796'634'000; // 7 December 2026, afternoon in Rome
    row.speedNow = 2.0575;            // 123.45 keystrokes a minute
    row.speedEarlier = 1.5;
    row.accuracy = 0.9751;
    row.weakestKeys = "\xE8"
                      "a "; // è, a, space
    return row;
}

struct LanguageCase {
    const char* language;
    bool builtIn;
    char separator;
    char decimalMark;
    const char* date;
};

TEST(ClassCsv, FollowsTheConventionsOfTheChosenLanguage) {
    ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    const LanguageCase cases[] = {
        {"Italian", true, ';', ',', "07/12/2026"},  {"English", false, ',', '.', "2026-12-07"},
        {"German", false, ';', ',', "07.12.2026"},  {"French", false, ';', ',', "07/12/2026"},
        {"Spanish", false, ';', ',', "07/12/2026"}, {"Klingon", false, ';', ',', "07/12/2026"},
    };
    for (const LanguageCase& c : cases) {
        const CsvConventions conventions = CsvConventionsOf(c.language, c.builtIn);
        EXPECT_EQ(conventions.separator, c.separator) << c.language;
        EXPECT_EQ(conventions.cells.decimalMark, c.decimalMark) << c.language;
        EXPECT_EQ(DateText(Pupil("x", "").lastPractice, conventions.cells.dates), c.date)
            << c.language;
    }
}

struct FieldCase {
    const char* text;
    char separator;
    char decimalMark;
    const char* written;
};

TEST(ClassCsv, QuotesTextsThatASpreadsheetWouldSplitOrMisread) {
    const FieldCase cases[] = {
        {"Giulia", ';', ',', "Giulia"},
        {"Rossi; Giulia", ';', ',', "\"Rossi; Giulia\""},
        {"Rossi, Giulia", ';', ',', "\"Rossi, Giulia\""}, // the decimal mark
        {"Rossi, Giulia", ',', '.', "\"Rossi, Giulia\""}, // the separator
        {"G. Rossi", ',', '.', "\"G. Rossi\""},
        {"G. Rossi", ';', ',', "G. Rossi"},
        {"\"Gigi\" Rossi", ';', ',', "\"\"\"Gigi\"\" Rossi\""},
        {"due\nrighe", ';', ',', "\"due\nrighe\""},
        {" Anna", ';', ',', "\" Anna\""},
        {"=SOMMA(A1)", ';', ',', "\"'=SOMMA(A1)\""},
        {"-1", ';', ',', "\"'-1\""},
        {"@Anna", ';', ',', "\"'@Anna\""},
        {"", ';', ',', ""},
    };
    for (const FieldCase& c : cases) {
        CsvConventions conventions;
        conventions.separator = c.separator;
        conventions.cells.decimalMark = c.decimalMark;
        EXPECT_EQ(CsvField(c.text, conventions), c.written) << c.text;
    }
}

TEST(ClassCsv, WritesOneLinePerFileWithFiguresAsNumbers) {
    ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    RosterRow noEarlier = Pupil("Zo\xEB, la \"rossa\"", "3B"); // Zoë
    noEarlier.speedEarlier.reset();
    noEarlier.fileName = "zoe.sqlite";
    RosterRow broken;
    broken.fileName = "strano;nome.sqlite";
    broken.problem = RosterProblem::Truncated;
    const std::vector<RosterRow> rows = {Pupil("Giulia", "3B"), noEarlier, broken};

    const std::string italian = ClassCsv(rows, Italian(), CsvConventionsOf("", true));
    EXPECT_EQ(italian,
              "\xEF\xBB\xBF"
              "Alunno;Classe;Esercizi finiti;Ultimo esercizio;"
              "Velocit\xC3\xA0 ora (battute / min);Velocit\xC3\xA0 4 settimane fa;"
              "Precisione (%);Tasti pi\xC3\xB9 deboli;Frasi;File;Problema\r\n"
              "Giulia;3B;12;07/12/2026;123,5;90,0;97,5;\xC3\xA8 a Spazio;190;3B-Giulia.sqlite;\r\n"
              "\"Zo\xC3\xAB, la \"\"rossa\"\"\";3B;12;07/12/2026;123,5;;97,5;"
              "\xC3\xA8 a Spazio;190;zoe.sqlite;\r\n"
              ";;;;;;;;;\"strano;nome.sqlite\";file troncato\r\n");

    UiTexts english = UiTexts::FromFile(UiProgram::Editor,
                                        std::string(ZENTAVO_SOURCE_DIR) + "/data/Lang/English.lng");
    const std::string csv = ClassCsv({Pupil("Giulia", "3B")}, ClassTexts::From(english),
                                     CsvConventionsOf("English", false));
    // A file's name holds the decimal point: it is quoted.
    EXPECT_NE(csv.find("\r\nGiulia,3B,12,2026-12-07,123.5,90.0,97.5,\xC3\xA8 a Space,190,"
                       "\"3B-Giulia.sqlite\",\r\n"),
              std::string::npos)
        << csv;
}

TEST(ClassCsv, ReplacesTheFileWholeOrNotAtAll) {
    const fs::path folder = fs::temp_directory_path() / "zentavo-class-csv";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string path = (folder / "classe.csv").string();
    ASSERT_TRUE(
        WriteClassCsv(path, {Pupil("Giulia", "3B")}, Italian(), CsvConventionsOf("", true)));
    std::ifstream in(path, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    EXPECT_EQ(written, ClassCsv({Pupil("Giulia", "3B")}, Italian(), CsvConventionsOf("", true)));
    EXPECT_FALSE(WriteClassCsv((folder / "missing" / "classe.csv").string(), {}, Italian(),
                               CsvConventionsOf("", true)));
    fs::remove_all(folder);
}

std::string PdfText(const std::string& path) {
    const std::string command = "pdftotext -layout '" + path + "' - 2>/dev/null";
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            text.append(buffer, got);
        ::pclose(pipe);
    }
    return text;
}

TEST(ClassReport, ListsEveryPupilOnAsManyPagesAsNeededThenTheMostWrongKeys) {
    ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    std::vector<RosterRow> rows;
    for (int i = 0; i < 60; ++i)
        rows.push_back(Pupil("Alunno " + std::to_string(i), "3B"));
    RosterRow broken;
    broken.fileName = "rotto.sqlite";
    broken.problem = RosterProblem::Damaged;
    rows.push_back(broken);
    ClassSummary summary;
    summary.mostWrong = {{'\xE8', 110, 14, 14.0 / 110}, {' ', 300, 12, 0.04}};
    ClassReportInput input;
    input.className = "3B";
    input.date = "07/12/2026";

    const std::string path = (fs::temp_directory_path() / "zentavo-class-report.pdf").string();
    EXPECT_EQ(CreaClassReportPDF(path, rows, summary, Italian(), input), 2);
    const std::string text = PdfText(path);
    if (text.empty())
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_NE(text.find("Rapporto della classe"), std::string::npos);
    EXPECT_NE(text.find("Classe: 3B"), std::string::npos);
    EXPECT_NE(text.find("Data: 07/12/2026"), std::string::npos);
    EXPECT_NE(text.find("Alunno 0 "), std::string::npos);
    EXPECT_NE(text.find("Alunno 59 "), std::string::npos);
    EXPECT_NE(text.find("rotto.sqlite"), std::string::npos);
    EXPECT_NE(text.find("file danneggiato"), std::string::npos);
    EXPECT_NE(text.find("\xC3\xA8 (14 / 110, 12,7%)"), std::string::npos);
    EXPECT_NE(text.find("Spazio (12 / 300, 4,0%)"), std::string::npos);
    // The most wrong keys come after the last pupil.
    EXPECT_LT(text.find("Alunno 59 "), text.find("Tasti sbagliati"));
    fs::remove(path);
}

} // namespace
