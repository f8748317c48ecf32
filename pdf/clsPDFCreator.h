#pragma once
// The PDF writer. clsPDFCreator writes one PDF 1.3 document straight to a file,
// from the header to the trailer: properties and InitPDFFile open it, fonts,
// images and forms are declared between pages, BeginPage/EndPage frame one
// content stream each, ClosePDFFile writes the shared resources, the page tree
// and the cross-reference table. Only object offsets and resource lists stay
// in memory, so a document of any length costs the same few kilobytes.
//
// Helpers: PdfOutput (the buffered file and its byte position), PdfFontMetrics
// (built-in widths behind LoadFont and Length), PdfBmpReader (BMP files for
// LoadImgFromBMPFile). Texts are Windows-1252 bytes; every number goes through
// FormatNumber, so the file never depends on the locale.

#include "pdf/PdfFontMetrics.h"
#include "pdf/PdfOutput.h"

#include <cstdint>
#include <ctime>
#include <span>
#include <string>
#include <vector>

class clsPDFCreator {
public:
    // Paper size codes; the sizes are in points.
    enum PaperSizeCode : int32_t {
        PaperA4 = 0,         // 595.2 x 842
        PaperA3 = 1,         // 842 x 1190.5
        PaperLetter = 2,     // 612 x 792
        PaperLetterLong = 3, // 612 x 864 (8.5 x 12 inches)
        PaperCustom = 255,   // set by PaperWidth / PaperHeight
    };
    // Unit of the caller's positions and lengths.
    enum ScaleModeUnit : int32_t {
        ScalePoints = 0,
        ScaleInches = 1,
        ScaleMillimetres = 2,
        ScaleCentimetres = 3,
    };
    enum OrientationCode : int32_t { Portrait = 0, Landscape = 1 };
    // Options of LoadFont / LoadFontStandard.
    enum FontStyle : int32_t {
        StyleRegular = 0,
        StyleBold = 1,
        StyleItalic = 2,
        StyleBoldItalic = 3
    };
    enum TextAlign : int32_t { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };
    // Bits of the Options of LineTo, Curve, Rectangle, DrawCircle and Arc.
    enum PaintOption : int32_t { PaintStroke = 1, PaintClose = 2, PaintFill = 4 };
    // Bits of the Options of StartObject: on which pages BeginPage draws the form.
    enum FormOption : int32_t {
        FormOnDemand = 1, // alone: only where DrawObject asks for it
        FormEvenPages = 2,
        FormOddPages = 4,
        FormNotFirstPage = 8,
        FormAllPages = 7,
    };
    enum ImageColorSpace : int32_t { ColorSpaceRGB = 0, ColorSpaceGray = 1 };

    // The writer's name and edition in the information dictionary.
    static constexpr const char* kCreator = "Zentavo";
    static constexpr const char* kProducer = "clsPDFCreator 1.0";

    clsPDFCreator() = default;
    clsPDFCreator(const clsPDFCreator&) = delete;
    clsPDFCreator& operator=(const clsPDFCreator&) = delete;

    void Title(const std::string& v);
    void PaperSize(int32_t code);
    void PaperWidth(float v);
    void PaperHeight(float v);
    void ScaleMode(int32_t mode);
    void Orientation(int32_t o);
    void Margin(float v);
    void EncodeASCII85(bool on);
    int16_t Pages() const;

    // Starts a document; an empty name is replaced by a generated one in the
    // program folder and handed back. Throws std::runtime_error when the file
    // cannot be created.
    void InitPDFFile(std::string& strFileName);
    // Starts a page (ending one still open); returns its 1-based number.
    // Throws std::overflow_error beyond 32767 pages.
    int16_t BeginPage();
    void EndPage();
    // Finishes the document (ending a page or form still open) and closes the
    // file; throws std::runtime_error when the file cannot be written.
    void ClosePDFFile();

    // Fonts, images and forms write objects of their own: declare them outside
    // pages and forms, or std::logic_error is thrown. BaseFont loses its blanks.
    void LoadFontStandard(std::string& Name, std::string& BaseFont, int32_t Options = 0);
    void LoadFont(std::string& Name, std::string& BaseFont, int32_t Options = 0);

    // Drawing writes into the open page or form; without one std::logic_error
    // is thrown.
    void SetCharSpacing(float W);
    void SetWordSpacing(float W);
    void SetTextHorizontalScaling(float W);
    void SetTextRenderingMode(float W);
    void DrawText(float x, float y, const std::string& text, const std::string& FontName,
                  float Fontsize, int32_t Align = 0, float Rotate = 0);
    // Width of Phrase in the ScaleMode unit; 0 for fonts without metrics.
    float Length(const std::string& Phrase, const std::string& FontName, float Fontsize);

