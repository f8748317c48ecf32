#include "common/ui/DayChart.h"

#include "common/ui/DayChartModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace {

// The module's functions once loaded; it stays loaded, as the charts'
// classes live in it. A failed load is tried again at the next chart.
NewDayChartFunction g_make = nullptr;
FillDayChartFunction g_fill = nullptr;

} // namespace

bool LoadDayChartModule(const QString& folder) {
    if (g_make != nullptr)
        return true;
    QLibrary library(QDir(folder).filePath(QLatin1String(kDayChartModule)));
    if (!library.load())
        return false;
    const auto make = reinterpret_cast<NewDayChartFunction>(library.resolve(kNewDayChartSymbol));
    const auto fill = reinterpret_cast<FillDayChartFunction>(library.resolve(kFillDayChartSymbol));
    if (make == nullptr || fill == nullptr) {
        library.unload();
        return false;
    }
    g_make = make;
    g_fill = fill;
    return true;
}

QWidget* NewDayChart(const QString& objectName, int minimumHeight, QWidget* parent) {
    const QString folder = QCoreApplication::applicationDirPath();
    QWidget* chart = nullptr;
    if (LoadDayChartModule(folder)) {
        chart = g_make(parent);
    } else {
        qWarning("No charts: %s is not in %s or not usable", kDayChartModule, qPrintable(folder));
        chart = new QWidget(parent);
    }
    chart->setObjectName(objectName);
    chart->setMinimumHeight(minimumHeight);
    return chart;
}

void FillDayChart(QWidget* chart, const DayChartSpec& spec) {
    if (g_fill != nullptr)
        g_fill(chart, spec);
}
