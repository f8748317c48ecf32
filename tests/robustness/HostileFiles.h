// Scratch folders and the hostile file contents the robustness tests feed to
// the programs' readers: garbage, zeros, huge files, foreign line ends.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <stdexcept>
#include <string>
#include <sys/stat.h>

namespace hostile {

// A fresh folder for one test, removed with its content at the end.
class Folder {
public:
    Folder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zentavo-hostile-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        m_path = pattern + "/";
    }
    ~Folder() {
        std::error_code ec;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_path, ec))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_path, ec);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    const std::string& Path() const { return m_path; } // ends in "/"
    std::string File(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

inline void Write(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

inline std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void MakeReadOnly(const std::string& path) {
    ::chmod(path.c_str(), 0444);
}

// Bytes of every value, the same for every run (a fixed linear congruential
// sequence), so that a failure can be repeated.
inline std::string Garbage(std::size_t size, uint32_t seed = 12345) {
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(seed >> 24);
    }
    return bytes;
}

// Lines that look like entries of no section, up to about `size` bytes.
inline std::string JunkLines(std::size_t size) {
    std::string text;
    text.reserve(size + 64);
    for (int n = 0; text.size() < size; ++n)
        text += "junk" + std::to_string(n) + "=" + std::string(40, 'x') + "\r\n";
    return text;
}

inline std::string Lf(std::string text) {
    std::string out;
    for (char c : text)
        if (c != '\r')
            out += c;
    return out;
}

inline constexpr std::size_t kTenMegabytes = 10u * 1024u * 1024u;
inline constexpr const char* kBom = "\xEF\xBB\xBF";

// Names the instances of a table-driven test after their case's `name`.
struct CaseName {
    template <typename T> std::string operator()(const ::testing::TestParamInfo<T>& info) const {
        return info.param.name;
    }
};

} // namespace hostile
