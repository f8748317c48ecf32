#pragma once
// The programs' colour as Qt paints it.

#include "common/core/Colour.h"

#include <QColor>

inline QColor ToQColor(Colour c) {
    return {c.red, c.green, c.blue};
}
