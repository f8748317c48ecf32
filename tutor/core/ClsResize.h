// ClsResize enlarges the controls of a window designed for 800 x 600 pixels by fixed factors.
// It records the design geometry of every control once and always scales from those values,
// so scaling again gives the same layout. The window is reached through the ResizableForm port.
#pragma once

#include <cstddef>
#include <vector>

enum class ControlKind { Line, Picture, Other };

// Design geometry of one control: for a line its end points (x1, y1, x2, y2) in a, b, c, d;
// for any other control left, top, width, height. fontSize is 0 for a control without font.
struct ControlGeometry {
    ControlKind kind = ControlKind::Other;
    int a = 0;
    int b = 0;
    int c = 0;
    int d = 0;
    float fontSize = 0.0f;

    friend bool operator==(const ControlGeometry&, const ControlGeometry&) = default;
};

// The window whose controls are scaled, as the scaling sees it. Controls are addressed by
// their index in the order ReadControls returned them.
class ResizableForm {
public:
    virtual ~ResizableForm() = default;
    virtual int InnerWidth() const = 0;
    virtual int InnerHeight() const = 0;
    virtual bool IsMinimised() const = 0;
    virtual std::vector<ControlGeometry> ReadControls() const = 0;
    virtual void FreezeDrawing(bool frozen) = 0;
    virtual void WriteControl(std::size_t index, const ControlGeometry& scaled) = 0;
};

// Factors of the enlarged layout; constants, whatever the real screen size.
inline constexpr double ResizeFactorX = 1.41;
inline constexpr double ResizeFactorY = 1.31;
double ResizeFontFactor();

// The scaled geometry of one control from its design geometry (values rounded to nearest).
ControlGeometry ScaleControl(const ControlGeometry& design);

class ClsResize {
public:
    void SourceForm(ResizableForm* form);
    ResizableForm* SourceForm() const { return m_form; }

    void SizeFormToScreen();
    void ResizeControls();

    int RecordedWidth() const { return m_recordedWidth; }
    int RecordedHeight() const { return m_recordedHeight; }
    bool NeedsRecording() const { return m_needsRecording; }
    const std::vector<ControlGeometry>& Layout() const { return m_layout; }

private:
    void RecordLayout();

    ResizableForm* m_form = nullptr;
    int m_recordedWidth = 0;
    int m_recordedHeight = 0;
    bool m_needsRecording = true;
    std::vector<ControlGeometry> m_layout;
};
