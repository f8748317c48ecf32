// The charts module: the day charts of the progress window, drawn by Qt
// Charts, loaded by the programs when they first show a chart.
#include "common/ui/DayChartModule.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>

namespace {

constexpr int kChartMargin = 4;
constexpr int kMostDayTicks = 6;
// Each day's point stands at its noon, between the axis's whole days.
constexpr int kPointHour = 12;

} // namespace

extern "C" {

// The names are looked up by the programs; the types are checked there
// against DayChartModule.h.
[[gnu::visibility("default")]] QWidget* zentavo_new_day_chart(QWidget* parent) {
    auto* view = new QChartView(parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->chart()->legend()->hide();
    view->chart()->setMargins(QMargins(kChartMargin, kChartMargin, kChartMargin, kChartMargin));
    return view;
}

[[gnu::visibility("default")]] void zentavo_fill_day_chart(QWidget* widget,
                                                           const DayChartSpec& spec) {
    auto* view = qobject_cast<QChartView*>(widget);
    if (view == nullptr)
        return;
    QChart* chart = view->chart();
    chart->removeAllSeries();
    // A removed axis is the caller's to delete: the chart gives up its ownership.
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitle(spec.title);
    auto* series = new QLineSeries(chart);
    series->setColor(spec.colour);
    series->setPointsVisible(true);
    for (const DayChartPoint& point : spec.points)
        series->append(
            static_cast<qreal>(QDateTime(point.day, QTime(kPointHour, 0)).toMSecsSinceEpoch()),
            point.value);
    chart->addSeries(series);

    auto* x = new QDateTimeAxis(chart);
    x->setFormat(QStringLiteral("dd/MM"));
    QDate first = QDate::currentDate();
    QDate last = first;
    if (!spec.points.empty()) {
        first = spec.points.front().day;
        last = spec.points.back().day;
    }
    // A single day still needs an axis with some width around it.
    if (first == last) {
        first = first.addDays(-1);
        last = last.addDays(1);
    }
    x->setRange(QDateTime(first, QTime(0, 0)), QDateTime(last, QTime(23, 59)));
    x->setTickCount(std::min<int>(kMostDayTicks, static_cast<int>(first.daysTo(last)) + 1));
    auto* y = new QValueAxis(chart);
    y->setRange(spec.low, spec.high);
    y->applyNiceNumbers();
    y->setLabelFormat(spec.format);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
}

} // extern "C"

// The module's functions have the types the programs call them with.
static_assert(std::is_same_v<decltype(&zentavo_new_day_chart), NewDayChartFunction>);
static_assert(std::is_same_v<decltype(&zentavo_fill_day_chart), FillDayChartFunction>);
