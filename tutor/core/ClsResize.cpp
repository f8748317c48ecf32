#include "tutor/core/ClsResize.h"

#include <cmath>

namespace {

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

// Pictures keep their size and are only moved, a little further in so that they stay clear
// of the enlarged frames around them.
constexpr int PictureShift = 4;

} // namespace

double ResizeFontFactor() {
    return std::sqrt(ResizeFactorX);
}

ControlGeometry ScaleControl(const ControlGeometry& design) {
    ControlGeometry scaled = design;
    switch (design.kind) {
    case ControlKind::Line:
        scaled.a = Round(design.a * ResizeFactorX);
        scaled.b = Round(design.b * ResizeFactorY);
        scaled.c = Round(design.c * ResizeFactorX);
        scaled.d = Round(design.d * ResizeFactorY);
        break;
    case ControlKind::Picture:
        scaled.a = Round(design.a * ResizeFactorX + PictureShift);
        scaled.b = Round(design.b * ResizeFactorY + PictureShift);
        break;
    case ControlKind::Other:
        scaled.a = Round(design.a * ResizeFactorX);
        scaled.b = Round(design.b * ResizeFactorY);
        scaled.c = Round(design.c * ResizeFactorX);
        scaled.d = Round(design.d * ResizeFactorY);
        scaled.fontSize = static_cast<float>(design.fontSize * ResizeFontFactor());
        break;
    }
    return scaled;
}

void ClsResize::SourceForm(ResizableForm* form) {
    // A layout recorded from another window must never be written onto this one.
    if (form != m_form) {
        m_needsRecording = true;
        m_layout.clear();
    }
    m_form = form;
}

void ClsResize::SizeFormToScreen() {
    if (m_needsRecording)
        RecordLayout();
    ResizeControls();
}

void ClsResize::ResizeControls() {
    if (m_form == nullptr)
        return;
    if (m_needsRecording) {
        RecordLayout();
        return;
    }
    if (m_layout.empty() || m_form->IsMinimised())
        return;
    m_form->FreezeDrawing(true);
    for (std::size_t i = 0; i < m_layout.size(); ++i)
        m_form->WriteControl(i, ScaleControl(m_layout[i]));
    m_form->FreezeDrawing(false);
}

void ClsResize::RecordLayout() {
    if (m_form == nullptr)
        return;
    m_recordedWidth = m_form->InnerWidth();
    m_recordedHeight = m_form->InnerHeight();
    m_layout = m_form->ReadControls();
    m_needsRecording = false;
}
