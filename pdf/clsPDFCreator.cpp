#include "pdf/clsPDFCreator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <random>
#include <stdexcept>

namespace {

constexpr int32_t kInfoObject = 1;
constexpr int32_t kCatalogObject = 2;
constexpr int32_t kPagesObject = 3;
constexpr int32_t kResourcesObject = 4;
// The cross-reference table gives every offset ten digits.
constexpr uint64_t kMaxOffset = 9'999'999'999ULL;
constexpr const char* kAuthor = "Zentavo";

std::string Ref(int32_t object) {
    return std::to_string(object) + " 0 R";
}

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    // Both programs are single-threaded, so the shared result of localtime is safe here.
    return *std::localtime(&now);
}

std::string ProgramFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return std::filesystem::current_path(error).string();
    }
    return exe.parent_path().string();
}

} // namespace

void clsPDFCreator::Title(const std::string& v) {
    m_title = v;
}

void clsPDFCreator::PaperSize(int32_t code) {
    m_paperSize = code;
    switch (code) {
    case PaperA4:
        m_paperWidth = 595.2f;
        m_paperHeight = 842.0f;
        break;
    case PaperA3:
        m_paperWidth = 842.0f;
        m_paperHeight = 1190.5f;
        break;
    case PaperLetter:
        m_paperWidth = 612.0f;
        m_paperHeight = 792.0f;
        break;
    case PaperLetterLong:
        m_paperWidth = 612.0f;
        m_paperHeight = 864.0f;
        break;
    default:
        break;
    }
}

void clsPDFCreator::PaperWidth(float v) {
    m_paperWidth = static_cast<float>(ToPoints(v, m_scaleMode));
    m_paperSize = PaperCustom;
}

void clsPDFCreator::PaperHeight(float v) {
    m_paperHeight = static_cast<float>(ToPoints(v, m_scaleMode));
    m_paperSize = PaperCustom;
}

void clsPDFCreator::ScaleMode(int32_t mode) {
    m_scaleMode = mode;
}
void clsPDFCreator::Orientation(int32_t o) {
    m_orientation = o;
}
void clsPDFCreator::Margin(float v) {
    m_margin = static_cast<float>(ToPoints(v, m_scaleMode));
}
void clsPDFCreator::EncodeASCII85(bool on) {
    m_ascii85 = on;
}
int16_t clsPDFCreator::Pages() const {
    return static_cast<int16_t>(m_pageCount);
}

std::string clsPDFCreator::GeneratedFileName(const std::string& folder, const std::tm& when,
                                             int digit) {
    char number[32];
    std::snprintf(number, sizeof number, "%d%02d%02d%02d%d", when.tm_mday, when.tm_hour,
                  when.tm_min, when.tm_sec, digit);
    char hex[32];
    std::snprintf(hex, sizeof hex, "%llX", std::stoull(number));
    return folder + "/~" + hex + ".pdf";
}

void clsPDFCreator::ResetDocument() {
    // Everything that belongs to one document starts afresh, so that a writer
    // used for a second document never refers to objects of the first.
    m_pageCount = 0;
    m_pageObjects.clear();
    m_fontResources.clear();
    m_imageResources.clear();
    m_formResources.clear();
    m_fonts.clear();
    m_forms.clear();
    m_objectCount = 0;
    m_offsets.clear();
    m_stream = OpenStream::None;
}

