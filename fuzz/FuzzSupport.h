#pragma once
// What the fuzz targets that write their inputs to files share: a folder of
// this run's own (in memory where it can be), its subfolders emptied after
// each input, and the check that stops the run on a broken promise.

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fuzz_support {

class ScratchFolder {
public:
    ScratchFolder(std::string_view target, std::initializer_list<const char*> subfolders = {})
        : m_subfolders(subfolders.begin(), subfolders.end()) {
        const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        path = std::filesystem::path(base) /
               ("zentavo-fuzz-" + std::string(target) + "-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        for (const std::string& sub : m_subfolders)
            std::filesystem::create_directories(path / sub);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // What the last input left, in the subfolders or, without any, in the
    // folder itself.
    void Empty() const {
        std::error_code ec;
        const auto clear = [&ec](const std::filesystem::path& folder) {
            for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
                std::filesystem::remove_all(entry.path(), ec);
        };
        if (m_subfolders.empty())
            clear(path);
        for (const std::string& sub : m_subfolders)
            clear(path / sub);
    }

    std::filesystem::path path;

private:
    std::vector<std::string> m_subfolders;
};

inline void Check(bool holds) {
    if (!holds)
        __builtin_trap();
}

inline bool IsRate(double value) {
    return value >= 0.0 && value <= 1.0;
}

} // namespace fuzz_support
