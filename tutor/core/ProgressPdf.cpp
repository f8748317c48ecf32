#include "tutor/core/ProgressPdf.h"

#include "pdf/clsPDFCreator.h"

#include <utility>

namespace {

constexpr int32_t kCentimetres = 3;
constexpr int32_t kA4 = 0;
constexpr int32_t kPortrait = 0;
constexpr int32_t kStroke = 1;
constexpr int32_t kFill = 4;
constexpr float kOutlineWidth = 0.01f;
constexpr const char* kRegular = "Fn1";
constexpr const char* kBold = "Fn2";
constexpr const char* kBoldItalic = "Fn3";
// LoadFont's style numbers.
constexpr int32_t kStyleRegular = 0;
constexpr int32_t kStyleBold = 1;
constexpr int32_t kStyleBoldItalic = 3;

// The writer takes colours in their stored form.
int32_t Packed(Colour c) {
    return static_cast<int32_t>(c.Stored());
}

class PdfCanvas : public ProgressCanvas {
public:
    explicit PdfCanvas(clsPDFCreator& pdf) : m_pdf(pdf) {}

    void Text(float x, float y, const std::string& text, CanvasFont font, float points,
              CanvasAlign align) override {
        // Text is painted with the fill colour, which the boxes change.
        m_pdf.SetColorFill(Packed({0, 0, 0}));
        const int32_t alignment = align == CanvasAlign::Right    ? 1
                                  : align == CanvasAlign::Centre ? 2
                                                                 : 0;
        m_pdf.DrawText(x, y, text, FontName(font), points, alignment);
    }

    void Line(float x1, float y1, float x2, float y2, float width, Colour colour) override {
        m_pdf.SetLineWidth(width);
        m_pdf.SetColorStroke(Packed(colour));
        m_pdf.MoveTo(x1, y1);
        m_pdf.LineTo(x2, y2, kStroke);
    }

    void Box(float x, float y, float width, float height, const Colour* fill,
             const Colour* outline) override {
        int32_t options = 0;
        if (fill) {
            m_pdf.SetColorFill(Packed(*fill));
            options |= kFill;
        }
        if (outline) {
            m_pdf.SetLineWidth(kOutlineWidth);
            m_pdf.SetColorStroke(Packed(*outline));
            options |= kStroke;
        }
        m_pdf.Rectangle(x, y, width, height, options, 0);
    }

private:
    static const char* FontName(CanvasFont font) {
        switch (font) {
        case CanvasFont::Bold:
            return kBold;
        case CanvasFont::BoldItalic:
            return kBoldItalic;
        case CanvasFont::Regular:
            break;
        }
        return kRegular;
    }

    clsPDFCreator& m_pdf;
};

} // namespace

void CreaProgressPDF(const std::string& path, const ProgressTexts& texts,
                     const ProgressFigures& figures, const ProgressReportInput& input) {
    clsPDFCreator pdf;
    pdf.Title(texts.caption + " - " + input.pupilName);
    pdf.ScaleMode(kCentimetres);
    pdf.PaperSize(kA4);
    pdf.Margin(0);
    pdf.Orientation(kPortrait);
    std::string file = path;
    pdf.InitPDFFile(file);
    for (const auto& [name, style] :
         {std::pair{kRegular, kStyleRegular}, std::pair{kBold, kStyleBold},
          std::pair{kBoldItalic, kStyleBoldItalic}}) {
        std::string resource = name;
        std::string base = "Arial";
        pdf.LoadFont(resource, base, style);
    }
    pdf.BeginPage();
    PdfCanvas canvas(pdf);
    ComposeProgressReport(canvas, texts, figures, input);
    pdf.EndPage();
    pdf.ClosePDFFile();
}
