// Fonts and text of the PDF writer.
#include "pdf/clsPDFCreator.h"

#include <algorithm>
#include <cmath>

namespace {

void RemoveBlanks(std::string& text) {
    std::erase(text, ' ');
}

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiUpper(x) == AsciiUpper(y);
           });
}

constexpr int kWidthsPerLine = 16;

} // namespace

void clsPDFCreator::LoadFontStandard(std::string& Name, std::string& BaseFont, int32_t Options) {
    RequireOutsideStreams("LoadFontStandard");
    RemoveBlanks(BaseFont);
    const int32_t object = BeginObject(0);
    WriteLine("<< /Type /Font /Subtype /Type1 /Name /" + Name + " /BaseFont /" + BaseFont +
              std::string(PdfFontMetrics::StyleSuffix(Options)) + " /Encoding /WinAnsiEncoding >>");
    EndObj();
    m_fontResources += "/" + Name + " " + std::to_string(object) + " 0 R \r";
}

void clsPDFCreator::LoadFont(std::string& Name, std::string& BaseFont, int32_t Options) {
    RequireOutsideStreams("LoadFont");
    RemoveBlanks(BaseFont);
    std::transform(BaseFont.begin(), BaseFont.end(), BaseFont.begin(), AsciiUpper);
    PdfFontMetrics metrics = PdfFontMetrics::ForBaseFont(BaseFont, Options);

    const int32_t object = BeginObject(0);
    WriteLine("<< /Type /Font \r/Subtype /TrueType\r/Name /" + Name + "\r/BaseFont /" +
              metrics.BaseFontName() + "\r/FirstChar " + std::to_string(metrics.FirstChar()) +
              "\r/LastChar " + std::to_string(metrics.LastChar()) + "\r/FontDescriptor " +
              std::to_string(object + 1) + " 0 R\r/Encoding /WinAnsiEncoding\r/Widths [");
    std::string line;
    int onLine = 0;
    for (int code = metrics.FirstChar(); code <= metrics.LastChar(); ++code) {
        line += FormatNumber(metrics.Width(static_cast<uint8_t>(code)), 3) + " ";
        if (++onLine == kWidthsPerLine || code == metrics.LastChar()) {
            WriteLine(line);
            line.clear();
            onLine = 0;
        }
    }
    WriteLine("] >>");
    EndObj();
    m_fontResources += "/" + Name + " " + std::to_string(object) + " 0 R \r";

    BeginObject(0);
    WriteLine("<<\r/Type /FontDescriptor\r/FontName /" + metrics.BaseFontName() + "\r" +
              std::string(metrics.Descriptor()) + "\r>>");
    EndObj();
    m_fonts.push_back({Name, std::move(metrics)});
}

void clsPDFCreator::SetCharSpacing(float W) {
    Emit(FormatNumber(W, 3) + " Tc");
    m_charSpacing = W;
}

void clsPDFCreator::SetWordSpacing(float W) {
    Emit(FormatNumber(W, 3) + " Tw");
    m_wordSpacing = W;
}

void clsPDFCreator::SetTextHorizontalScaling(float W) {
    Emit(FormatNumber(W, 3) + " Tz");
    m_horizontalScaling = W;
}

void clsPDFCreator::SetTextRenderingMode(float W) {
    if (W >= 0 && W <= 2) {
        Emit(FormatNumber(W, 3) + " Tr");
    }
}

void clsPDFCreator::DrawText(float x, float y, const std::string& text, const std::string& FontName,
                             float Fontsize, int32_t Align, float Rotate) {
    double left = x;
    if (Align == AlignRight) {
        left -= Length(text, FontName, Fontsize);
    } else if (Align == AlignCenter) {
        left -= Length(text, FontName, Fontsize) / 2;
    }
    Emit("BT");
    Emit("/" + FontName + " " + FormatNumber(Fontsize, 3) + " Tf");
    const std::string position = Point(left, y);
    if (Rotate == 0) {
        Emit(position + " Td");
    } else {
        const float angle = Rotate * (3.141592f / 180.0f);
        const double s = std::sin(angle);
        const double c = std::cos(angle);
        Emit(FormatNumber(c, 3) + " " + FormatNumber(s, 3) + " " + FormatNumber(-s, 3) + " " +
             FormatNumber(c, 3) + " " + position + " Tm");
    }
    Emit("(" + EscapePdfString(text) + ") Tj");
    Emit("ET");
}

float clsPDFCreator::Length(const std::string& Phrase, const std::string& FontName,
                            float Fontsize) {
    const DeclaredFont* font = FindFont(FontName);
    if (font == nullptr) {
        return 0.0f;
    }
    int64_t sum = 0;
    int64_t spaces = 0;
    for (const char c : Phrase) {
        const auto code = static_cast<uint8_t>(c);
        sum += font->metrics.Width(code);
        spaces += code == 32 ? 1 : 0;
    }
    double width = static_cast<double>(sum) * Fontsize / 1000 +
                   static_cast<double>(spaces) * m_wordSpacing +
                   static_cast<double>(Phrase.size()) * m_charSpacing;
    width = width * m_horizontalScaling / 100;
    return static_cast<float>(FromPoints(width, m_scaleMode));
}

const clsPDFCreator::DeclaredFont* clsPDFCreator::FindFont(const std::string& name) const {
    const auto found = std::find_if(m_fonts.begin(), m_fonts.end(), [&](const DeclaredFont& f) {
        return EqualIgnoringCase(f.name, name);
    });
    return found == m_fonts.end() ? nullptr : &*found;
}