void clsPDFCreator::InitPDFFile(std::string& strFileName) {
    m_out.Abandon();
    ResetDocument();
    if (strFileName.empty()) {
        std::mt19937 random(
            static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
        const int digit = std::uniform_int_distribution<int>(0, 9)(random);
        strFileName = GeneratedFileName(ProgramFolder(), LocalNow(), digit);
    }
    m_out.Open(strFileName);
    WriteLine("%PDF-1.3");

    char date[32];
    const std::tm now = LocalNow();
    std::snprintf(date, sizeof date, "%04d%02d%02d%02d%02d%02d", now.tm_year + 1900, now.tm_mon + 1,
                  now.tm_mday, now.tm_hour, now.tm_min, now.tm_sec);
    BeginObject(kInfoObject);
    WriteLine("<<\r/Title (" + EscapePdfString(m_title) + ")\r/Author (" +
              EscapePdfString(kAuthor) + ")\r/Creator  (" + EscapePdfString(kCreator) +
              ")\r/Producer (" + EscapePdfString(kProducer) + ")\r/CreationDate (D:" + date +
              "+01'00')\r>>");
    EndObj();

    BeginObject(kCatalogObject);
    WriteLine("<<\r/Type /Catalog\r/Pages " + Ref(kPagesObject) +
              "\r/PageLayout /OneColumn\r/PageMode /UseNone\r/Lang (it) \r"
              "/ViewerPreferences << /HideToolbar false /DisplayDocTitle true "
              "/HideWindowUI false >>\r>>");
    EndObj();
    m_objectCount = kResourcesObject;
    m_offsets.resize(static_cast<std::size_t>(m_objectCount));
}

int16_t clsPDFCreator::BeginPage() {
    if (m_stream == OpenStream::Page) {
        CloseContentStream();
    }
    RequireOutsideStreams("BeginPage");
    if (m_pageCount == std::numeric_limits<int16_t>::max()) {
        throw std::overflow_error("a PDF document holds at most 32767 pages");
    }
    ++m_pageCount;
    const int32_t page = BeginObject(0);
    WriteLine("<<\r/Type /Page\r/Parent " + Ref(kPagesObject) + "\r/Contents " + Ref(page + 1) +
              "\r>>");
    EndObj();
    m_pageObjects.push_back(page);
    BeginObject(page + 1);
    OpenContentStream(OpenStream::Page, "<< /Length " + Ref(page + 2) + " >>");
    DrawRegisteredForms(m_pageCount);
    m_charSpacing = 0.0f;
    m_wordSpacing = 0.0f;
    m_horizontalScaling = 100.0f;
    return static_cast<int16_t>(m_pageCount);
}

void clsPDFCreator::EndPage() {
    if (m_stream != OpenStream::Page) {
        throw std::logic_error("EndPage without an open page");
    }
    CloseContentStream();
}

void clsPDFCreator::ClosePDFFile() {
    if (!m_out.IsOpen()) {
        return;
    }
    if (m_stream != OpenStream::None) {
        CloseContentStream();
    }
    WriteResources();
    WritePageTree();
    WriteCrossReference();
    m_out.Close();
}

void clsPDFCreator::WriteResources() {
    BeginObject(kResourcesObject);
    std::string body = "<<\r";
    if (!m_fontResources.empty()) {
        body += "/Font <<\r" + m_fontResources + ">>\r";
    }
    body += "/ProcSet [/PDF /Text";
    if (!m_imageResources.empty()) {
        body += " /ImageB /ImageC /ImageI";
    }
    body += " ]\r";
    if (!m_imageResources.empty() || !m_formResources.empty()) {
        body += "/XObject <<\r" + m_imageResources + "\r" + m_formResources + ">>\r";
    }
    body += ">>";
    WriteLine(body);
    EndObj();
}

void clsPDFCreator::WritePageTree() {
    BeginObject(kPagesObject);
    m_out.Write("<<\r/Type /Pages\r/Count " + std::to_string(m_pageCount) + "\r/MediaBox [0 0 " +
                FormatNumber(m_paperWidth, 3) + " " + FormatNumber(m_paperHeight, 3) +
                "]\r/CropBox [" + Box() + "]\r" + (m_orientation == Landscape ? "/Rotate 90" : "") +
                "\r");
    std::string kids = "/Kids [";
    for (const int32_t page : m_pageObjects) {
        kids += std::to_string(page) + " 0 R ";
        // Long documents give a long list; write it as it grows.
        if (kids.size() > 4096) {
            m_out.Write(kids);
            kids.clear();
        }
    }
    m_out.Write(kids);
    WriteLine(" ]\r/Resources " + Ref(kResourcesObject) + "\r>>");
    EndObj();
}

void clsPDFCreator::WriteCrossReference() {
    const uint64_t start = m_out.Position();
    WriteLine("xref");
    WriteLine("0 " + std::to_string(m_objectCount + 1));
    WriteLine("0000000000 65535 f");
    char entry[32];
    for (const uint64_t offset : m_offsets) {
        std::snprintf(entry, sizeof entry, "%010llu 00000 n",
                      static_cast<unsigned long long>(offset));
        WriteLine(entry);
    }
    WriteLine("trailer\r<<\r/Size " + std::to_string(m_objectCount + 1) + "\r/Info " +
              Ref(kInfoObject) + "\r/Root " + Ref(kCatalogObject) + "\r>>");
    WriteLine("startxref\r" + std::to_string(start));
    WriteLine("%%EOF\r");
}

std::string clsPDFCreator::Box() const {
    return FormatNumber(m_margin, 3) + " " + FormatNumber(m_margin, 3) + " " +
           FormatNumber(m_paperWidth - m_margin, 3) + " " +
           FormatNumber(m_paperHeight - m_margin, 3);
}

int32_t clsPDFCreator::BeginObject(int32_t number) {
    if (number == 0) {
        number = m_objectCount + 1;
    }
    m_objectCount = std::max(m_objectCount, number);
    if (m_offsets.size() < static_cast<std::size_t>(m_objectCount)) {
        m_offsets.resize(static_cast<std::size_t>(m_objectCount));
    }
    if (m_out.Position() > kMaxOffset) {
        throw std::overflow_error("a PDF file cannot grow beyond 10 GB");
    }
    m_offsets[static_cast<std::size_t>(number - 1)] = m_out.Position();
    WriteLine(std::to_string(number) + " 0 obj");
    return number;
}

void clsPDFCreator::EndObj() {
    WriteLine("endobj");
}

void clsPDFCreator::WriteLine(std::string_view line) {
    m_out.WriteLine(line);
}

void clsPDFCreator::OpenContentStream(OpenStream kind, std::string_view dictionary) {
    std::string line(dictionary);
    line += "\rstream";
    WriteLine(line);
    m_streamStart = m_out.Position();
    m_stream = kind;
}

void clsPDFCreator::CloseContentStream() {
    // The length counts every content line with its line end.
    const uint64_t length = m_out.Position() - m_streamStart;
    m_stream = OpenStream::None;
    WriteLine("endstream");
    EndObj();
    BeginObject(0);
    WriteLine(std::to_string(length));
    EndObj();
}

void clsPDFCreator::RequireOutsideStreams(const char* operation) const {
    if (!m_out.IsOpen()) {
        throw std::logic_error(std::string(operation) + " needs an open PDF file");
    }
    if (m_stream != OpenStream::None) {
        throw std::logic_error(std::string(operation) + " inside a page or form");
    }
}

void clsPDFCreator::Emit(std::string_view line) {
    if (m_stream == OpenStream::None) {
        throw std::logic_error("drawing needs an open page or form");
    }
    m_out.WriteLine(line);
}