    void SetColorStroke(int32_t colour);
    void SetColorFill(int32_t colour);
    void SetDash(float dash_on, float dash_off = 0);
    void SetLineWidth(float W);
    void SetLineCap(int16_t W);
    void SetLineJoin(int16_t W);
    void SetMiterLimit(float W);
    void MoveTo(float x, float y);
    void LineTo(float x, float y, int32_t Options = 0);
    void Curve(float x1, float y1, float X2, float Y2, float X3, float Y3, int32_t Options = 0);
    void Rectangle(float x, float y, float xdim, float ydim, int32_t Options, float radius);
    void DrawCircle(float x, float y, float radius, int32_t Options);
    void Arc(float x, float y, float radius, float StartAngle, float EndAngle, float Ratio,
             bool closed, float rotation, float step, int32_t Options);

    // False, writing nothing, for a file that is missing, not an uncompressed
    // 1, 4, 8 or 24 bit BMP, truncated or inconsistent.
    bool LoadImgFromBMPFile(const std::string& Name, const std::string& FileName,
                            int32_t ColorSpace = 0);
    // Throws std::invalid_argument for a depth other than 1, 4, 8 or 24.
    void LoadImgFromArray(const std::string& Name, const std::vector<uint8_t>& ImgBuf,
                          const std::vector<uint8_t>& palette, int32_t ImgWidth, int32_t ImgHeight,
                          uint8_t ImgBPP, int32_t ColorSpace);
    void DrawImg(const std::string& Name, float DestX, float DestY, float ImgWidth,
                 float ImgHeight);
    void StartObject(const std::string& Name, int32_t Options);
    void EndObject();
    void DrawObject(const std::string& Name);

    // Pure helpers of the byte layout.
    static std::string FormatNumber(double v, int decimals);
    static std::string EscapePdfString(const std::string& text);
    static std::string Ascii85Encode(std::span<const uint8_t> bytes);
    static double ToPoints(double v, int32_t scaleMode);
    static double FromPoints(double v, int32_t scaleMode);
    // Name of a generated document in folder: "~" + the upper-case hex of
    // day, hours, minutes, seconds and one digit, + ".pdf".
    static std::string GeneratedFileName(const std::string& folder, const std::tm& when, int digit);

private:
    enum class OpenStream { None, Page, Form };
    struct Form {
        std::string name;
        int32_t options;
    };
    struct DeclaredFont {
        std::string name;
        PdfFontMetrics metrics;
    };

    void ResetDocument();
    int32_t BeginObject(int32_t number);
    void EndObj();
    void WriteLine(std::string_view line);
    void OpenContentStream(OpenStream kind, std::string_view dictionary);
    void CloseContentStream();
    void RequireOutsideStreams(const char* operation) const;
    void Emit(std::string_view line);
    std::string Pt(double v) const;
    std::string Point(double x, double y) const;
    void PathMove(double x, double y);
    void PathLine(double x, double y);
    void PathCurve(double x1, double y1, double x2, double y2, double x3, double y3);
    void Paint(int32_t options);
    std::string ColorOperands(int32_t colour, const char* rgbOperator,
                              const char* greyOperator) const;
    void DrawRegisteredForms(int32_t page);
    void WriteResources();
    void WritePageTree();
    void WriteCrossReference();
    std::string Box() const;
    const DeclaredFont* FindFont(const std::string& name) const;

    PdfOutput m_out;
    std::string m_title = "(senza titolo)";
    int32_t m_paperSize = PaperA4;
    float m_paperWidth = 595.2f;
    float m_paperHeight = 842.0f;
    int32_t m_scaleMode = ScalePoints;
    int32_t m_orientation = Portrait;
    float m_margin = 0.0f;
    bool m_ascii85 = false;

    int32_t m_pageCount = 0;
    std::vector<int32_t> m_pageObjects;
    std::string m_fontResources;
    std::string m_imageResources;
    std::string m_formResources;
    std::vector<DeclaredFont> m_fonts;
    std::vector<Form> m_forms;
    int32_t m_objectCount = 0;
    std::vector<uint64_t> m_offsets;
    OpenStream m_stream = OpenStream::None;
    uint64_t m_streamStart = 0;
    float m_charSpacing = 0.0f;
    float m_wordSpacing = 0.0f;
    float m_horizontalScaling = 100.0f;
};
