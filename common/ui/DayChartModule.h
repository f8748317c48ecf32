#pragma once
// What the charts module (libzentavo_charts.so) gives the programs: two
// functions with C names, resolved at run time, so that no program links
// Qt Charts.

#include "common/ui/DayChart.h"

using NewDayChartFunction = QWidget* (*)(QWidget* parent);
using FillDayChartFunction = void (*)(QWidget* chart, const DayChartSpec& spec);

inline constexpr char kNewDayChartSymbol[] = "zentavo_new_day_chart";
inline constexpr char kFillDayChartSymbol[] = "zentavo_fill_day_chart";
