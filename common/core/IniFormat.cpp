#include "common/core/IniFormat.h"

#include "common/core/Cp1252.h"

#include <cstring>

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

enum class LineKind { Other, Header, Entry };

struct Line {
    std::size_t begin = 0;      // first byte of the line (after a BOM on line 1)
    std::size_t contentEnd = 0; // before CR LF / LF
    std::size_t next = 0;       // first byte of the following line
    LineKind kind = LineKind::Other;
    std::string_view name; // section name or key, trimmed
    std::string_view value;
    bool blank = true;
};

// Walks the lines of a text one at a time.
class LineReader {
public:
    explicit LineReader(std::string_view text) : m_text(text) {
        if (m_text.substr(0, kBom.size()) == kBom)
            m_pos = kBom.size();
    }

    bool Next(Line& line) {
        if (m_pos >= m_text.size())
            return false;
        line.begin = m_pos;
        const char* start = m_text.data() + m_pos;
        const auto* lf = static_cast<const char*>(std::memchr(start, '\n', m_text.size() - m_pos));
        if (lf) {
            line.contentEnd = static_cast<std::size_t>(lf - m_text.data());
            line.next = line.contentEnd + 1;
        } else {
            line.contentEnd = m_text.size();
            line.next = m_text.size();
        }
        if (line.contentEnd > line.begin && m_text[line.contentEnd - 1] == '\r')
            --line.contentEnd;
        m_pos = line.next;
        Classify(line);
        return true;
    }

private:
    void Classify(Line& line) const {
        const std::string_view content = m_text.substr(line.begin, line.contentEnd - line.begin);
        const std::string_view trimmed = Trim(content);
        line.blank = trimmed.empty();
        line.kind = LineKind::Other;
        if (line.blank)
            return;
        if (trimmed.front() == '[') {
            std::string_view name = trimmed.substr(1);
            name = name.substr(0, name.find(']'));
            line.kind = LineKind::Header;
            line.name = Trim(name);
            return;
        }
        const std::size_t eq = content.find('=');
        if (eq == std::string_view::npos)
            return;
        line.kind = LineKind::Entry;
        line.name = Trim(content.substr(0, eq));
        line.value = content.substr(eq + 1);
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

// The first matching section and, within it, the first matching key.
struct SectionScan {
    bool found = false;
    Line header;
    std::size_t end = 0;         // start of the next header, or the text's end
    Line lastFilled;             // last non-blank line of the section
    std::optional<Line> keyLine; // first matching entry
};

SectionScan ScanSection(std::string_view text, std::string_view section, std::string_view key,
                        bool stopAtKey) {
    SectionScan scan;
    scan.end = text.size();
    section = Trim(section);
    LineReader reader(text);
    Line line;
    while (reader.Next(line)) {
        if (!scan.found) {
            if (line.kind == LineKind::Header && Cp1252EqualNoCase(line.name, section)) {
                scan.found = true;
                scan.header = line;
                scan.lastFilled = line;
            }
            continue;
        }
        if (line.kind == LineKind::Header) {
            scan.end = line.begin;
            break;
        }
        if (!line.blank)
            scan.lastFilled = line;
        if (!scan.keyLine && line.kind == LineKind::Entry && Cp1252EqualNoCase(line.name, key)) {
            scan.keyLine = line;
            if (stopAtKey)
                break;
        }
    }
    return scan;
}

std::string Splice(std::string_view text, std::size_t from, std::size_t to,
                   std::string_view insert) {
    std::string out;
    out.reserve(text.size() - (to - from) + insert.size());
    out.append(text.substr(0, from));
    out.append(insert);
    out.append(text.substr(to));
    return out;
}

} // namespace

std::optional<std::string_view> IniText::RawValue(std::string_view section,
                                                  std::string_view key) const {
    const SectionScan scan = ScanSection(m_text, section, Trim(key), true);
    if (!scan.keyLine)
        return std::nullopt;
    return scan.keyLine->value;
}

std::vector<std::pair<std::string_view, std::string_view>>
IniText::Entries(std::string_view section) const {
    std::vector<std::pair<std::string_view, std::string_view>> entries;
    LineReader reader(m_text);
    Line line;
    bool inSection = false;
    while (reader.Next(line)) {
        if (line.kind == LineKind::Header) {
            if (inSection)
                break;
            inSection = Cp1252EqualNoCase(line.name, section);
        } else if (inSection && line.kind == LineKind::Entry) {
            entries.emplace_back(line.name, line.value);
        }
    }
    return entries;
}

std::string IniText::WithValue(std::string_view section, std::string_view key,
                               std::string_view value) const {
    key = Trim(key);
    const SectionScan scan = ScanSection(m_text, section, key, false);
    if (scan.keyLine) {
        std::string line;
        line.append(scan.keyLine->name).append("=").append(value).append(kLineEnd);
        return Splice(m_text, scan.keyLine->begin, scan.keyLine->next, line);
    }
    std::string line;
    if (scan.found) {
        const Line& after = scan.lastFilled;
        if (m_text[after.next - 1] != '\n')
            line.append(kLineEnd);
        line.append(key).append("=").append(value).append(kLineEnd);
        return Splice(m_text, after.next, after.next, line);
    }
    if (!m_text.empty() && m_text.back() != '\n')
        line.append(kLineEnd);
    line.append("[").append(section).append("]").append(kLineEnd);
    line.append(key).append("=").append(value).append(kLineEnd);
    return Splice(m_text, m_text.size(), m_text.size(), line);
}

std::string IniText::WithoutSection(std::string_view section) const {
    const SectionScan scan = ScanSection(m_text, section, {}, false);
    if (!scan.found)
        return std::string(m_text);
    return Splice(m_text, scan.header.begin, scan.end, {});
}

std::string IniText::WithoutKey(std::string_view section, std::string_view key) const {
    const SectionScan scan = ScanSection(m_text, section, Trim(key), true);
    if (!scan.keyLine)
        return std::string(m_text);
    return Splice(m_text, scan.keyLine->begin, scan.keyLine->next, {});
}

std::string CleanIniValue(std::string_view raw, std::size_t maxChars) {
    std::string_view value = Trim(raw);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    value = value.substr(0, maxChars);
    value = value.substr(0, value.find('\0'));
    return std::string(value);
}

bool IsWritableIniSection(std::string_view section) {
    return section.find_first_of(std::string_view("\r\n\0]", 4)) == std::string_view::npos;
}

bool IsWritableIniKey(std::string_view key) {
    key = Trim(key);
    return !key.empty() && key.front() != '[' &&
           key.find_first_of(std::string_view("\r\n\0=", 4)) == std::string_view::npos;
}

bool IsWritableIniValue(std::string_view value) {
    return value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}
