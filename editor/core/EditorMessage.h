#pragma once

#include <initializer_list>
#include <string>

// A message box the editor's logic asks its window to show: icon, title and
// text, the text's lines joined by CR LF (Windows-1252 bytes throughout).
enum class EditorMessageIcon { Information, Warning, Critical };

struct EditorMessage {
    EditorMessageIcon icon = EditorMessageIcon::Information;
    std::string title;
    std::string text;

    bool operator==(const EditorMessage&) const = default;
};

inline std::string JoinCrLf(std::initializer_list<std::string> lines) {
    std::string joined;
    bool first = true;
    for (const std::string& line : lines) {
        if (!first)
            joined += "\r\n";
        joined += line;
        first = false;
    }
    return joined;
}
