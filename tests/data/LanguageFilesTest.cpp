// The shipped language files: Windows-1252 without byte-order mark, one
// [Strings] section with exactly the IDs both programs use plus the
// translator's name and address, every text filled and translated, access
// keys that stay unique in each window, and a no-break space where the
// programs write a value straight after a text.
#include "common/core/ExerciseFile.h"
#include "common/core/IniFormat.h"
#include "common/core/UiTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path langDir = fs::path(ZENTAVO_SOURCE_DIR) / "data" / "Lang";

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

std::vector<std::string> languages() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(langDir))
        if (entry.path().extension() == ".lng")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

fs::path fileOf(const std::string& language) {
    return langDir / (language + ".lng");
}

std::set<std::string> expectedKeys() {
    std::set<std::string> keys{"InfoAuthor", "MailAuthor"};
    for (UiProgram program : {UiProgram::Tutor, UiProgram::Editor})
        for (const std::string& id : UiTexts::Ids(program))
            keys.insert(id);
    return keys;
}

// Key and cleaned value of every entry of [Strings], in file order.
std::vector<std::pair<std::string, std::string>> entriesOf(const std::string& language) {
    const std::string bytes = readBytes(fileOf(language));
    std::vector<std::pair<std::string, std::string>> entries;
    for (const auto& [key, raw] : IniText(bytes).Entries("Strings"))
        entries.emplace_back(std::string(key), CleanIniValue(raw, kLanguageValueLimit));
    return entries;
}

std::string textOf(const std::string& language, const std::string& id) {
    const UiProgram program = id[0] == '2' ? UiProgram::Editor : UiProgram::Tutor;
    return UiTexts::FromFile(program, fileOf(language).string()).Text(id);
}

// The access key of a caption: the character after a single "&".
char accessKey(const std::string& caption) {
    const auto at = caption.find('&');
    if (at == std::string::npos || at + 1 >= caption.size())
        return 0;
    return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[at + 1])));
}

// The built-in Italian is the chooser's default entry; a file with the same
// texts would show Italian twice.
TEST(LanguageFiles, TheFourTranslationsShipAndNoFileRepeatsTheBuiltInItalian) {
    const std::vector<std::string> expected = {"English", "French", "German", "Spanish"};
    EXPECT_EQ(languages(), expected);
}

TEST(LanguageFiles, AreWindows1252WithCrLfAndNoBom) {
    for (const std::string& language : languages()) {
        SCOPED_TRACE(language);
        const std::string bytes = readBytes(fileOf(language));
        ASSERT_FALSE(bytes.empty());
        EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto c = static_cast<unsigned char>(bytes[i]);
            EXPECT_TRUE(c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D)
                << "undefined in Windows-1252 at " << i;
            EXPECT_TRUE(c >= 0x20 || c == '\r' || c == '\n') << "control byte at " << i;
            if (c == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
            }
            // A UTF-8 lead byte followed by a continuation byte: text saved
            // in the wrong encoding ("Ã¨" for "è").
            if ((c == 0xC3 || c == 0xC2) && i + 1 < bytes.size()) {
                const auto next = static_cast<unsigned char>(bytes[i + 1]);
                EXPECT_FALSE(next >= 0x80 && next <= 0xBF) << "UTF-8 text at " << i;
            }
        }
    }
}

TEST(LanguageFiles, HoldExactlyTheIdsOfBothProgramsInStrings) {
    const std::set<std::string> expected = expectedKeys();
    ASSERT_GT(expected.size(), 150u);
    for (const std::string& language : languages()) {
        SCOPED_TRACE(language);
        std::set<std::string> keys;
        for (const auto& [key, value] : entriesOf(language)) {
            EXPECT_TRUE(keys.insert(key).second) << "given twice: " << key;
            EXPECT_LE(value.size(), kLanguageValueLimit) << key;
        }
        EXPECT_EQ(keys, expected);
        // Nothing outside the section: the programs read [Strings] only.
        const std::string bytes = readBytes(fileOf(language));
        const auto entries = entriesOf(language);
        const auto inTexts = std::count_if(entries.begin(), entries.end(), [](const auto& e) {
            return e.second.find('[') != std::string::npos;
        });
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '['), 1 + inTexts)
            << "one section header only";
    }
}

