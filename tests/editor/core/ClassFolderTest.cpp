#include "editor/core/ClassFolder.h"
#include "common/core/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

struct FolderCase {
    const char* name;
    std::string folder; // under the test's folder; "" for none
    bool makeIt;
    ClassFolderChoice expected;
};

TEST(ClassFolder, KeepsOnlyAFolderThatCanBeWritten) {
    const fs::path root = fs::temp_directory_path() / "zentavo-class-folder";
    fs::remove_all(root);
    fs::create_directories(root);
    const std::string settings = (root / "Zentavo.ini").string();
    std::ofstream(root / "a-file") << "x";

    const FolderCase cases[] = {
        {"writable", (root / "classe").string(), true, ClassFolderChoice::Saved},
        {"missing", (root / "nowhere").string(), false, ClassFolderChoice::NotWritable},
        {"a file", (root / "a-file").string(), false, ClassFolderChoice::NotWritable},
        {"cleared", "", false, ClassFolderChoice::Cleared},
    };
    for (const FolderCase& c : cases) {
        SaveClassFolder(settings, "before");
        if (c.makeIt)
            fs::create_directories(c.folder);
        EXPECT_EQ(SaveChosenClassFolder(settings, c.folder), c.expected) << c.name;
        const bool kept =
            c.expected == ClassFolderChoice::Saved || c.expected == ClassFolderChoice::Cleared;
        EXPECT_EQ(LoadClassFolder(settings), kept ? c.folder : "before") << c.name;
    }
    // The probe leaves nothing behind.
    EXPECT_TRUE(fs::is_empty(root / "classe"));

    // A settings file that cannot be replaced keeps the old choice.
    fs::create_directories(root / "ini-is-folder" / "Zentavo.ini");
    EXPECT_EQ(SaveChosenClassFolder((root / "ini-is-folder" / "Zentavo.ini").string(),
                                    (root / "classe").string()),
              ClassFolderChoice::NotSaved);
    fs::remove_all(root);
}

} // namespace
