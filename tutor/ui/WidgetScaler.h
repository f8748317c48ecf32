// WidgetScaler shows a window's widget tree to ClsResize: it lists the child widgets as
// controls (lines, pictures, others), writes their scaled geometry and fonts back, and
// freezes the window's drawing while it does so.
//
// A child is a line when it is a QFrame drawn as a horizontal or vertical line; it is a picture
// when it was made one with MarkPicture (the dynamic property "scaleKind", which may also say
// "line" or "other"). The kind belongs to the control, not to what it shows at the moment: an
// image whose picture is loaded only later is still moved, never enlarged.
#pragma once

#include "tutor/core/ClsResize.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class WidgetScaler : public ResizableForm {
public:
    explicit WidgetScaler(QWidget* window);

    // Makes the widget a picture control: it moves with the window but keeps its size.
    static void MarkPicture(QWidget* widget);

    // Records the window's design layout on the first call and enlarges it.
    void SizeFormToScreen() { m_resize.SizeFormToScreen(); }
    ClsResize& Resize() { return m_resize; }

    int InnerWidth() const override;
    int InnerHeight() const override;
    bool IsMinimised() const override;
    std::vector<ControlGeometry> ReadControls() const override;
    void FreezeDrawing(bool frozen) override;
    void WriteControl(std::size_t index, const ControlGeometry& scaled) override;

private:
    QPointer<QWidget> m_window;
    mutable QList<QPointer<QWidget>> m_controls;
    ClsResize m_resize;
};
