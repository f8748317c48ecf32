// The day charts come from the charts module, loaded at the first chart;
// without a usable module the progress window shows empty panels instead.
#include "common/ui/DayChart.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineSeries>
#include <QTemporaryDir>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Runs before any chart loads the module: a loaded module stays.
TEST(DayChart, WithoutAUsableModuleIsAnEmptyPanel) {
    QTemporaryDir empty;
    QTemporaryDir garbage;
    QTemporaryDir foreign;
    ASSERT_TRUE(empty.isValid() && garbage.isValid() && foreign.isValid());
    for (const QTemporaryDir* folder : {&garbage, &foreign})
        ASSERT_TRUE(QDir(folder->path()).mkpath(QFileInfo(kDayChartModule).path()));
    QFile junk(garbage.filePath(QLatin1String(kDayChartModule)));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("\x7f"
               "ELF not really");
    junk.close();
    // A shared library, but not ours: it has neither function.
    ASSERT_TRUE(QFile::copy(QStringLiteral("/lib/x86_64-linux-gnu/libz.so.1"),
                            foreign.filePath(QLatin1String(kDayChartModule))));
    for (const QTemporaryDir* folder : {&empty, &garbage, &foreign})
        EXPECT_FALSE(LoadDayChartModule(folder->path())) << folder->path().toStdString();

    QWidget parent;
    QWidget* chart = NewDayChart(QStringLiteral("chartVelocita"), 210, &parent);
    EXPECT_EQ(qobject_cast<QChartView*>(chart), nullptr);
    EXPECT_EQ(chart->objectName(), QStringLiteral("chartVelocita"));
    EXPECT_EQ(chart->minimumHeight(), 210);
    FillDayChart(chart, {QStringLiteral("Velocità"), Qt::blue, 0, 100, QStringLiteral("%d"), {}});
}

TEST(DayChart, DrawsEachDayOnATimeAxisAndReplacesWhatItShowed) {
    ASSERT_TRUE(LoadDayChartModule(QStringLiteral(ZENTAVO_BIN_DIR)));
    QWidget parent;
    auto* view = qobject_cast<QChartView*>(NewDayChart(QStringLiteral("chart"), 150, &parent));
    ASSERT_NE(view, nullptr);
    const QDate monday(2026, 11, 30);
    const struct {
        const char* name;
        std::vector<DayChartPoint> points;
        QDate axisFrom;
        QDate axisTo;
    } cases[] = {
        {"three days",
         {{monday, 20}, {monday.addDays(1), 35}, {monday.addDays(4), 42}},
         monday,
         monday.addDays(4)},
        {"one day, with a day each side", {{monday, 30}}, monday.addDays(-1), monday.addDays(1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FillDayChart(view, {QStringLiteral("Velocità"), Qt::darkGreen, 0, 60, QStringLiteral("%d"),
                            c.points});
        QChart* chart = view->chart();
        EXPECT_EQ(chart->title(), QStringLiteral("Velocità"));
        ASSERT_EQ(chart->series().size(), 1);
        auto* series = qobject_cast<QLineSeries*>(chart->series().front());
        ASSERT_NE(series, nullptr);
        ASSERT_EQ(series->count(), static_cast<int>(c.points.size()));
        for (int i = 0; i < series->count(); ++i) {
            EXPECT_EQ(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(series->at(i).x())).date(),
                      c.points[static_cast<size_t>(i)].day);
            EXPECT_EQ(series->at(i).y(), c.points[static_cast<size_t>(i)].value);
        }
        ASSERT_EQ(chart->axes().size(), 2);
        auto* days = qobject_cast<QDateTimeAxis*>(chart->axes(Qt::Horizontal).front());
        auto* values = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).front());
        ASSERT_TRUE(days != nullptr && values != nullptr);
        EXPECT_EQ(days->min().date(), c.axisFrom);
        EXPECT_EQ(days->max().date(), c.axisTo);
        EXPECT_LE(values->min(), 0);
        EXPECT_GE(values->max(), 60);
    }
}

} // namespace
