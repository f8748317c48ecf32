// The map window's span tables against the outline of its picture: decoding
// every entry onto its two rows must give exactly the bitmap that the picture
// generator wrote from the picture's alpha channel.
#include "tutor/core/MapSpanTables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::vector<bool>> rows;
};

// Plain (P1) PBM with comments; 1 = inside.
Bitmap readPbm(const std::string& path) {
    std::ifstream in(path);
    std::string token, magic;
    Bitmap b;
    auto next = [&](std::string& out) {
        while (in >> out) {
            if (out[0] != '#')
                return true;
            std::getline(in, out);
        }
        return false;
    };
    if (!next(magic) || magic != "P1" || !next(token))
        return {};
    b.width = std::stoi(token);
    if (!next(token))
        return {};
    b.height = std::stoi(token);
    b.rows.assign(b.height, std::vector<bool>(b.width, false));
    char c = 0;
    for (int i = 0; i < b.width * b.height; ++i) {
        do {
            if (!in.get(c))
                return {};
        } while (c != '0' && c != '1');
        b.rows[i / b.width][i % b.width] = c == '1';
    }
    return b;
}

struct TableCase {
    const char* name;
    std::span<const std::int32_t> (*table)();
    int width;
    int height;
};

class MapSpanTable : public ::testing::TestWithParam<TableCase> {};

TEST_P(MapSpanTable, DecodesToThePictureOutline) {
    const TableCase c = GetParam();
    const Bitmap outline =
        readPbm(std::string(ZENTAVO_SOURCE_DIR) + "/resources/pictures/keymap-" + c.name + ".pbm");
    ASSERT_EQ(outline.width, c.width);
    ASSERT_EQ(outline.height, c.height);

    std::vector<std::vector<bool>> decoded(c.height, std::vector<bool>(c.width, false));
    int lastY = -1;
    int lastX2 = -1;
    for (const std::int32_t n : c.table()) {
        const int x1 = n / 1000000;
        const int y = n / 1000 % 1000;
        const int x2 = n % 1000;
        ASSERT_EQ(y % 2, 0) << n;
        ASSERT_LT(x1, x2) << n;
        ASSERT_LE(x2, c.width) << n;
        ASSERT_LT(y, c.height) << n;
        // Rows top to bottom, runs left to right and apart from each other.
        ASSERT_GE(y, lastY) << n;
        if (y == lastY) {
            ASSERT_GT(x1, lastX2) << n;
        }
        lastY = y;
        lastX2 = x2;
        for (int row = y; row <= y + 1 && row < c.height; ++row)
            for (int x = x1; x < x2; ++x)
                decoded[row][x] = true;
    }
    int inside = 0;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            ASSERT_EQ(decoded[y][x], outline.rows[y][x]) << "pixel " << x << "," << y;
            inside += outline.rows[y][x];
        }
    // A shaped window, neither empty nor a plain rectangle.
    EXPECT_GT(inside, c.width * c.height / 2);
    EXPECT_LT(inside, c.width * c.height * 95 / 100);
}

TEST_P(MapSpanTable, OutlineReachesTheWindowEdges) {
    const TableCase c = GetParam();
    int minX = c.width, maxX = 0, maxY = 0;
    for (const std::int32_t n : c.table()) {
        minX = std::min(minX, n / 1000000);
        maxX = std::max(maxX, n % 1000);
        maxY = std::max(maxY, n / 1000 % 1000 + 1);
    }
    EXPECT_EQ(c.table().front() / 1000 % 1000, 0) << "the outline starts on the first row";
    EXPECT_LE(minX, 1);
    EXPECT_GE(maxX, c.width - 1);
    EXPECT_GE(maxY, c.height - 2);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, MapSpanTable,
    ::testing::Values(TableCase{"normal", &MapSpanTables::normal, MapSpanTables::NormalWidth,
                                MapSpanTables::NormalHeight},
                      TableCase{"large", &MapSpanTables::large, MapSpanTables::LargeWidth,
                                MapSpanTables::LargeHeight}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(MapSpanTables, WindowSizesAreTheTwoMapSizes) {
    EXPECT_EQ(MapSpanTables::NormalWidth, 363);
    EXPECT_EQ(MapSpanTables::NormalHeight, 205);
    EXPECT_EQ(MapSpanTables::LargeWidth, 519);
    EXPECT_EQ(MapSpanTables::LargeHeight, 293);
}

} // namespace
