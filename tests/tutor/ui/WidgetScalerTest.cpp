#include "tutor/ui/WidgetScaler.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Notes whether the window could repaint while this widget was being resized.
class DrawingProbe : public QWidget {
public:
    using QWidget::QWidget;
    bool resizedWhileWindowDrew = false;
    int resizes = 0;

protected:
    void resizeEvent(QResizeEvent*) override {
        ++resizes;
        resizedWhileWindowDrew = resizedWhileWindowDrew || window()->updatesEnabled();
    }
};

// An 800 x 600 window laid out like the tutor's: a picture, a label with a font, a line,
// a panel with a child of its own, a panel with a layout, and a probe.
struct DesignWindow {
    DesignWindow() {
        window.resize(800, 600);
        // An image whose picture is loaded only after the layout is recorded.
        picture = new QLabel(&window);
        WidgetScaler::MarkPicture(picture);
        picture->setGeometry(100, 100, 32, 32);

        // A label that happens to show a picture is still a label.
        iconLabel = new QLabel(&window);
        QPixmap pixmap(32, 32);
        pixmap.fill(Qt::red);
        iconLabel->setPixmap(pixmap);
        iconLabel->setGeometry(100, 200, 30, 30);

        label = new QLabel(QStringLiteral("Zentavo"), &window);
        QFont font = label->font();
        font.setPointSizeF(8.0);
        label->setFont(font);
        label->setGeometry(10, 10, 100, 20);

        line = new QFrame(&window);
        line->setFrameShape(QFrame::HLine);
        line->setGeometry(10, 49, 200, 3);

        panel = new QWidget(&window);
        panel->setGeometry(200, 300, 300, 100);
        inner = new QLabel(QStringLiteral("x"), panel);
        inner->setGeometry(20, 10, 50, 20);

        laidOut = new QWidget(&window);
        laidOut->setGeometry(500, 400, 200, 100);
        auto* layout = new QVBoxLayout(laidOut);
        button = new QPushButton(QStringLiteral("ok"), laidOut);
        layout->addWidget(button);

        tagged = new QWidget(&window);
        tagged->setProperty("scaleKind", QStringLiteral("picture"));
        tagged->setGeometry(300, 200, 40, 40);

        probe = new DrawingProbe(&window);
        probe->setGeometry(600, 10, 50, 50);
    }

    QWidget window;
    QLabel* picture;
    QLabel* iconLabel;
    QLabel* label;
    QFrame* line;
    QWidget* panel;
    QLabel* inner;
    QWidget* laidOut;
    QPushButton* button;
    QWidget* tagged;
    DrawingProbe* probe;
};

struct GeometryCase {
    const char* name;
    QWidget* (*widget)(DesignWindow&);
    QRect expected;
};

