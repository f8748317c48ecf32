#include "PdfTestSupport.h"

#include "pdf/clsPDFCreator.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace pdftest {

namespace {

// The folder of this run's files, removed when the program ends.
class TempFolder {
public:
    TempFolder()
        : m_path(std::filesystem::temp_directory_path() /
                 ("zentavo-pdf-tests-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace

std::string TempPath(const std::string& name) {
    static const TempFolder folder;
    static int serial = 0;
    return (folder.Path() / (std::to_string(++serial) + "-" + name)).string();
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

ToolResult RunTool(const std::string& command) {
    ToolResult result;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 4096> chunk{};
    std::size_t got = 0;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0) {
        result.output.append(chunk.data(), got);
    }
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

void ExpectQpdfClean(const std::string& path) {
    const ToolResult check = RunTool("qpdf --check '" + path + "'");
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(check.output.find("WARNING"), std::string::npos) << check.output;
    EXPECT_NE(check.output.find("No syntax or stream encoding errors"), std::string::npos)
        << check.output;
}

void ExpectQpdfAscii85Only(const std::string& path) {
    const ToolResult check = RunTool("qpdf --check '" + path + "'");
    // 3 is qpdf's exit status for warnings without errors.
    EXPECT_TRUE(check.status == 0 || check.status == 3) << check.output;
    std::istringstream lines(check.output);
    std::string line;
    const std::regex allowed(
        "WARNING: .*: (expected endstream|attempting to recover stream length"
        "|recovered stream length: \\d+"
        "|error decoding stream data for object \\d+ 0: character out of range during base 85 "
        "decode|stream will be re-processed without filtering to avoid data loss)");
    while (std::getline(lines, line)) {
        if (line.find("WARNING") != std::string::npos) {
            EXPECT_TRUE(std::regex_match(line, allowed)) << line;
        }
        EXPECT_EQ(line.find("ERROR"), std::string::npos) << line;
    }
}

std::string PdfToText(const std::string& path) {
    const ToolResult text = RunTool("pdftotext -enc UTF-8 '" + path + "' -");
    EXPECT_EQ(text.status, 0) << text.output;
    return text.output;
}

std::string Cp1252ToUtf8(const std::string& text) {
    // Code points of 0x80..0x9F; 0 where Windows-1252 has no character.
    static constexpr std::array<char32_t, 32> high = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        char32_t cp = byte >= 0x80 && byte < 0xA0 ? high[byte - 0x80] : byte;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | cp >> 6);
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | cp >> 12);
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

ExpectedPdf::ExpectedPdf() : m_bytes("%PDF-1.3\r\n") {}

void ExpectedPdf::Object(int number, const std::string& body) {
    m_offsets[number] = m_bytes.size();
    m_bytes += std::to_string(number) + " 0 obj\r\n" + body + "endobj\r\n";
}

std::string ExpectedPdf::Finish() const {
    const int count = m_offsets.empty() ? 0 : m_offsets.rbegin()->first;
    std::string out = m_bytes;
    const std::size_t xref = out.size();
    out += "xref\r\n0 " + std::to_string(count + 1) + "\r\n0000000000 65535 f\r\n";
    for (int n = 1; n <= count; ++n) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n\r\n", m_offsets.at(n));
        out += entry;
    }
    out += "trailer\r<<\r/Size " + std::to_string(count + 1) + "\r/Info 1 0 R\r/Root 2 0 R\r>>\r\n";
    out += "startxref\r" + std::to_string(xref) + "\r\n";
    out += "%%EOF\r\r\n";
    return out;
}

std::string InfoBody(const std::string& escapedTitle, const std::string& date) {
    return "<<\r/Title (" + escapedTitle + ")\r/Author (Zentavo)\r/Creator  (" +
           clsPDFCreator::kCreator + ")\r/Producer (" + clsPDFCreator::kProducer +
           ")\r/CreationDate (D:" + date + "+01'00')\r>>\r\n";
}

std::string CatalogBody() {
    return "<<\r/Type /Catalog\r/Pages 3 0 R\r/PageLayout /OneColumn\r/PageMode /UseNone\r"
           "/Lang (it) \r/ViewerPreferences << /HideToolbar false /DisplayDocTitle true "
           "/HideWindowUI false >>\r>>\r\n";
}

std::string CreationDate(const std::string& file) {
    std::smatch match;
    static const std::regex date(R"(/CreationDate \(D:(\d{14})\+01'00'\))");
    if (!std::regex_search(file, match, date)) {
        ADD_FAILURE() << "no creation date";
        return {};
    }
    return match[1];
}

std::string ObjectBody(const std::string& file, int number) {
    const std::string head = "\n" + std::to_string(number) + " 0 obj\r\n";
    const std::size_t start = file.find(head);
    if (start == std::string::npos) {
        ADD_FAILURE() << "no object " << number;
        return {};
    }
    const std::size_t body = start + head.size();
    const std::size_t end = file.find("endobj\r\n", body);
    return file.substr(body, end - body);
}

std::string StreamData(const std::string& file, int number) {
    const std::string body = ObjectBody(file, number);
    const std::size_t start = body.find("stream\r\n");
    const std::size_t end = body.rfind("endstream");
    if (start == std::string::npos || end == std::string::npos || end < start) {
        ADD_FAILURE() << "object " << number << " is no stream";
        return {};
    }
    return body.substr(start + 8, end - start - 8);
}

std::vector<std::string> Lines(const std::string& data) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < data.size()) {
        const std::size_t end = data.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(data.substr(start));
            break;
        }
        lines.push_back(data.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

int FirstPageObject(const std::string& file) {
    std::smatch match;
    static const std::regex kids(R"(/Kids \[(\d+) 0 R)");
    if (!std::regex_search(file, match, kids)) {
        ADD_FAILURE() << "no page";
        return 0;
    }
    return std::stoi(match[1]);
}

OnePage WriteOnePage(const std::function<void(clsPDFCreator&)>& declare,
                     const std::function<void(clsPDFCreator&)>& draw, OnePageSetup setup) {
    OnePage page;
    page.path = TempPath("page.pdf");
    clsPDFCreator pdf;
    pdf.ScaleMode(setup.scaleMode);
    pdf.EncodeASCII85(setup.ascii85);
    std::string name = page.path;
    pdf.InitPDFFile(name);
    declare(pdf);
    pdf.BeginPage();
    draw(pdf);
    pdf.EndPage();
    pdf.ClosePDFFile();
    page.file = ReadBytes(page.path);
    page.content = StreamData(page.file, FirstPageObject(page.file) + 1);
    if (setup.ascii85) {
        ExpectQpdfAscii85Only(page.path);
    } else {
        ExpectQpdfClean(page.path);
    }
    return page;
}

std::string Ascii85Decode(const std::string& data) {
    std::string out;
    uint64_t value = 0;
    int count = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const char c = data[i];
        if (c == '~') {
            break;
        }
        if (c == 'z' && count == 0) {
            out.append(4, '\0');
            continue;
        }
        if (c < '!' || c > 'u') {
            continue;
        }
        value = value * 85 + static_cast<uint64_t>(c - '!');
        if (++count == 5) {
            for (int shift = 24; shift >= 0; shift -= 8) {
                out += static_cast<char>(value >> shift & 0xFF);
            }
            value = 0;
            count = 0;
        }
    }
    if (count > 1) {
        const int bytes = count - 1;
        for (; count < 5; ++count) {
            value = value * 85 + 84;
        }
        for (int k = 0; k < bytes; ++k) {
            out += static_cast<char>(value >> (24 - 8 * k) & 0xFF);
        }
    }
    return out;
}

} // namespace pdftest
