#include "tutor/ui/WavDecoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace {

constexpr uint16_t formatPcm = 1;
constexpr uint16_t formatMsAdpcm = 2;
constexpr size_t maxChannels = 2;

// Reads little-endian fields with bounds checks; every read past the end
// marks the reader as failed and yields 0.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool failed() const { return m_failed; }
    size_t remaining() const { return m_failed ? 0 : m_size - m_pos; }
    size_t position() const { return m_pos; }
    const uint8_t* here() const { return m_data + m_pos; }

    uint8_t u8() {
        if (!need(1))
            return 0;
        return m_data[m_pos++];
    }
    uint16_t u16() {
        if (!need(2))
            return 0;
        const uint16_t v = static_cast<uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return v;
    }
    int16_t s16() { return static_cast<int16_t>(u16()); }
    uint32_t u32() {
        const uint32_t lo = u16();
        const uint32_t hi = u16();
        return lo | (hi << 16);
    }
    bool tag(std::string_view expected) {
        if (!need(4))
            return false;
        const bool same = std::memcmp(m_data + m_pos, expected.data(), 4) == 0;
        m_pos += 4;
        return same;
    }
    void skip(size_t n) {
        if (need(n))
            m_pos += n;
    }

private:
    bool need(size_t n) {
        if (m_failed || m_size - m_pos < n) {
            m_failed = true;
            return false;
        }
        return true;
    }

    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
    bool m_failed = false;
};

struct Format {
    uint16_t tag = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t samplesPerBlock = 0;
    std::vector<std::array<int16_t, 2>> coefficients;
};

std::optional<Format> readFormat(const uint8_t* chunk, size_t size) {
    ByteReader r(chunk, size);
    Format f;
    f.tag = r.u16();
    f.channels = r.u16();
    f.sampleRate = r.u32();
    r.u32(); // average bytes per second: derived, not needed
    f.blockAlign = r.u16();
    f.bitsPerSample = r.u16();
    if (r.failed() || f.channels == 0 || f.channels > maxChannels || f.sampleRate == 0 ||
        f.sampleRate > 192000)
        return std::nullopt;
    if (f.tag == formatMsAdpcm) {
        r.u16(); // size of the extension
        f.samplesPerBlock = r.u16();
        const uint16_t count = r.u16();
        if (r.failed() || count == 0 || count > 256)
            return std::nullopt;
        for (uint16_t i = 0; i < count; ++i) {
            const int16_t c1 = r.s16();
            const int16_t c2 = r.s16();
            f.coefficients.push_back({c1, c2});
        }
        if (r.failed())
            return std::nullopt;
    }
    return f;
}

std::optional<std::vector<int16_t>> decodePcm(const Format& f, const uint8_t* data, size_t size) {
    std::vector<int16_t> out;
    if (f.bitsPerSample == 8) {
        out.reserve(size);
        for (size_t i = 0; i < size; ++i)
            out.push_back(static_cast<int16_t>((data[i] - 128) * 256));
    } else if (f.bitsPerSample == 16) {
        out.reserve(size / 2);
        for (size_t i = 0; i + 1 < size; i += 2)
            out.push_back(static_cast<int16_t>(data[i] | (data[i + 1] << 8)));
    } else {
        return std::nullopt;
    }
    out.resize(out.size() - out.size() % f.channels);
    return out;
}

struct AdpcmChannel {
    int coef1 = 0;
    int coef2 = 0;
    int delta = 0;
    int sample1 = 0;
    int sample2 = 0;

    int16_t expand(int nibble) {
        static constexpr std::array<int, 16> adaptation = {230, 230, 230, 230, 307, 409, 512, 614,
                                                           768, 614, 512, 409, 307, 230, 230, 230};
        const int predictor = (sample1 * coef1 + sample2 * coef2) / 256;
        const int signedNibble = nibble >= 8 ? nibble - 16 : nibble;
        const int value = std::clamp(predictor + signedNibble * delta, -32768, 32767);
        sample2 = sample1;
        sample1 = value;
        delta = std::max(16, adaptation[static_cast<size_t>(nibble)] * delta / 256);
        return static_cast<int16_t>(value);
    }
};

