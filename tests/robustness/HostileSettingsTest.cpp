// The settings file as a user's disk may hold it: missing, empty, zeroed,
// huge, binary, with foreign line ends or a byte-order mark, read-only or a
// folder. Both programs must read what can be read, fall back to the
// defaults for the rest, and never lose a save they report as done.
#include "HostileFiles.h"

#include "common/core/Settings.h"
#include "common/core/UiTexts.h"

#include <filesystem>
#include <functional>

namespace {

using hostile::Folder;

struct Expected {
    bool soundsOn = true;
    int backColor = 0;
    CategoryLevel category = CategoryLevel::Principiante;
    std::string bookmark;
    std::string language = "Italian";
    std::string editorLanguage = "Italian";
};

struct SettingsCase {
    std::string name;
    // Makes the settings file (or leaves it missing) at the given path.
    std::function<void(const std::string&)> make;
    Expected loaded;
    bool writable = true;
};

void PrintTo(const SettingsCase& c, std::ostream* os) {
    *os << c.name;
}

class NeverAsked : public BookmarkQuestion {
public:
    BookmarkAnswer Ask(const std::string&) override {
        ADD_FAILURE() << "the bookmark question is only for the course";
        return BookmarkAnswer::Cancel;
    }
};

const std::string kValid = "[Options]\r\nSong=0\r\nBackColor=7\r\nCategory=1\r\n"
                           "Bookmark=LEZIONE2\r\n[Language]\r\nCurrentLanguage=English\r\n"
                           "[EditorLanguage]\r\nCurrentLanguage=German\r\n";
const Expected kValidValues{false, 7, CategoryLevel::Esperto, "LEZIONE2", "English", "German"};

// Options every one of them different from the defaults.
TutorSettings Changed() {
    TutorSettings s;
    s.Ergonomic = true;
    s.SoundsOn = false;
    s.KeyMap = true;
    s.Highlight = true;
    s.BackColor = 9;
    s.Category = CategoryLevel::Esperto;
    s.CurrentLanguage = "Spanish";
    return s;
}

class HostileSettings : public testing::TestWithParam<SettingsCase> {};

TEST_P(HostileSettings, LoadsWhatItCanAndNeverLosesASave) {
    const SettingsCase& c = GetParam();
    Folder folder;
    const std::string ini = folder.File("Zentavo.ini");
    c.make(ini);
    const bool existed = std::filesystem::exists(ini);
    const std::string before = std::filesystem::is_regular_file(ini) ? hostile::Read(ini) : "";

    const TutorSettings loaded = LoadTutorSettings(ini);
    EXPECT_EQ(loaded.SoundsOn, c.loaded.soundsOn);
    EXPECT_EQ(loaded.BackColor, c.loaded.backColor);
    EXPECT_EQ(loaded.Category, c.loaded.category);
    EXPECT_EQ(loaded.Bookmark, c.loaded.bookmark);
    EXPECT_EQ(loaded.CurrentLanguage, c.loaded.language);
    EXPECT_EQ(LoadEditorLanguage(ini), c.loaded.editorLanguage);

    NeverAsked question;
    const UiTexts texts = UiTexts::BuiltIn(UiProgram::Tutor);
    const TutorSettings changed = Changed();
    const bool saved = SaveTutorSettings(ini, changed, false, "", question, texts);
    const bool editorSaved = SaveEditorLanguage(ini, "French");
    EXPECT_EQ(saved, c.writable);
    EXPECT_EQ(editorSaved, c.writable);

    if (!c.writable) {
        EXPECT_EQ(std::filesystem::exists(ini), existed);
        if (std::filesystem::is_regular_file(ini)) {
            EXPECT_EQ(hostile::Read(ini), before) << "a refused save changed the file";
        }
        return;
    }
    // What a save reported as done must be what the next start reads.
    const TutorSettings again = LoadTutorSettings(ini);
    EXPECT_EQ(again.Ergonomic, changed.Ergonomic);
    EXPECT_EQ(again.SoundsOn, changed.SoundsOn);
    EXPECT_EQ(again.KeyMap, changed.KeyMap);
    EXPECT_EQ(again.Highlight, changed.Highlight);
    EXPECT_EQ(again.BackColor, changed.BackColor);
    EXPECT_EQ(again.Category, changed.Category);
    EXPECT_EQ(again.Bookmark, c.loaded.bookmark) << "outside the course the bookmark stays";
    EXPECT_EQ(again.CurrentLanguage, "Spanish");
    EXPECT_EQ(LoadEditorLanguage(ini), "French");
    // No temporary file is left beside it.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileSettings,
    testing::Values(
        SettingsCase{"Missing", [](const std::string&) {}, {}},
        SettingsCase{"Empty", [](const std::string& p) { hostile::Write(p, ""); }, {}},
        SettingsCase{"ZeroFilled",
                     [](const std::string& p) { hostile::Write(p, std::string(8192, '\0')); },
                     {}},
        SettingsCase{"ZerosAroundTheOptions",
                     [](const std::string& p) {
                         hostile::Write(p, std::string(100, '\0') + "\r\n" + kValid +
                                               std::string(100, '\0'));
                     },
                     kValidValues},
        SettingsCase{
            "Binary", [](const std::string& p) { hostile::Write(p, hostile::Garbage(65536)); }, {}},
        SettingsCase{"TenMegabytesBeforeTheOptions",
                     [](const std::string& p) {
                         hostile::Write(p, "[Junk]\r\n" +
                                               hostile::JunkLines(hostile::kTenMegabytes) + kValid);
                     },
                     kValidValues},
        SettingsCase{"TenMegabytesOfOneLine",
                     [](const std::string& p) {
                         hostile::Write(
                             p, kValid + "[Tail]\r\nx=" + std::string(hostile::kTenMegabytes, 'y'));
                     },
                     kValidValues},
        SettingsCase{"LfOnly", [](const std::string& p) { hostile::Write(p, hostile::Lf(kValid)); },
                     kValidValues},
        SettingsCase{"CrOnlyIsOneHeaderLine",
                     [](const std::string& p) {
                         std::string text = hostile::Lf(kValid);
                         for (char& ch : text)
                             if (ch == '\n')
                                 ch = '\r';
                         hostile::Write(p, text);
                     },
                     {}},
        SettingsCase{"ByteOrderMark",
                     [](const std::string& p) { hostile::Write(p, hostile::kBom + kValid); },
                     kValidValues},
        SettingsCase{"Utf16",
                     [](const std::string& p) {
                         std::string wide = "\xFF\xFE";
                         for (char ch : kValid)
                             wide += std::string{ch, '\0'};
                         hostile::Write(p, wide);
                     },
                     {}},
        SettingsCase{
            "NoEndOfLastLine",
            [](const std::string& p) { hostile::Write(p, kValid.substr(0, kValid.size() - 2)); },
            kValidValues},
        SettingsCase{"ReadOnly",
                     [](const std::string& p) {
                         hostile::Write(p, kValid);
                         hostile::MakeReadOnly(p);
                     },
                     kValidValues, false},
        SettingsCase{"AFolder",
                     [](const std::string& p) { std::filesystem::create_directory(p); },
                     {},
                     false},
        SettingsCase{"InAFolderThatIsGone",
                     [](const std::string& p) {
                         std::filesystem::remove(std::filesystem::path(p).parent_path());
                     },
                     {},
                     false}),
    hostile::CaseName());

} // namespace
