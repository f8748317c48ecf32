#pragma once
// A chart of one figure a day (the speed or the accuracy of the progress
// window), drawn by Qt Charts. Qt Charts, and the OpenGL libraries it
// brings, are loaded with the charts module when the first chart is made,
// not when a program starts: most runs of the tutor never show a chart.
// Without the module the chart is an empty panel and the window works on.

#include <QColor>
#include <QDate>
#include <QString>
#include <QWidget>

#include <vector>

struct DayChartPoint {
    QDate day;
    double value = 0;
};

struct DayChartSpec {
    QString title;
    QColor colour;
    // The value axis, rounded outward to nice numbers, and its label format.
    double low = 0;
    double high = 0;
    QString format;
    std::vector<DayChartPoint> points;
};

// The charts module, in the modules folder beside the program: a folder of
// its own, so that the package's library folder holds no shared library
// that the system's linker cache would take in.
inline constexpr char kDayChartModule[] = "modules/libzentavo_charts.so";

// Loads the module from under the program folder `folder` unless it is
// loaded already; a chart loads it from the program's own folder. False when the folder has no
// module that gives both of its functions.
bool LoadDayChartModule(const QString& folder);

// A chart, or an empty panel of the same size without the module.
QWidget* NewDayChart(const QString& objectName, int minimumHeight, QWidget* parent);
void FillDayChart(QWidget* chart, const DayChartSpec& spec);
