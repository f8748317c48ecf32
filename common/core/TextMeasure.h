// The text-measurement port: how wide a text is in a given font. The core
// needs widths to fit sentences to the sentence line, to right-align numbers
// in the results and to keep the editor's lines within their box; the ui
// layer answers with the real font metrics and tests answer with fakes.
#pragma once

#include <string>

struct FontSpec {
    std::string family; // e.g. "Arial"
    float pointSize = 12.0f;
    bool bold = false;
    bool italic = false;
};

class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // Width in pixels of a Windows-1252 text drawn on one line in the font.
    virtual int Width(const std::string& cp1252Text, const FontSpec& font) const = 0;
};
