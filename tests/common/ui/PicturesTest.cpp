// The picture accessor: every number and role leads to a picture that renders,
// sizes follow the device pixel ratio, the map picture is opaque exactly where
// its outline says, and sounds and help pages are found by number.
#include "common/ui/Pictures.h"

#include <QFile>
#include <QIcon>
#include <QImage>

#include <gtest/gtest.h>

namespace {

using Pictures::Role;

// Share of pixels that are not fully transparent.
double coverage(const QImage& image) {
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            drawn += qAlpha(image.pixel(x, y)) > 0;
    return double(drawn) / (image.width() * image.height());
}

class NumberedIcon : public ::testing::TestWithParam<int> {};

TEST_P(NumberedIcon, RendersAt32PixelsAndTwiceThatOnDenseScreens) {
    const int number = GetParam();
    ASSERT_FALSE(Pictures::path(number).isEmpty());
    EXPECT_TRUE(QFile::exists(Pictures::path(number)));
    EXPECT_EQ(Pictures::naturalSize(number), QSize(32, 32));

    const QPixmap one = Pictures::pixmap(number, {}, 1.0);
    const QPixmap two = Pictures::pixmap(number, {}, 2.0);
    EXPECT_EQ(one.size(), QSize(32, 32));
    EXPECT_EQ(two.size(), QSize(64, 64));
    EXPECT_DOUBLE_EQ(two.devicePixelRatio(), 2.0);
    // A picture, not an empty or a filled square.
    const double c = coverage(two.toImage());
    EXPECT_GT(c, 0.10) << number;
    EXPECT_LT(c, 0.98) << number;
}

INSTANTIATE_TEST_SUITE_P(All, NumberedIcon,
                         ::testing::Values(400, 401, 402, 403, 420, 421, 422, 423, 424, 425, 426,
                                           427, 428, 429, 430, 431, 432));

TEST(Pictures, NumbersWithoutPictureGiveNothing) {
    for (int number : {0, 399, 404, 419, 433, 101}) {
        EXPECT_TRUE(Pictures::path(number).isEmpty()) << number;
        EXPECT_TRUE(Pictures::pixmap(number).isNull()) << number;
        EXPECT_TRUE(Pictures::icon(number).isNull()) << number;
    }
}

TEST(Pictures, AnimationFramesDiffer) {
    const QImage first = Pictures::pixmap(400, {}, 1.0).toImage();
    for (int number = 401; number <= 403; ++number)
        EXPECT_NE(Pictures::pixmap(number, {}, 1.0).toImage(), first) << number;
    EXPECT_NE(Pictures::pixmap(Role::RecordFrame0, {}, 1.0).toImage(),
              Pictures::pixmap(Role::RecordFrame1, {}, 1.0).toImage());
}

TEST(Pictures, EveryRoleRenders) {
    for (int r = int(Role::FingerLeftLittle); r <= int(Role::Folder); ++r) {
        const Role role = static_cast<Role>(r);
        const QString file = Pictures::path(role);
        ASSERT_FALSE(file.isEmpty()) << r;
        EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
        const QSize natural = Pictures::naturalSize(role);
        ASSERT_FALSE(natural.isEmpty()) << file.toStdString();
        const QImage image = Pictures::pixmap(role, {}, 1.0).toImage();
        EXPECT_EQ(image.size(), natural) << file.toStdString();
        EXPECT_GT(coverage(image), 0.03) << file.toStdString();
    }
}

TEST(Pictures, SizesTheSpecifiedPicturesNeed) {
    struct Case {
        Role role;
        QSize size;
    };
    const Case cases[] = {{Role::FingerLeftLittle, {32, 32}}, {Role::FingerRightThumb, {32, 32}},
                          {Role::PressEnter, {32, 32}},       {Role::FingerMapStrip, {622, 47}},
                          {Role::KeyMapNormal, {363, 205}},   {Role::KeyMapLarge, {519, 293}}};
    for (const Case& c : cases)
        EXPECT_EQ(Pictures::naturalSize(c.role), c.size) << int(c.role);
}

TEST(Pictures, AskedSizeWinsOverNaturalSize) {
    const QPixmap strip = Pictures::pixmap(Role::FingerMapStrip, QSize(311, 24), 2.0);
    EXPECT_EQ(strip.size(), QSize(622, 48));
    EXPECT_EQ(strip.deviceIndependentSize(), QSizeF(311, 24));
}

// The map window is cut to its outline; inside it every pixel must be opaque
// (or the window background would show through), outside it transparent.
TEST(Pictures, MapPictureIsOpaqueOrTransparentAtEveryScale) {
    for (Role role : {Role::KeyMapNormal, Role::KeyMapLarge}) {
        const QImage base = Pictures::pixmap(role, {}, 1.0).toImage();
        const QImage dense = Pictures::pixmap(role, {}, 2.0).toImage();
        ASSERT_EQ(dense.size(), base.size() * 2);
        int partial = 0;
        for (int y = 0; y < base.height(); ++y)
            for (int x = 0; x < base.width(); ++x) {
                const int a = qAlpha(base.pixel(x, y));
                partial += a != 0 && a != 255;
                // A dense pixel inside an opaque base pixel stays opaque.
                if (a == 255) {
                    ASSERT_EQ(qAlpha(dense.pixel(2 * x, 2 * y)), 255) << x << "," << y;
                }
            }
        EXPECT_EQ(partial, 0);
        EXPECT_EQ(qAlpha(base.pixel(0, base.height() - 1)), 0) << "corner outside the outline";
        EXPECT_EQ(qAlpha(base.pixel(base.width() / 2, base.height() / 4)), 255);
    }
}

TEST(Pictures, IconIsSharpAtEverySize) {
    const QIcon icon = Pictures::icon(Role::AppTutor);
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 48, 256}) {
        const QPixmap pm = icon.pixmap(QSize(size, size), 2.0);
        EXPECT_EQ(pm.size(), QSize(2 * size, 2 * size)) << size;
    }
    const QImage normal = icon.pixmap(QSize(32, 32), 1.0, QIcon::Normal).toImage();
    const QImage disabled = icon.pixmap(QSize(32, 32), 1.0, QIcon::Disabled).toImage();
    const QRgb centre = disabled.pixel(16, 16);
    EXPECT_EQ(qRed(centre), qGreen(centre));
    EXPECT_EQ(qGreen(centre), qBlue(centre));
    EXPECT_NE(normal.pixel(16, 16), centre);
}

