// Checks the shipped sounds: every number the tutor plays exists as a 16-bit
// PCM mono WAV file, is short enough for its role, audible, free of clipping
// and starts and ends at silence so that cutting one sound short never clicks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct WavFile {
    int formatTag = 0;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<int16_t> samples;
    bool valid = false;
};

uint32_t le32(const std::vector<unsigned char>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
}

uint16_t le16(const std::vector<unsigned char>& b, size_t at) {
    return uint16_t(b[at] | b[at + 1] << 8);
}

// A strict reader: the RIFF size must match the file and every chunk must lie
// inside it, as a player that trusts the header would require.
WavFile readWav(const std::string& path) {
    WavFile wav;
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), {});
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE" || le32(b, 4) + 8 != b.size())
        return wav;
    bool haveFormat = false;
    bool haveData = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string id(b.begin() + at, b.begin() + at + 4);
        const size_t size = le32(b, at + 4);
        const size_t body = at + 8;
        if (body + size > b.size())
            return wav;
        if (id == "fmt " && size >= 16) {
            wav.formatTag = le16(b, body);
            wav.channels = le16(b, body + 2);
            wav.sampleRate = int(le32(b, body + 4));
            wav.bitsPerSample = le16(b, body + 14);
            haveFormat = true;
        } else if (id == "data") {
            for (size_t i = 0; i + 1 < size; i += 2)
                wav.samples.push_back(int16_t(le16(b, body + i)));
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    wav.valid = haveFormat && haveData;
    return wav;
}

struct SoundCase {
    int number;
    double maxSeconds;
};

class SoundFile : public ::testing::TestWithParam<SoundCase> {};

std::string soundPath(int number) {
    return std::string(ZENTAVO_SOURCE_DIR) + "/resources/sounds/" + std::to_string(number) + ".wav";
}

TEST_P(SoundFile, IsShortCleanMonoPcm) {
    const SoundCase c = GetParam();
    const WavFile wav = readWav(soundPath(c.number));
    ASSERT_TRUE(wav.valid) << soundPath(c.number);
    EXPECT_EQ(wav.formatTag, 1);
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.bitsPerSample, 16);
    EXPECT_TRUE(wav.sampleRate == 22050 || wav.sampleRate == 44100) << wav.sampleRate;
    ASSERT_FALSE(wav.samples.empty());

    const double seconds = double(wav.samples.size()) / wav.sampleRate;
    EXPECT_LE(seconds, c.maxSeconds);
    EXPECT_GE(seconds, 0.015);

    int peak = 0;
    double sum = 0;
    for (int16_t s : wav.samples) {
        peak = std::max(peak, std::abs(int(s)));
        sum += s;
    }
    EXPECT_GT(peak, 32767 / 10) << "too quiet to hear";
    EXPECT_LT(peak, 32767 * 9 / 10) << "no headroom: risk of clipping";
    EXPECT_LT(std::abs(sum / double(wav.samples.size())), 200.0) << "DC offset";

    // Silence at both ends: no step at the start or when the sound ends.
    EXPECT_LT(std::abs(int(wav.samples.front())), 300);
    EXPECT_LT(std::abs(int(wav.samples.back())), 300);
}

// Roles: wrong key, ordinary end, record, sentence start, about box, results
// window, keystroke, spare, keyboard split switched, welcome, click.
INSTANTIATE_TEST_SUITE_P(Shipped, SoundFile,
                         ::testing::Values(SoundCase{101, 1.0}, SoundCase{102, 1.0},
                                           SoundCase{103, 1.0}, SoundCase{104, 1.0},
                                           SoundCase{105, 1.0}, SoundCase{106, 1.0},
                                           SoundCase{107, 0.080}, SoundCase{108, 1.0},
                                           SoundCase{109, 1.0}, SoundCase{110, 2.5},
                                           SoundCase{111, 1.0}),
                         [](const auto& p) { return std::to_string(p.param.number); });

TEST(SoundFiles, QrcListsEveryNumberOnce) {
    std::ifstream in(std::string(ZENTAVO_SOURCE_DIR) + "/resources/sounds.qrc");
    const std::string qrc((std::istreambuf_iterator<char>(in)), {});
    ASSERT_FALSE(qrc.empty());
    for (int n = 101; n <= 111; ++n) {
        const std::string entry = "alias=\"" + std::to_string(n) + ".wav\"";
        const auto first = qrc.find(entry);
        EXPECT_NE(first, std::string::npos) << n;
        EXPECT_EQ(qrc.find(entry, first + 1), std::string::npos) << n;
    }
}

TEST(SoundFiles, ReaderRejectsTruncatedFile) {
    const std::string truncated = std::string(::testing::TempDir()) + "/truncated.wav";
    {
        std::ifstream in(soundPath(107), std::ios::binary);
        std::vector<char> b((std::istreambuf_iterator<char>(in)), {});
        ASSERT_GT(b.size(), 100u);
        std::ofstream out(truncated, std::ios::binary);
        out.write(b.data(), std::streamsize(b.size() - 40));
    }
    EXPECT_FALSE(readWav(truncated).valid);
}

} // namespace
