// Vector graphics of the PDF writer: colours, line style and paths.
#include "pdf/clsPDFCreator.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr double kDegreesToRadians = 3.141592 / 180;
// Distance of a Bezier control point from its end point, per unit of radius,
// for quarter circles.
constexpr double kQuarterCircle = 0.55;
// More points than this are no arc but a mistake in the step.
constexpr double kMaxArcPoints = 1'000'000;

} // namespace

std::string clsPDFCreator::Pt(double v) const {
    return FormatNumber(ToPoints(v, m_scaleMode), 3);
}

std::string clsPDFCreator::Point(double x, double y) const {
    return Pt(x) + " " + Pt(y);
}

void clsPDFCreator::Paint(int32_t options) {
    const bool stroke = (options & PaintStroke) != 0;
    const bool close = (options & PaintClose) != 0;
    const bool fill = (options & PaintFill) != 0;
    if (stroke && close && fill) {
        Emit("b");
    } else if (stroke && fill) {
        Emit("B");
    } else if (fill) {
        Emit("f");
    } else {
        if (close) {
            Emit("h");
        }
        if (stroke) {
            Emit("S");
        }
    }
}

std::string clsPDFCreator::ColorOperands(int32_t colour, const char* rgbOperator,
                                         const char* greyOperator) const {
    if (colour > 0 || colour < -255) {
        const int32_t red = colour % 256;
        const int32_t green = colour / 256 % 256;
        const int32_t blue = colour / 65536 % 256;
        return FormatNumber(red / 255.0, 3) + " " + FormatNumber(green / 255.0, 3) + " " +
               FormatNumber(blue / 255.0, 3) + " " + rgbOperator;
    }
    return FormatNumber(-colour / 255.0, 3) + " " + greyOperator;
}

void clsPDFCreator::SetColorStroke(int32_t colour) {
    Emit(ColorOperands(colour, "RG", "G"));
}

void clsPDFCreator::SetColorFill(int32_t colour) {
    Emit(ColorOperands(colour, "rg", "g"));
}

void clsPDFCreator::SetDash(float dash_on, float dash_off) {
    if (dash_on == 0 && dash_off == 0) {
        Emit("[ ] 0 d");
    } else {
        Emit("[" + Pt(dash_on) + " " + Pt(dash_off) + "] 0 d");
    }
}

void clsPDFCreator::SetLineWidth(float W) {
    Emit(Pt(W) + " w");
}

void clsPDFCreator::SetLineCap(int16_t W) {
    if (W >= 0 && W <= 2) {
        Emit(std::to_string(W) + " J");
    }
}

void clsPDFCreator::SetLineJoin(int16_t W) {
    if (W >= 0 && W <= 2) {
        Emit(std::to_string(W) + " j");
    }
}

void clsPDFCreator::SetMiterLimit(float W) {
    if (W >= 1) {
        Emit(FormatNumber(W, 3) + " M");
    }
}

void clsPDFCreator::PathMove(double x, double y) {
    Emit(Point(x, y) + " m");
}

void clsPDFCreator::PathLine(double x, double y) {
    Emit(Point(x, y) + " l");
}

void clsPDFCreator::PathCurve(double x1, double y1, double x2, double y2, double x3, double y3) {
    Emit(Point(x1, y1) + " " + Point(x2, y2) + " " + Point(x3, y3) + " c");
}

void clsPDFCreator::MoveTo(float x, float y) {
    PathMove(x, y);
}

void clsPDFCreator::LineTo(float x, float y, int32_t Options) {
    PathLine(x, y);
    Paint(Options);
}

void clsPDFCreator::Curve(float x1, float y1, float X2, float Y2, float X3, float Y3,
                          int32_t Options) {
    PathCurve(x1, y1, X2, Y2, X3, Y3);
    Paint(Options);
}

void clsPDFCreator::Rectangle(float x, float y, float xdim, float ydim, int32_t Options,
                              float radius) {
    Emit("n");
    if (radius > 0) {
        const double w = xdim, h = ydim;
        const double r = std::min({static_cast<double>(radius), w / 2, h / 2});
        const double k = r * kQuarterCircle;
        PathMove(x + r, y);
        PathLine(x + w - r, y);
        PathCurve(x + w - r + k, y, x + w, y + r - k, x + w, y + r);
        PathLine(x + w, y + h - r);
        PathCurve(x + w, y + h - r + k, x + w - r + k, y + h, x + w - r, y + h);
        PathLine(x + r, y + h);
        PathCurve(x + r - k, y + h, x, y + h - r + k, x, y + h - r);
        PathLine(x, y + r);
        PathCurve(x, y + r - k, x + r - k, y, x + r, y);
    } else {
        Emit(Point(x, y) + " " + Point(xdim, ydim) + " re");
    }
    Paint(Options);
}

void clsPDFCreator::DrawCircle(float x, float y, float radius, int32_t Options) {
    const double r = radius;
    const double k = r * kQuarterCircle;
    PathMove(x, y - r);
    PathCurve(x + k, y - r, x + r, y - k, x + r, y);
    PathCurve(x + r, y + k, x + k, y + r, x, y + r);
    PathCurve(x - k, y + r, x - r, y + k, x - r, y);
    PathCurve(x - r, y - k, x - k, y - r, x, y - r);
    Paint(Options);
}

void clsPDFCreator::Arc(float x, float y, float radius, float StartAngle, float EndAngle,
                        float Ratio, bool closed, float rotation, float step, int32_t Options) {
    // Points are counted rather than angles added up, so that the loop ends
    // whatever the step: a step too small to change the angle would never do.
    const double span = static_cast<double>(EndAngle) - StartAngle;
    const double steps = span / step;
    if (!std::isfinite(steps) || steps > kMaxArcPoints) {
        throw std::invalid_argument("Arc: the step does not divide the angle into a path");
    }
    const auto lastPoint = static_cast<int64_t>(std::floor(steps + 1e-6));

    Emit("n");
    PathMove(x, y);
    if ((Options & PaintFill) != 0) {
        closed = true;
    }
    const double rho = -rotation * kDegreesToRadians;
    const double c = std::cos(rho);
    const double s = std::sin(rho);
    for (int64_t i = 0; i <= lastPoint; ++i) {
        const double angle = (StartAngle + static_cast<double>(i) * step) * kDegreesToRadians;
        const double px = radius * std::cos(angle);
        const double py = Ratio * radius * std::sin(angle);
        const double px2 = x + (c * px + s * py);
        const double py2 = y + (-s * px + c * py);
        if (!closed && i == 0) {
            PathMove(px2, py2);
        }
        PathLine(px2, py2);
    }
    if (closed) {
        PathLine(x, y);
    }
    Paint(Options);
}
