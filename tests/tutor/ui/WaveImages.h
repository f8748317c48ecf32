#pragma once
// Builds small RIFF WAVE images for the tests of the decoder and the player.

#include <cstdint>
#include <string>
#include <vector>

namespace wave {

inline void put16(std::vector<uint8_t>& b, int v) {
    b.push_back(static_cast<uint8_t>(v & 0xFF));
    b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

inline void put32(std::vector<uint8_t>& b, uint32_t v) {
    put16(b, static_cast<int>(v & 0xFFFF));
    put16(b, static_cast<int>(v >> 16));
}

inline void chunk(std::vector<uint8_t>& b, const std::string& id, const std::vector<uint8_t>& body,
                  uint32_t declaredSize) {
    b.insert(b.end(), id.begin(), id.end());
    put32(b, declaredSize);
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2 == 1)
        b.push_back(0);
}

inline void chunk(std::vector<uint8_t>& b, const std::string& id,
                  const std::vector<uint8_t>& body) {
    chunk(b, id, body, static_cast<uint32_t>(body.size()));
}

inline std::vector<uint8_t> riff(const std::vector<uint8_t>& chunks) {
    std::vector<uint8_t> b = {'R', 'I', 'F', 'F'};
    put32(b, static_cast<uint32_t>(chunks.size() + 4));
    b.insert(b.end(), {'W', 'A', 'V', 'E'});
    b.insert(b.end(), chunks.begin(), chunks.end());
    return b;
}

inline std::vector<uint8_t> pcmFormat(int channels, int rate, int bits) {
    std::vector<uint8_t> f;
    put16(f, 1);
    put16(f, channels);
    put32(f, static_cast<uint32_t>(rate));
    put32(f, static_cast<uint32_t>(rate * channels * bits / 8));
    put16(f, channels * bits / 8);
    put16(f, bits);
    return f;
}

// Microsoft ADPCM with its seven standard coefficient pairs.
inline std::vector<uint8_t> adpcmFormat(int channels, int rate, int blockAlign) {
    static const int coefficients[7][2] = {{256, 0}, {512, -256}, {0, 0},     {192, 64},
                                           {240, 0}, {460, -208}, {392, -232}};
    std::vector<uint8_t> f;
    put16(f, 2);
    put16(f, channels);
    put32(f, static_cast<uint32_t>(rate));
    put32(f, static_cast<uint32_t>(rate));
    put16(f, blockAlign);
    put16(f, 4);
    put16(f, 32);
    put16(f, (blockAlign - 7 * channels) * 2 / channels + 2);
    put16(f, 7);
    for (const auto& c : coefficients) {
        put16(f, c[0]);
        put16(f, c[1]);
    }
    return f;
}

inline std::vector<uint8_t> pcm8(int rate, const std::vector<uint8_t>& samples) {
    std::vector<uint8_t> chunks;
    chunk(chunks, "fmt ", pcmFormat(1, rate, 8));
    chunk(chunks, "data", samples);
    return riff(chunks);
}

} // namespace wave
