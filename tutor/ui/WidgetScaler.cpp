#include "tutor/ui/WidgetScaler.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFrame>
#include <QLayout>

namespace {

ControlKind KindOf(const QWidget* widget) {
    const QString tagged = widget->property("scaleKind").toString();
    if (tagged == QLatin1String("line"))
        return ControlKind::Line;
    if (tagged == QLatin1String("picture"))
        return ControlKind::Picture;
    if (tagged == QLatin1String("other"))
        return ControlKind::Other;
    if (const auto* frame = qobject_cast<const QFrame*>(widget)) {
        if (frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine)
            return ControlKind::Line;
    }
    return ControlKind::Other;
}

bool IsVerticalLine(const QWidget* widget) {
    if (const auto* frame = qobject_cast<const QFrame*>(widget))
        return frame->frameShape() == QFrame::VLine;
    return widget->height() > widget->width();
}

// The inner widgets of compound controls (a combo box's editor, a scroll area's viewport)
// are laid out by their owner and are not controls of the window.
bool OwnsItsChildren(const QWidget* widget) {
    return qobject_cast<const QComboBox*>(widget) != nullptr ||
           qobject_cast<const QAbstractScrollArea*>(widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(widget) != nullptr;
}

void CollectControls(QWidget* parent, QList<QPointer<QWidget>>& controls) {
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget == nullptr || widget->isWindow())
            continue;
        controls.append(widget);
        if (!OwnsItsChildren(widget))
            CollectControls(widget, controls);
    }
}

// A line widget is recorded by the end points of its middle line, so that its thickness
// stays what it was while its length and position scale.
ControlGeometry ReadLine(const QWidget* widget) {
    const QRect g = widget->geometry();
    if (IsVerticalLine(widget)) {
        const int x = g.left() + g.width() / 2;
        return {ControlKind::Line, x, g.top(), x, g.top() + g.height(), 0.0f};
    }
    const int y = g.top() + g.height() / 2;
    return {ControlKind::Line, g.left(), y, g.left() + g.width(), y, 0.0f};
}

QRect LineGeometry(const QWidget* widget, const ControlGeometry& scaled) {
    if (IsVerticalLine(widget)) {
        const int thickness = widget->width();
        return {scaled.a - thickness / 2, scaled.b, thickness, scaled.d - scaled.b};
    }
    const int thickness = widget->height();
    return {scaled.a, scaled.b - thickness / 2, scaled.c - scaled.a, thickness};
}

bool LayoutHolds(const QLayout* layout, const QWidget* widget) {
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == widget)
            return true;
        if (item->layout() != nullptr && LayoutHolds(item->layout(), widget))
            return true;
    }
    return false;
}

bool PlacedByLayout(const QWidget* widget) {
    const QWidget* parent = widget->parentWidget();
    return parent != nullptr && parent->layout() != nullptr &&
           LayoutHolds(parent->layout(), widget);
}

} // namespace

WidgetScaler::WidgetScaler(QWidget* window) : m_window(window) {
    m_resize.SourceForm(this);
}

void WidgetScaler::MarkPicture(QWidget* widget) {
    widget->setProperty("scaleKind", QStringLiteral("picture"));
}

int WidgetScaler::InnerWidth() const {
    return m_window ? m_window->width() : 0;
}

int WidgetScaler::InnerHeight() const {
    return m_window ? m_window->height() : 0;
}

bool WidgetScaler::IsMinimised() const {
    return m_window && m_window->isMinimized();
}

std::vector<ControlGeometry> WidgetScaler::ReadControls() const {
    m_controls.clear();
    if (m_window)
        CollectControls(m_window, m_controls);
    std::vector<ControlGeometry> layout;
    layout.reserve(static_cast<std::size_t>(m_controls.size()));
    for (const QPointer<QWidget>& widget : m_controls) {
        const ControlKind kind = KindOf(widget);
        if (kind == ControlKind::Line) {
            layout.push_back(ReadLine(widget));
            continue;
        }
        const QRect g = widget->geometry();
        const qreal points = widget->font().pointSizeF();
        const float fontSize = kind == ControlKind::Other && points > 0 ? float(points) : 0.0f;
        layout.push_back({kind, g.left(), g.top(), g.width(), g.height(), fontSize});
    }
    return layout;
}

void WidgetScaler::FreezeDrawing(bool frozen) {
    if (m_window)
        m_window->setUpdatesEnabled(!frozen);
}

void WidgetScaler::WriteControl(std::size_t index, const ControlGeometry& scaled) {
    if (index >= static_cast<std::size_t>(m_controls.size()))
        return;
    QWidget* widget = m_controls[static_cast<qsizetype>(index)];
    if (widget == nullptr)
        return;
    // A widget placed by a layout takes its geometry from the layout; only its font scales.
    if (!PlacedByLayout(widget)) {
        if (scaled.kind == ControlKind::Line)
            widget->setGeometry(LineGeometry(widget, scaled));
        else
            widget->setGeometry(scaled.a, scaled.b, scaled.c, scaled.d);
    }
    if (scaled.kind == ControlKind::Other && scaled.fontSize > 0) {
        QFont font = widget->font();
        font.setPointSizeF(scaled.fontSize);
        widget->setFont(font);
    }
}