class WidgetScalerGeometryTest : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(WidgetScalerGeometryTest, EnlargesTheWidgetFromItsDesignGeometry) {
    DesignWindow w;
    WidgetScaler scaler(&w.window);
    scaler.SizeFormToScreen();
    EXPECT_EQ(GetParam().widget(w)->geometry(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Widgets, WidgetScalerGeometryTest,
    ::testing::Values(GeometryCase{"Picture", [](DesignWindow& w) -> QWidget* { return w.picture; },
                                   QRect(145, 135, 32, 32)},
                      GeometryCase{"LabelShowingAPicture",
                                   [](DesignWindow& w) -> QWidget* { return w.iconLabel; },
                                   QRect(141, 262, 42, 39)},
                      GeometryCase{"Label", [](DesignWindow& w) -> QWidget* { return w.label; },
                                   QRect(14, 13, 141, 26)},
                      // Middle line y 50 -> 66, x 10..210 -> 14..296, thickness kept.
                      GeometryCase{"Line", [](DesignWindow& w) -> QWidget* { return w.line; },
                                   QRect(14, 65, 282, 3)},
                      GeometryCase{"Panel", [](DesignWindow& w) -> QWidget* { return w.panel; },
                                   QRect(282, 393, 423, 131)},
                      // A child is scaled inside its scaled container.
                      GeometryCase{"ChildOfPanel",
                                   [](DesignWindow& w) -> QWidget* { return w.inner; },
                                   QRect(28, 13, 71, 26)},
                      GeometryCase{"TaggedPicture",
                                   [](DesignWindow& w) -> QWidget* { return w.tagged; },
                                   QRect(427, 266, 40, 40)}),
    [](const ::testing::TestParamInfo<GeometryCase>& p) { return std::string(p.param.name); });

TEST(WidgetScalerTest, LabelFontGrowsBySquareRootOfHorizontalFactor) {
    DesignWindow w;
    WidgetScaler scaler(&w.window);
    scaler.SizeFormToScreen();
    EXPECT_NEAR(w.label->font().pointSizeF(), 9.5, 0.01);
}

TEST(WidgetScalerTest, ScalingTwiceLeavesTheSameGeometryAsOnce) {
    DesignWindow once;
    DesignWindow twice;
    WidgetScaler s1(&once.window);
    WidgetScaler s2(&twice.window);
    s1.SizeFormToScreen();
    s2.SizeFormToScreen();
    s2.SizeFormToScreen();

    const QList<QWidget*> a = once.window.findChildren<QWidget*>();
    const QList<QWidget*> b = twice.window.findChildren<QWidget*>();
    ASSERT_EQ(a.size(), b.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i]->geometry(), b[i]->geometry()) << i;
        EXPECT_EQ(a[i]->font().pointSizeF(), b[i]->font().pointSizeF()) << i;
    }
}

TEST(WidgetScalerTest, MinimisedWindowIsNotChanged) {
    DesignWindow w;
    w.window.showMinimized();
    ASSERT_TRUE(w.window.isMinimized());
    WidgetScaler scaler(&w.window);
    scaler.SizeFormToScreen();
    EXPECT_EQ(w.picture->geometry(), QRect(100, 100, 32, 32));
    EXPECT_EQ(w.label->geometry(), QRect(10, 10, 100, 20));
    EXPECT_NEAR(w.label->font().pointSizeF(), 8.0, 0.01);
}

TEST(WidgetScalerTest, DrawingIsFrozenWhileScalingAndThawedAfterwards) {
    DesignWindow w;
    w.window.show();
    QCoreApplication::processEvents();
    w.probe->resizes = 0;
    w.probe->resizedWhileWindowDrew = false;
    WidgetScaler scaler(&w.window);
    scaler.SizeFormToScreen();
    EXPECT_GT(w.probe->resizes, 0);
    EXPECT_FALSE(w.probe->resizedWhileWindowDrew);
    EXPECT_TRUE(w.window.updatesEnabled());
}

TEST(WidgetScalerTest, WidgetInALayoutKeepsItsLayoutGeometryButScalesItsFont) {
    DesignWindow w;
    w.window.show();
    const qreal designPoints = w.button->font().pointSizeF();
    WidgetScaler scaler(&w.window);
    scaler.SizeFormToScreen();
    w.laidOut->layout()->activate();
    const QRect room = w.laidOut->layout()->contentsRect();
    EXPECT_EQ(w.laidOut->size(), QSize(282, 131));
    EXPECT_EQ(w.button->width(), room.width());
    EXPECT_TRUE(room.contains(w.button->geometry()));
    EXPECT_NEAR(w.button->font().pointSizeF(), designPoints * ResizeFontFactor(), 0.01);
}

TEST(WidgetScalerTest, RecordsTheWindowsInnerSize) {
    DesignWindow w;
    WidgetScaler scaler(&w.window);
    scaler.SizeFormToScreen();
    EXPECT_EQ(scaler.Resize().RecordedWidth(), 800);
    EXPECT_EQ(scaler.Resize().RecordedHeight(), 600);
}

TEST(WidgetScalerTest, ControlDeletedAfterRecordingIsSkipped) {
    DesignWindow w;
    WidgetScaler scaler(&w.window);
    scaler.Resize().ResizeControls();
    delete w.picture;
    scaler.Resize().ResizeControls();
    EXPECT_EQ(w.label->geometry(), QRect(14, 13, 141, 26));
}

} // namespace
