// The folder Lang/ as a damaged installation may leave it: gone, empty, a
// file in its place, or holding language files that are binary, cut short,
// zeroed or ten megabytes long. The programs must come up with the texts
// the file still holds (or the built-in Italian ones) and never with
// texts that a window cannot show.
#include "HostileFiles.h"

#include "common/core/LanguageFiles.h"
#include "common/core/UiTexts.h"
#include "editor/core/EditorTexts.h"

#include <filesystem>
#include <functional>
#include <map>

namespace {

using hostile::Folder;

std::string EnglishFile() {
    return hostile::Read(std::string(ZENTAVO_SOURCE_DIR) + "/data/Lang/English.lng");
}

// How the texts read from the damaged file must relate to the shipped file.
enum class Texts {
    BuiltIn,       // no usable file: the built-in Italian texts
    AsShipped,     // every text as in the shipped English file
    ShippedPrefix, // texts of the part that is left, "" after the cut
    Bounded,       // anything, as long as every text can be shown
};

struct LanguageCase {
    std::string name;
    // Makes the program folder's Lang/ (the settings name English).
    std::function<void(const std::string& folder)> make;
    Texts texts;
    std::vector<std::string> listed;
};

void PrintTo(const LanguageCase& c, std::ostream* os) {
    *os << c.name;
}

void CheckShowable(const UiTexts& texts, UiProgram program) {
    for (const std::string& id : UiTexts::Ids(program)) {
        const std::string& text = texts.Text(id);
        EXPECT_LE(text.size(), 511u) << id;
        EXPECT_EQ(text.find('\0'), std::string::npos) << id;
        EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << id;
    }
}

class HostileLanguage : public testing::TestWithParam<LanguageCase> {};

TEST_P(HostileLanguage, TextsComeFromWhatIsLeftOrFromItalian) {
    const LanguageCase& c = GetParam();
    Folder folder;
    hostile::Write(folder.File("Zentavo.ini"), "[Language]\r\nCurrentLanguage=English\r\n"
                                               "[EditorLanguage]\r\nCurrentLanguage=English\r\n");
    c.make(folder.Path());

    EXPECT_EQ(ListLanguages(folder.Path()), c.listed);
    const EditorLanguageTexts editor =
        LoadEditorTexts(folder.File("Zentavo.ini"), folder.Path(), "");
    EXPECT_EQ(editor.language, "English");
    EXPECT_EQ(editor.fromFile, c.texts != Texts::BuiltIn);

    const std::string path = LanguageFilePath(folder.Path(), "English");
    Folder shippedFolder;
    hostile::Write(shippedFolder.File("English.lng"), EnglishFile());
    for (UiProgram program : {UiProgram::Tutor, UiProgram::Editor}) {
        const UiTexts shipped = UiTexts::FromFile(program, shippedFolder.File("English.lng"));
        const UiTexts read = c.texts == Texts::BuiltIn ? UiTexts::BuiltIn(program)
                                                       : UiTexts::FromFile(program, path);
        CheckShowable(read, program);
        bool cut = false;
        for (const std::string& id : UiTexts::Ids(program)) {
            switch (c.texts) {
            case Texts::BuiltIn:
                EXPECT_EQ(read.Text(id), UiTexts::BuiltIn(program).Text(id)) << id;
                break;
            case Texts::AsShipped:
                EXPECT_EQ(read.Text(id), shipped.Text(id)) << id;
                break;
            case Texts::ShippedPrefix:
                // IDs are stored in order: whole texts, one cut text, then nothing.
                if (!cut && read.Text(id) != shipped.Text(id)) {
                    cut = true;
                    EXPECT_EQ(shipped.Text(id).rfind(read.Text(id), 0), 0u) << id;
                } else if (cut) {
                    EXPECT_EQ(read.Text(id), "") << id;
                }
                break;
            case Texts::Bounded:
                break;
            }
        }
        if (c.texts == Texts::ShippedPrefix) {
            EXPECT_TRUE(cut) << "the cut file should miss some texts";
        }
    }
    // The translator's name is read under the same limits.
    const LanguageAuthor author = ReadLanguageAuthor(folder.Path(), "English");
    EXPECT_LE(author.name.size(), 511u);
    EXPECT_LE(author.mail.size(), 511u);
}

void English(const std::string& folder, const std::string& bytes) {
    hostile::Write(folder + "Lang/English.lng", bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, HostileLanguage,
    testing::Values(
        LanguageCase{"NoLangFolder", [](const std::string&) {}, Texts::BuiltIn, {}},
        LanguageCase{"EmptyLangFolder",
                     [](const std::string& f) { std::filesystem::create_directory(f + "Lang"); },
                     Texts::BuiltIn,
                     {}},
        LanguageCase{"LangIsAFile",
                     [](const std::string& f) { hostile::Write(f + "Lang", "x"); },
                     Texts::BuiltIn,
                     {}},
        LanguageCase{"LanguageFileIsAFolder",
                     [](const std::string& f) {
                         std::filesystem::create_directories(f + "Lang/English.lng");
                     },
                     Texts::BuiltIn,
                     {}},
        LanguageCase{
            "OtherLanguagesOnly",
            [](const std::string& f) { hostile::Write(f + "Lang/German.lng", "[Strings]"); },
            Texts::BuiltIn,
            {"German"}},
        LanguageCase{"Binary",
                     [](const std::string& f) { English(f, hostile::Garbage(200000)); },
                     Texts::Bounded,
                     {"English"}},
        LanguageCase{"ZeroFilled",
                     [](const std::string& f) { English(f, std::string(65536, '\0')); },
                     Texts::Bounded,
                     {"English"}},
        LanguageCase{
            "Empty", [](const std::string& f) { English(f, ""); }, Texts::Bounded, {"English"}},
        LanguageCase{"CutInTheMiddleOfAText",
                     [](const std::string& f) {
                         const std::string full = EnglishFile();
                         const std::size_t at = full.find("0076=") + 20;
                         English(f, full.substr(0, at));
                     },
                     Texts::ShippedPrefix,
                     {"English"}},
        LanguageCase{"TenMegabytesOfUnknownKeysAfterTheTexts",
                     [](const std::string& f) {
                         English(f, EnglishFile() + hostile::JunkLines(hostile::kTenMegabytes));
                     },
                     Texts::AsShipped,
                     {"English"}},
        LanguageCase{"TenMegabytesBeforeTheTexts",
                     [](const std::string& f) {
                         English(f, "[Junk]\r\n" + hostile::JunkLines(hostile::kTenMegabytes) +
                                        EnglishFile());
                     },
                     Texts::AsShipped,
                     {"English"}},
        LanguageCase{"LfOnly",
                     [](const std::string& f) { English(f, hostile::Lf(EnglishFile())); },
                     Texts::AsShipped,
                     {"English"}},
        LanguageCase{"ByteOrderMark",
                     [](const std::string& f) { English(f, hostile::kBom + EnglishFile()); },
                     Texts::AsShipped,
                     {"English"}},
        LanguageCase{"TextsOfTwoThousandCharacters",
                     [](const std::string& f) {
                         std::string text = "[Strings]\r\n";
                         for (const std::string& id : UiTexts::Ids(UiProgram::Editor))
                             text += id + "=" + std::string(2000, 'w') + "\r\n";
                         English(f, text);
                     },
                     Texts::Bounded,
                     {"English"}}),
    hostile::CaseName());

} // namespace