TEST(LanguageFiles, EveryTextIsFilledAndReadsBackAsWritten) {
    for (const std::string& language : languages()) {
        SCOPED_TRACE(language);
        const UiTexts tutor = UiTexts::FromFile(UiProgram::Tutor, fileOf(language).string());
        const UiTexts editor = UiTexts::FromFile(UiProgram::Editor, fileOf(language).string());
        for (const auto& [key, value] : entriesOf(language)) {
            EXPECT_FALSE(value.empty()) << key;
            if (key.size() == 4) {
                EXPECT_EQ((key[0] == '2' ? editor : tutor).Text(key), value) << key;
            }
        }
        const auto entries = entriesOf(language);
        const auto mail = std::find_if(entries.begin(), entries.end(),
                                       [](const auto& e) { return e.first == "MailAuthor"; });
        ASSERT_NE(mail, entries.end());
        EXPECT_NE(mail->second.find('@'), std::string::npos);
    }
}

TEST(LanguageFiles, TranslationsDifferFromTheItalianTexts) {
    const UiTexts tutor = UiTexts::BuiltIn(UiProgram::Tutor);
    const UiTexts editor = UiTexts::BuiltIn(UiProgram::Editor);
    for (const std::string& language : languages()) {
        SCOPED_TRACE(language);
        int same = 0, total = 0;
        for (const auto& [key, value] : entriesOf(language)) {
            if (key.size() != 4)
                continue;
            const UiTexts& italian = key[0] == '2' ? editor : tutor;
            same += TrimBlanks(italian.Text(key)) == value;
            ++total;
        }
        // Words such as "Principiante" or "Versione" may coincide; most may not.
        EXPECT_LT(same * 10, total) << same << " of " << total << " left as in Italian";
    }
}

// Where a program writes a name, a number or a level right after the text, a
// trailing blank would be trimmed away when the file is read; a no-break
// space keeps the two apart.
TEST(LanguageFiles, TextsFollowedDirectlyByAValueEndInANoBreakSpace) {
    for (const std::string& language : languages())
        for (const char* id : {"0029", "0093", "0101", "0102", "0103", "2124"}) {
            const std::string text = textOf(language, id);
            ASSERT_FALSE(text.empty()) << language << " " << id;
            EXPECT_EQ(text.back(), '\xA0') << language << " " << id;
        }
}

// Buttons that share a window never share an access key, in any shipped
// language, the built-in Italian included: Alt+L opens the language chooser
// of the editor, never the read button beside it.
TEST(LanguageFiles, CaptionsKeepOneUniqueAccessKeyPerWindow) {
    const UiTexts tutor = UiTexts::BuiltIn(UiProgram::Tutor);
    const UiTexts editor = UiTexts::BuiltIn(UiProgram::Editor);
    const std::vector<std::vector<std::string>> windows = {
        {"0112", "0114"},                                 // results window
        {"2105", "2107", "2109", "2112", "2120", "2131"}, // editor window at start
        {"2009", "2105", "2107", "2109", "2120", "2131"}, // same, cmdLeggi reset to 2009
        {"2105", "2126"},                                 // editor's about box
        {"2546", "2547", "2549", "2550"},                 // class window
    };
    const auto checkWindows =
        [&windows](const std::function<std::string(const std::string&)>& caption) {
            for (const auto& window : windows) {
                std::set<char> keys;
                for (const std::string& id : window) {
                    const char k = accessKey(caption(id));
                    EXPECT_NE(k, 0) << id;
                    EXPECT_TRUE(keys.insert(k).second) << "access key used twice: " << id;
                }
            }
        };
    {
        SCOPED_TRACE("built-in Italian");
        checkWindows(
            [&](const std::string& id) { return (id[0] == '2' ? editor : tutor).Text(id); });
    }
    for (const std::string& language : languages()) {
        SCOPED_TRACE(language);
        for (const auto& [key, value] : entriesOf(language)) {
            if (key.size() != 4)
                continue;
            const UiTexts& italian = key[0] == '2' ? editor : tutor;
            const bool italianHasKey = italian.Text(key).find('&') != std::string::npos;
            EXPECT_EQ(std::count(value.begin(), value.end(), '&'), italianHasKey ? 1 : 0) << key;
        }
        checkWindows([&language](const std::string& id) { return textOf(language, id); });
    }
}

TEST(LanguageFiles, AccessKeyOfACaption) {
    EXPECT_EQ(accessKey("&Chiudi"), 'c');
    EXPECT_EQ(accessKey("L&eggi"), 'e');
    EXPECT_EQ(accessKey("Chiudi"), 0);
    EXPECT_EQ(accessKey("Chiudi&"), 0);
}

} // namespace
