// A program folder of its own in the temporary folder for tests that read
// exercise files, removed afterwards; and exercise files as the editor
// stores them.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        m_path = std::filesystem::temp_directory_path() /
                 ("zentavo-engine-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path() const { return m_path.string() + "/"; }
    void Write(const std::string& relative, const std::string& bytes) const {
        std::filesystem::create_directories((m_path / relative).parent_path());
        std::ofstream(m_path / relative, std::ios::binary) << bytes;
    }

private:
    std::filesystem::path m_path;
};

using SentenceEntries = std::vector<std::pair<std::string, std::string>>;

// Header, version and the three level sections with their entries, CR LF.
inline std::string ExerciseBytes(const SentenceEntries& level1, const SentenceEntries& level2 = {},
                                 const SentenceEntries& level3 = {}) {
    std::string text = "==============================================\r\n"
                       "*** Attenzione ***   Non  modificare  manualmente  questo file.\r\n"
                       "\r\n[Editor Zentavo]\r\nVersione=3.0.0\r\n";
    const SentenceEntries* levels[] = {&level1, &level2, &level3};
    for (int level = 1; level <= 3; ++level) {
        text += "[Livello" + std::to_string(level) + "]\r\n";
        if (levels[level - 1]->empty())
            text += "1=\r\n";
        for (const auto& [key, value] : *levels[level - 1])
            text += key + "=" + value + "\r\n";
    }
    return text;
}
