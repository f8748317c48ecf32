#pragma once
// Turns the RIFF WAVE images of the program's sounds into 16-bit samples that
// the sound player can hand to the audio device. Understands the two codings
// the sounds use (PCM 8/16 bit and Microsoft ADPCM 4 bit, mono or stereo) and
// refuses anything malformed instead of reading past the image.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct PcmSound {
    int sampleRate = 0;
    int channels = 0;
    std::vector<int16_t> samples; // interleaved when channels > 1
};

std::optional<PcmSound> decodeWav(const uint8_t* data, size_t size);

// Mixes down to one channel and converts to outRate by linear interpolation,
// so every sound can be played on one device set up once.
std::vector<int16_t> toMonoAtRate(const PcmSound& sound, int outRate);
