#pragma once
// Helpers of the PDF writer tests: temporary files, the outside checkers
// (qpdf, pdftotext), a composer of whole expected files from the layout
// rules, and readers that pick objects and content lines out of a file.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

class clsPDFCreator;

namespace pdftest {

// A fresh path in a temporary folder of this test program.
std::string TempPath(const std::string& name);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

struct ToolResult {
    int status = -1;
    std::string output;
};
// Runs a shell command, collecting its standard output and error.
ToolResult RunTool(const std::string& command);

// qpdf --check with no warning at all.
void ExpectQpdfClean(const std::string& path);
// qpdf --check allowing only the warnings of ASCII85 image data, whose NUL
// lies inside and whose "~>" lies after the declared length.
void ExpectQpdfAscii85Only(const std::string& path);
// The text pdftotext finds, in UTF-8.
std::string PdfToText(const std::string& path);

// Windows-1252 text to UTF-8, for comparing with pdftotext.
std::string Cp1252ToUtf8(const std::string& text);

// Composes a whole file the way the layout rules describe it: header,
// objects as given, cross-reference table and trailer.
class ExpectedPdf {
public:
    ExpectedPdf();
    // body: everything between the line "N 0 obj" and the line "endobj".
    void Object(int number, const std::string& body);
    std::string Finish() const;

private:
    std::string m_bytes;
    std::map<int, std::size_t> m_offsets;
};

// The info and catalog objects of a document with this title and date.
std::string InfoBody(const std::string& escapedTitle, const std::string& date);
std::string CatalogBody();

// "yyyymmddhhmmss" of the /CreationDate in a file.
std::string CreationDate(const std::string& file);

// The body of object `number` (between "N 0 obj\r\n" and "endobj\r\n").
std::string ObjectBody(const std::string& file, int number);
// The data of the stream object `number`: from after "stream\r\n" up to the
// "endstream" keyword.
std::string StreamData(const std::string& file, int number);
// Content lines of a stream, split at CR LF.
std::vector<std::string> Lines(const std::string& data);

// The object number of the first page, read from the page tree.
int FirstPageObject(const std::string& file);

// A one-page document as a test writes it: `declare` runs between
// InitPDFFile and BeginPage (fonts, images, forms), `draw` inside the page.
struct OnePage {
    std::string path;
    std::string file;
    std::string content; // the data of the page's content stream
};
struct OnePageSetup {
    int32_t scaleMode = 0;
    bool ascii85 = false;
};
OnePage WriteOnePage(const std::function<void(clsPDFCreator&)>& declare,
                     const std::function<void(clsPDFCreator&)>& draw, OnePageSetup setup = {});

// Decodes ASCII85 data up to "~>" (white space, NUL included, is skipped).
std::string Ascii85Decode(const std::string& data);

} // namespace pdftest
