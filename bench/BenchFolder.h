#pragma once
// A scratch folder on the same disk as the system's temporary files, removed
// with everything in it when the benchmark ends.

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

class BenchFolder {
public:
    BenchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zentavo-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            m_path = pattern + "/";
    }
    ~BenchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    std::string File(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};
