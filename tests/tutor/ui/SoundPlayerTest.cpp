#include "tutor/ui/SoundPlayer.h"

#include "WaveImages.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

#include <unistd.h>

namespace {

using namespace std::chrono_literals;

bool eventually(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition())
            return true;
        std::this_thread::sleep_for(2ms);
    }
    return condition();
}

std::vector<uint8_t> shortClick() {
    return wave::pcm8(11025, std::vector<uint8_t>(400, 0xA0));
}

TEST(SoundPlayer, WithoutADeviceStaysSilentAndAnswersAtOnce) {
    SoundPlayer player("zentavo_no_such_device");
    player.addSound(107, shortClick());
    player.start();
    ASSERT_TRUE(
        eventually([&] { return player.deviceState() == SoundPlayer::DeviceState::Unavailable; }));
    for (int i = 0; i < 50; ++i)
        player.play(107);
    EXPECT_EQ(player.soundsStarted(), 0);
}

TEST(SoundPlayer, WithoutADeviceNoSoundIsEverRead) {
    std::atomic<int> reads = 0;
    SoundPlayer player("zentavo_no_such_device");
    player.setSource(
        [&reads](int) {
            ++reads;
            return shortClick();
        },
        {101, 107});
    player.start();
    ASSERT_TRUE(
        eventually([&] { return player.deviceState() == SoundPlayer::DeviceState::Unavailable; }));
    player.play(107);
    EXPECT_EQ(reads, 0);
}

TEST(SoundPlayer, ReadsItsSoundsOnceTheDeviceIsOpen) {
    std::atomic<int> reads = 0;
    SoundPlayer player("null");
    player.setSource(
        [&reads](int) {
            ++reads;
            return shortClick();
        },
        {101, 107});
    player.start();
    ASSERT_TRUE(
        eventually([&] { return player.deviceState() == SoundPlayer::DeviceState::Ready; }));
    player.play(107);
    EXPECT_TRUE(eventually([&] { return player.soundsStarted() == 1; }));
    EXPECT_EQ(reads, 2);
}

// A long sound of the source is heard seldom: it is read and decoded each
// time it plays, not kept decoded in between; a short one is read once.
TEST(SoundPlayer, ReadsALongSoundAgainEachTimeItPlays) {
    std::atomic<int> reads = 0;
    SoundPlayer player("null");
    const std::vector<uint8_t> longSound = wave::pcm8(
        SoundPlayer::outputRate, std::vector<uint8_t>(SoundPlayer::keptFrames + 1, 0x90));
    player.setSource(
        [&](int number) {
            ++reads;
            return number == 110 ? longSound : shortClick();
        },
        {107, 110});
    player.start();
    ASSERT_TRUE(
        eventually([&] { return player.deviceState() == SoundPlayer::DeviceState::Ready; }));
    EXPECT_EQ(reads, 2);
    for (int round = 1; round <= 2; ++round) {
        player.play(110);
        ASSERT_TRUE(eventually([&] { return player.soundsStarted() == 2 * round - 1; }));
        EXPECT_EQ(reads, 2 + round);
        player.play(107);
        ASSERT_TRUE(eventually([&] { return player.soundsStarted() == 2 * round; }));
        EXPECT_EQ(reads, 2 + round);
    }
}

TEST(SoundPlayer, AMissingDevicePrintsNothing) {
    // ALSA reports an unknown device on stderr unless told not to.
    std::FILE* capture = std::tmpfile();
    ASSERT_NE(capture, nullptr);
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(fileno(capture), STDERR_FILENO);
    {
        SoundPlayer player("zentavo_no_such_device");
        player.addSound(107, shortClick());
        player.start();
        eventually([&] { return player.deviceState() == SoundPlayer::DeviceState::Unavailable; });
    }
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    EXPECT_EQ(std::ftell(capture), 0L);
    std::fclose(capture);
}

TEST(SoundPlayer, NothingHappensBeforeStart) {
    SoundPlayer player("null");
    player.addSound(107, shortClick());
    player.play(107);
    EXPECT_EQ(player.deviceState(), SoundPlayer::DeviceState::NotStarted);
    EXPECT_EQ(player.soundsStarted(), 0);
}

// The "null" device of ALSA accepts samples without hardware, so these cases
// run the real path: decoding, opening, writing.
class SoundPlayerOnNullDevice : public testing::Test {
protected:
    void SetUp() override {
        player.addSound(101, shortClick());
        player.addSound(107, shortClick());
        player.addSound(999, {'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', 'e'});
    }
    SoundPlayer player{"null"};
};

TEST_F(SoundPlayerOnNullDevice, PlaysARequestedSound) {
    player.start();
    ASSERT_TRUE(
        eventually([&] { return player.deviceState() == SoundPlayer::DeviceState::Ready; }));
    player.play(107);
    EXPECT_TRUE(eventually([&] { return player.soundsStarted() == 1; }));
}

TEST_F(SoundPlayerOnNullDevice, KeepsOnlyTheLatestRequestMadeWhileOpening) {
    player.play(101);
    player.play(107);
    player.start();
    ASSERT_TRUE(eventually([&] { return player.soundsStarted() == 1; }));
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(player.soundsStarted(), 1);
}

TEST_F(SoundPlayerOnNullDevice, IgnoresUnknownAndUndecodableSounds) {
    player.start();
    ASSERT_TRUE(
        eventually([&] { return player.deviceState() == SoundPlayer::DeviceState::Ready; }));
    player.play(555);
    player.play(999);
    std::this_thread::sleep_for(50ms);
    player.play(101);
    ASSERT_TRUE(eventually([&] { return player.soundsStarted() == 1; }));
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(player.soundsStarted(), 1);
}

TEST_F(SoundPlayerOnNullDevice, SoundsAddedAfterStartAreIgnored) {
    player.start();
    player.addSound(108, shortClick());
    ASSERT_TRUE(
        eventually([&] { return player.deviceState() == SoundPlayer::DeviceState::Ready; }));
    player.play(108);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(player.soundsStarted(), 0);
}

TEST_F(SoundPlayerOnNullDevice, ANewSoundCutsTheOnePlaying) {
    player.addSound(110, wave::pcm8(8000, std::vector<uint8_t>(40000, 0x90)));
    player.start();
    ASSERT_TRUE(
        eventually([&] { return player.deviceState() == SoundPlayer::DeviceState::Ready; }));
    player.play(110);
    ASSERT_TRUE(eventually([&] { return player.soundsStarted() == 1; }));
    player.play(107);
    ASSERT_TRUE(eventually([&] { return player.soundsStarted() == 2; }));
    EXPECT_EQ(player.soundsDropped(), 1);
}

TEST_F(SoundPlayerOnNullDevice, EndsPromptlyWhilePlaying) {
    player.addSound(110, wave::pcm8(8000, std::vector<uint8_t>(80000, 0x90)));
    const auto begin = std::chrono::steady_clock::now();
    {
        SoundPlayer longOne("null");
        longOne.addSound(110, wave::pcm8(8000, std::vector<uint8_t>(80000, 0x90)));
        longOne.start();
        longOne.play(110);
        ASSERT_TRUE(eventually([&] { return longOne.soundsStarted() == 1; }));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 2s);
}

} // namespace
