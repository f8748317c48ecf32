// The line structure of INI text under the private-profile rules, as a
// read-only view over the bytes, plus the edits a writer makes. IniManager
// and the language-file reader share it.
//
// A section header is a line whose first non-blank character is "["; its
// name runs to the first "]". An entry is a line with "=" inside a section:
// the key is the text before the first "=", the raw value the text after it.
// Lines before the first header, blank lines and lines without "=" are not
// entries. Lines end in LF or CR LF; the last one may lack its end, and a
// UTF-8 byte-order mark in front of the first line is not part of it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

inline constexpr std::size_t kIniValueLimit = 254;      // a 255-character buffer
inline constexpr std::size_t kLanguageValueLimit = 511; // a 512-character buffer

class IniText {
public:
    explicit IniText(std::string_view text) : m_text(text) {}

    // The raw value of the first matching key in the first matching section.
    std::optional<std::string_view> RawValue(std::string_view section, std::string_view key) const;
    // Every entry of the first matching section in file order (key, raw value).
    std::vector<std::pair<std::string_view, std::string_view>>
    Entries(std::string_view section) const;

    // The whole text after one edit; lines not concerned are kept byte for byte.
    std::string WithValue(std::string_view section, std::string_view key,
                          std::string_view value) const;
    std::string WithoutSection(std::string_view section) const;
    std::string WithoutKey(std::string_view section, std::string_view key) const;

private:
    std::string_view m_text;
};

// A raw value as a reader returns it: blanks around it dropped, one enclosing
// pair of single or double quotes dropped, at most maxChars characters, cut
// at the first NUL.
std::string CleanIniValue(std::string_view raw, std::size_t maxChars);

// True when a name or value could be written so that it reads back the same
// (no line breaks or NUL; keys without "=" and not starting with "[";
// sections without "]").
bool IsWritableIniSection(std::string_view section);
bool IsWritableIniKey(std::string_view key);
bool IsWritableIniValue(std::string_view value);
