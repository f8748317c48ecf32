#include "tutor/ui/WavDecoder.h"

#include "WaveImages.h"

#include <gtest/gtest.h>

namespace {

std::optional<PcmSound> decode(const std::vector<uint8_t>& image) {
    return decodeWav(image.data(), image.size());
}

struct AdpcmCase {
    const char* name;
    int channels;
    std::vector<uint8_t> block;
    std::vector<int16_t> expected;
};

// Expected values follow the Microsoft ADPCM definition step by step:
// predictor = (s1 * c1 + s2 * c2) / 256, sample = predictor + nibble * delta,
// delta = max(16, adaptation[nibble] * delta / 256).
class AdpcmDecoding : public testing::TestWithParam<AdpcmCase> {};

TEST_P(AdpcmDecoding, FollowsTheAdpcmRecurrence) {
    const AdpcmCase& c = GetParam();
    std::vector<uint8_t> chunks;
    wave::chunk(chunks, "fmt ",
                wave::adpcmFormat(c.channels, 8000, static_cast<int>(c.block.size())));
    wave::chunk(chunks, "data", c.block);
    const auto sound = decode(wave::riff(chunks));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->channels, c.channels);
    EXPECT_EQ(sound->sampleRate, 8000);
    EXPECT_EQ(sound->samples, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, AdpcmDecoding,
    testing::Values(
        // predictor 0 (256, 0), delta 16, s1 100, s2 50; nibbles 1, 7, -1, 0
        AdpcmCase{"mono_first_pair",
                  1,
                  {0, 16, 0, 100, 0, 50, 0, 0x17, 0xF0},
                  {50, 100, 116, 228, 190, 190}},
        // predictor 1 (512, -256) extrapolates: 2 * 100 - 50 = 150
        AdpcmCase{"mono_second_pair_uses_both_coefficients",
                  1,
                  {1, 16, 0, 100, 0, 50, 0, 0x00},
                  {50, 100, 150, 200}},
        // a sample beyond the 16-bit range is clamped
        AdpcmCase{"mono_clamps",
                  1,
                  {0, 0xE8, 0x03, 0x00, 0x7D, 0x00, 0x7D, 0x70},
                  {32000, 32000, 32767, 32767}},
        // stereo headers come channel by channel, nibbles alternate left, right
        AdpcmCase{"stereo_interleaves",
                  2,
                  {0, 0, 16, 0, 16, 0, 100, 0, 0x9C, 0xFF, 0, 0, 0, 0, 0x10},
                  {0, 0, 100, -100, 116, -100}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(WavDecoder, AdpcmStopsAtTheFactFrameCount) {
    std::vector<uint8_t> chunks;
    wave::chunk(chunks, "fmt ", wave::adpcmFormat(1, 11025, 9));
    std::vector<uint8_t> fact;
    wave::put32(fact, 3);
    wave::chunk(chunks, "fact", fact);
    wave::chunk(chunks, "data", {0, 16, 0, 100, 0, 50, 0, 0x17, 0xF0});
    const auto sound = decode(wave::riff(chunks));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->samples, (std::vector<int16_t>{50, 100, 116}));
}

TEST(WavDecoder, AdpcmDecodesEveryBlockAndAShortLastOne) {
    std::vector<uint8_t> chunks;
    wave::chunk(chunks, "fmt ", wave::adpcmFormat(1, 8000, 9));
    // one full block of 9 bytes, then a last block of the header and one byte
    wave::chunk(chunks, "data", {0, 16, 0, 1, 0, 2, 0, 0x00, 0x00, 2, 16, 0, 9, 0, 9, 0, 0x11});
    const auto sound = decode(wave::riff(chunks));
    ASSERT_TRUE(sound);
    // predictor 2 has both coefficients 0, so each sample is just nibble * delta
    EXPECT_EQ(sound->samples, (std::vector<int16_t>{2, 1, 1, 1, 1, 1, 9, 9, 16, 16}));
}

struct PcmCase {
    const char* name;
    int channels;
    int bits;
    std::vector<uint8_t> data;
    std::vector<int16_t> expected;
};

class PcmDecoding : public testing::TestWithParam<PcmCase> {};

TEST_P(PcmDecoding, ConvertsToSigned16Bit) {
    const PcmCase& c = GetParam();
    std::vector<uint8_t> chunks;
    wave::chunk(chunks, "fmt ", wave::pcmFormat(c.channels, 11025, c.bits));
    wave::chunk(chunks, "data", c.data);
    const auto sound = decode(wave::riff(chunks));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->sampleRate, 11025);
    EXPECT_EQ(sound->samples, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Codings, PcmDecoding,
    testing::Values(
        PcmCase{"unsigned_8_bit_centre_is_silence", 1, 8, {0x80, 0x00, 0xFF}, {0, -32768, 32512}},
        PcmCase{"signed_16_bit_little_endian", 1, 16, {0x34, 0x12, 0x00, 0x80}, {0x1234, -32768}},
        PcmCase{"stereo_drops_half_a_frame", 2, 8, {0x80, 0x81, 0x82}, {0, 256}},
        PcmCase{"odd_byte_of_16_bit_ignored", 1, 16, {0x01, 0x00, 0x07}, {1}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(WavDecoder, SkipsUnknownChunksWithTheirPadByte) {
    std::vector<uint8_t> chunks;
    wave::chunk(chunks, "LIST", {'a', 'b', 'c'});
    wave::chunk(chunks, "fmt ", wave::pcmFormat(1, 22050, 8));
    wave::chunk(chunks, "data", {0x90});
    const auto sound = decode(wave::riff(chunks));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->samples, std::vector<int16_t>{4096});
}

TEST(WavDecoder, DataChunkLongerThanTheImageUsesWhatIsThere) {
    std::vector<uint8_t> chunks;
    wave::chunk(chunks, "fmt ", wave::pcmFormat(1, 8000, 8));
    wave::chunk(chunks, "data", {0x80, 0x80, 0x80, 0x80}, 5000);
    const auto sound = decode(wave::riff(chunks));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->samples.size(), 4u);
}

struct BadImage {
    const char* name;
    std::vector<uint8_t> image;
};

std::vector<uint8_t> withFormat(std::vector<uint8_t> format, std::vector<uint8_t> data) {
    std::vector<uint8_t> chunks;
    wave::chunk(chunks, "fmt ", format);
    wave::chunk(chunks, "data", data);
    return wave::riff(chunks);
}

std::vector<uint8_t> adpcmWithPredictor(uint8_t predictor) {
    return withFormat(wave::adpcmFormat(1, 8000, 8), {predictor, 16, 0, 0, 0, 0, 0, 0});
}

std::vector<uint8_t> patched(std::vector<uint8_t> image, size_t at, uint8_t value) {
    image[at] = value;
    return image;
}

class MalformedImages : public testing::TestWithParam<BadImage> {};

TEST_P(MalformedImages, AreRefused) {
    EXPECT_FALSE(decode(GetParam().image));
}

INSTANTIATE_TEST_SUITE_P(
    Images, MalformedImages,
    testing::Values(
        BadImage{"empty", {}},
        BadImage{"not_riff", patched(wave::pcm8(8000, {1}), 0, 'X')},
        BadImage{"not_wave", patched(wave::pcm8(8000, {1}), 8, 'X')},
        BadImage{"no_data_chunk",
                 [] {
                     std::vector<uint8_t> c;
                     wave::chunk(c, "fmt ", wave::pcmFormat(1, 8000, 8));
                     return wave::riff(c);
                 }()},
        BadImage{"data_before_format",
                 [] {
                     std::vector<uint8_t> c;
                     wave::chunk(c, "data", {1, 2});
                     wave::chunk(c, "fmt ", wave::pcmFormat(1, 8000, 8));
                     return wave::riff(c);
                 }()},
        BadImage{"truncated_format", withFormat({1, 0, 1, 0}, {1})},
        BadImage{"zero_channels", withFormat(wave::pcmFormat(0, 8000, 8), {1})},
        BadImage{"three_channels", withFormat(wave::pcmFormat(3, 8000, 8), {1, 2, 3})},
        BadImage{"zero_rate", withFormat(wave::pcmFormat(1, 0, 8), {1})},
        BadImage{"twelve_bits", withFormat(wave::pcmFormat(1, 8000, 12), {1, 2})},
        BadImage{"unknown_coding", patched(wave::pcm8(8000, {1}), 20, 0x55)},
        BadImage{"adpcm_predictor_out_of_table", adpcmWithPredictor(7)},
        BadImage{"adpcm_block_no_larger_than_header",
                 withFormat(wave::adpcmFormat(1, 8000, 7), {0, 16, 0, 0, 0, 0, 0})},
        BadImage{"adpcm_without_coefficients",
                 [] {
                     auto f = wave::adpcmFormat(1, 8000, 8);
                     f.resize(22);
                     return withFormat(f, {0, 16, 0, 0, 0, 0, 0, 0});
                 }()}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(WavDecoder, NullPointerIsRefused) {
    EXPECT_FALSE(decodeWav(nullptr, 10));
}

TEST(ToMonoAtRate, InterpolatesBetweenNeighbours) {
    const PcmSound s{1, 1, {0, 1000}};
    EXPECT_EQ(toMonoAtRate(s, 2), (std::vector<int16_t>{0, 500, 1000, 1000}));
}

TEST(ToMonoAtRate, AveragesTheChannels) {
    const PcmSound s{8000, 2, {100, 300, -50, -150}};
    EXPECT_EQ(toMonoAtRate(s, 8000), (std::vector<int16_t>{200, -100}));
}

struct RateCase {
    int inRate;
    size_t frames;
    int outRate;
    size_t expectedFrames;
};

class RateConversion : public testing::TestWithParam<RateCase> {};

TEST_P(RateConversion, KeepsTheDuration) {
    const RateCase& c = GetParam();
    const PcmSound s{c.inRate, 1, std::vector<int16_t>(c.frames, 1234)};
    const auto out = toMonoAtRate(s, c.outRate);
    EXPECT_EQ(out.size(), c.expectedFrames);
    for (int16_t v : out)
        ASSERT_EQ(v, 1234);
}

INSTANTIATE_TEST_SUITE_P(Rates, RateConversion,
                         testing::Values(RateCase{11025, 11025, 48000, 48000},
                                         RateCase{8000, 80, 48000, 480},
                                         RateCase{22050, 3, 48000, 7},
                                         RateCase{48000, 100, 48000, 100}));

TEST(ToMonoAtRate, EmptyOrInvalidGivesNothing) {
    EXPECT_TRUE(toMonoAtRate(PcmSound{8000, 1, {}}, 48000).empty());
    EXPECT_TRUE(toMonoAtRate(PcmSound{0, 1, {5}}, 48000).empty());
    EXPECT_TRUE(toMonoAtRate(PcmSound{8000, 0, {5}}, 48000).empty());
}

} // namespace
