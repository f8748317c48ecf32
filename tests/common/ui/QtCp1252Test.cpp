#include "common/ui/QtCp1252.h"

#include <gtest/gtest.h>

namespace {

TEST(QtCp1252, AccentedLettersAndEuroCrossTheBoundary) {
    EXPECT_EQ(FromQString(QStringLiteral(u"è")), "\xE8");
    EXPECT_EQ(FromQString(QStringLiteral(u"€")), "\x80");
    EXPECT_EQ(ToQString("\xE8"), QStringLiteral(u"è"));
    EXPECT_EQ(ToQString("\x80"), QStringLiteral(u"€"));
    EXPECT_EQ(ToQString("Citt\xE0 \xA6\xA6 \x93ok\x94"), QStringLiteral(u"Città ¦¦ “ok”"));
}

TEST(QtCp1252, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const QString text = ToQString(all);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(FromQString(text), all);
}

struct Missing {
    const char* name;
    QString text;
    std::string bytes;
};

class QtMissingCharacter : public ::testing::TestWithParam<Missing> {};

TEST_P(QtMissingCharacter, BecomesOneQuestionMark) {
    EXPECT_EQ(FromQString(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QtMissingCharacter,
    ::testing::Values(Missing{"Cjk", QStringLiteral(u"a中b"), "a?b"},
                      Missing{"Astral", QStringLiteral(u"a😀b"), "a?b"},
                      Missing{"LoneHigh", QString(QChar(0xD83D)) + QChar('x'), "?x"},
                      Missing{"LoneLow", QString(QChar(0xDE00)), "?"},
                      Missing{"C1NotInPage", QString(QChar(0x80)), "?"},
                      Missing{"Empty", QString(), ""}),
    [](const ::testing::TestParamInfo<Missing>& param) { return std::string(param.param.name); });

} // namespace
