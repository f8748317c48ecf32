#pragma once

#include <string>

// The editor's own version: shown in its about box and written into every
// exercise file it creates.
struct EditorVersion {
    static constexpr int Major = 3;
    static constexpr int Minor = 0;
    static constexpr int Revision = 0;

    // "3.0.0"
    static std::string Text() {
        return std::to_string(Major) + "." + std::to_string(Minor) + "." + std::to_string(Revision);
    }
};
