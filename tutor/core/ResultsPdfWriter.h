#pragma once

#include <cstdint>
#include <string>

// The operations of the PDF writer that the results page is made with, with
// the writer's own names and units. The program passes clsPDFCreator through
// a forwarding adapter; tests pass a recorder and check every call.
class ResultsPdfWriter {
public:
    virtual ~ResultsPdfWriter() = default;

    virtual void Title(const std::string& title) = 0;
    virtual void ScaleMode(int32_t mode) = 0;
    virtual void PaperSize(int32_t code) = 0;
    virtual void Margin(float margin) = 0;
    virtual void Orientation(int32_t orientation) = 0;
    virtual void InitPDFFile(std::string& fileName) = 0;
    virtual void LoadFont(std::string& name, std::string& baseFont, int32_t options) = 0;
    virtual int16_t BeginPage() = 0;
    virtual void EndPage() = 0;
    virtual void ClosePDFFile() = 0;

    virtual void DrawText(float x, float y, const std::string& text, const std::string& fontName,
                          float fontSize, int32_t align) = 0;
    virtual float Length(const std::string& phrase, const std::string& fontName,
                         float fontSize) = 0;
    virtual void SetColorStroke(int32_t colour) = 0;
    virtual void SetColorFill(int32_t colour) = 0;
    virtual void SetLineWidth(float width) = 0;
    virtual void MoveTo(float x, float y) = 0;
    virtual void LineTo(float x, float y, int32_t options) = 0;
};
