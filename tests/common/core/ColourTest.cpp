#include "common/core/Colour.h"

#include <gtest/gtest.h>

namespace {

struct StoredCase {
    Colour colour;
    std::uint32_t stored;
};

class StoredColours : public testing::TestWithParam<StoredCase> {};

TEST_P(StoredColours, RedIsTheLowestByteThenGreenThenBlue) {
    EXPECT_EQ(GetParam().colour.Stored(), GetParam().stored);
    EXPECT_EQ(Colour::FromStored(GetParam().stored), GetParam().colour);
}

INSTANTIATE_TEST_SUITE_P(Colours, StoredColours,
                         testing::Values(StoredCase{{0, 0, 0}, 0u}, StoredCase{{255, 0, 0}, 255u},
                                         StoredCase{{0, 0, 255}, 16711680u},
                                         StoredCase{{224, 224, 224}, 14737632u},
                                         StoredCase{{1, 2, 3}, 1u + 2u * 256u + 3u * 65536u}));

TEST(Colour, BitsAboveTheThreeBytesAreIgnored) {
    EXPECT_EQ(Colour::FromStored(0xFF000000u | 0x0000FFu), (Colour{255, 0, 0}));
}

} // namespace