std::optional<std::vector<int16_t>> decodeMsAdpcm(const Format& f, const uint8_t* data,
                                                  size_t size) {
    const size_t ch = f.channels;
    const size_t headerBytes = 7 * ch;
    if (f.bitsPerSample != 4 || f.blockAlign <= headerBytes)
        return std::nullopt;
    std::vector<int16_t> out;
    for (size_t offset = 0; offset < size; offset += f.blockAlign) {
        const size_t blockSize = std::min<size_t>(f.blockAlign, size - offset);
        if (blockSize < headerBytes)
            break; // a trailing scrap too short for a block header carries no sound
        ByteReader r(data + offset, blockSize);
        std::array<AdpcmChannel, maxChannels> state{};
        for (size_t c = 0; c < ch; ++c) {
            const uint8_t predictor = r.u8();
            if (predictor >= f.coefficients.size())
                return std::nullopt;
            state[c].coef1 = f.coefficients[predictor][0];
            state[c].coef2 = f.coefficients[predictor][1];
        }
        for (size_t c = 0; c < ch; ++c)
            state[c].delta = r.s16();
        for (size_t c = 0; c < ch; ++c)
            state[c].sample1 = r.s16();
        for (size_t c = 0; c < ch; ++c)
            state[c].sample2 = r.s16();
        for (size_t c = 0; c < ch; ++c)
            out.push_back(static_cast<int16_t>(state[c].sample2));
        for (size_t c = 0; c < ch; ++c)
            out.push_back(static_cast<int16_t>(state[c].sample1));
        // Nibbles run high then low; in stereo they alternate left, right.
        size_t next = 0;
        while (r.remaining() > 0) {
            const uint8_t byte = r.u8();
            out.push_back(state[next % ch].expand(byte >> 4));
            ++next;
            out.push_back(state[next % ch].expand(byte & 0x0F));
            ++next;
        }
    }
    return out;
}

} // namespace

std::optional<PcmSound> decodeWav(const uint8_t* data, size_t size) {
    if (data == nullptr)
        return std::nullopt;
    ByteReader r(data, size);
    if (!r.tag("RIFF"))
        return std::nullopt;
    r.u32(); // RIFF size: many writers get it wrong, so the real size rules
    if (!r.tag("WAVE"))
        return std::nullopt;

    std::optional<Format> format;
    std::optional<uint32_t> frameCount;
    while (r.remaining() >= 8) {
        const bool isFmt = r.tag("fmt ");
        const size_t tagPos = r.position() - 4;
        const uint32_t chunkSize = r.u32();
        const size_t available = std::min<size_t>(chunkSize, r.remaining());
        const uint8_t* body = r.here();
        const std::string_view id(reinterpret_cast<const char*>(data + tagPos), 4);
        if (isFmt) {
            format = readFormat(body, available);
            if (!format)
                return std::nullopt;
        } else if (id == "fact" && available >= 4) {
            frameCount = static_cast<uint32_t>(body[0] | (body[1] << 8) | (body[2] << 16) |
                                               (static_cast<uint32_t>(body[3]) << 24));
        } else if (id == "data") {
            if (!format)
                return std::nullopt;
            std::optional<std::vector<int16_t>> samples;
            if (format->tag == formatPcm)
                samples = decodePcm(*format, body, available);
            else if (format->tag == formatMsAdpcm)
                samples = decodeMsAdpcm(*format, body, available);
            if (!samples)
                return std::nullopt;
            if (frameCount && format->tag != formatPcm) {
                const size_t wanted = static_cast<size_t>(*frameCount) * format->channels;
                if (wanted < samples->size())
                    samples->resize(wanted);
            }
            return PcmSound{static_cast<int>(format->sampleRate), format->channels,
                            std::move(*samples)};
        }
        r.skip(available + (available & 1u)); // chunks are padded to even sizes
        if (r.failed())
            break;
    }
    return std::nullopt;
}

std::vector<int16_t> toMonoAtRate(const PcmSound& sound, int outRate) {
    std::vector<int16_t> out;
    if (sound.channels <= 0 || sound.sampleRate <= 0 || outRate <= 0)
        return out;
    const size_t ch = static_cast<size_t>(sound.channels);
    const size_t frames = sound.samples.size() / ch;
    if (frames == 0)
        return out;
    std::vector<int> mono(frames);
    for (size_t i = 0; i < frames; ++i) {
        int sum = 0;
        for (size_t c = 0; c < ch; ++c)
            sum += sound.samples[i * ch + c];
        mono[i] = sum / static_cast<int>(ch);
    }
    const size_t outFrames =
        static_cast<size_t>((static_cast<uint64_t>(frames) * static_cast<uint64_t>(outRate) +
                             static_cast<uint64_t>(sound.sampleRate) - 1) /
                            static_cast<uint64_t>(sound.sampleRate));
    out.reserve(outFrames);
    for (size_t j = 0; j < outFrames; ++j) {
        const uint64_t scaled = static_cast<uint64_t>(j) * static_cast<uint64_t>(sound.sampleRate);
        const size_t i = static_cast<size_t>(scaled / static_cast<uint64_t>(outRate));
        const int64_t frac = static_cast<int64_t>(scaled % static_cast<uint64_t>(outRate));
        const int a = mono[i];
        const int b = i + 1 < frames ? mono[i + 1] : a;
        out.push_back(static_cast<int16_t>(a + (b - a) * frac / outRate));
    }
    return out;
}