TEST(Pictures, RolesByWindowIndex) {
    EXPECT_EQ(Pictures::fingerImage(0), Role::FingerLeftLittle);
    EXPECT_EQ(Pictures::fingerImage(3), Role::FingerLeftIndex);
    EXPECT_EQ(Pictures::fingerImage(4), Role::FingerRightIndex);
    EXPECT_EQ(Pictures::fingerImage(7), Role::FingerRightLittle);
    EXPECT_EQ(Pictures::fingerImage(8), Role::FingerLeftThumb);
    EXPECT_EQ(Pictures::fingerImage(9), Role::FingerRightThumb);

    const Role menu[] = {Role::MenuClose,      Role::MenuRestart,   Role::MenuHelp,
                         Role::MenuSound,      Role::MenuFingerMap, Role::MenuHighlight,
                         Role::MenuBackground, Role::MenuTypeForMe, Role::MenuLanguage,
                         Role::MenuPupils,     Role::MenuProgress};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(Pictures::menuSymbol(i), menu[i]) << i;
    EXPECT_EQ(Pictures::menuSymbol(3, false), Role::MenuSoundOff);
    EXPECT_EQ(Pictures::menuSymbol(4, false), Role::MenuFingerMap);

    EXPECT_EQ(Pictures::errorFace('J', false), Role::FaceSmile);
    EXPECT_EQ(Pictures::errorFace('K', false), Role::FaceNeutral);
    EXPECT_EQ(Pictures::errorFace('L', false), Role::FaceSad);
    EXPECT_EQ(Pictures::errorFace('L', true), Role::FaceSadRed);
}

TEST(Pictures, SoundsByNumber) {
    for (int number = 101; number <= 111; ++number) {
        EXPECT_EQ(Pictures::soundPath(number), QStringLiteral(":/sounds/%1.wav").arg(number));
        const QByteArray bytes = Pictures::soundBytes(number);
        ASSERT_GT(bytes.size(), 44) << number;
        EXPECT_TRUE(bytes.startsWith("RIFF")) << number;
        EXPECT_EQ(bytes.mid(8, 4), QByteArray("WAVE")) << number;
    }
    for (int number : {100, 112, 0}) {
        EXPECT_TRUE(Pictures::soundPath(number).isEmpty());
        EXPECT_TRUE(Pictures::soundBytes(number).isEmpty());
    }
}

TEST(Pictures, HelpPageOfTopic) {
    EXPECT_EQ(Pictures::helpPage("/opt/zentavo/", 0), "/opt/zentavo/help/index.html");
    EXPECT_EQ(Pictures::helpPage("/opt/zentavo", -3), "/opt/zentavo/help/index.html");
    EXPECT_EQ(Pictures::helpPage("/opt/zentavo", 1000), "/opt/zentavo/help/1000.html");
    EXPECT_EQ(Pictures::helpPage("/opt/zentavo/", 1001), "/opt/zentavo/help/1001.html");
}

TEST(Pictures, HelpPagesOfEveryTopicShip) {
    const QString data = QStringLiteral(ZENTAVO_SOURCE_DIR "/data");
    for (int topic : {0, 1000, 1001})
        EXPECT_TRUE(QFile::exists(Pictures::helpPage(data, topic))) << topic;
}

} // namespace
