#include "tutor/ui/SoundPlayer.h"

#include "tutor/ui/WavDecoder.h"

#include <alsa/asoundlib.h>

#include <cerrno>
#include <chrono>
#include <utility>

namespace {

// ALSA reports a missing card on stderr through this hook; a tutor without
// sound is normal, so nothing is printed.
void quietAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

snd_pcm_t* asPcm(void* p) {
    return static_cast<snd_pcm_t*>(p);
}

constexpr unsigned deviceLatencyMicros = 100000;
constexpr auto retryWait = std::chrono::milliseconds(10);
constexpr auto tailMargin = std::chrono::milliseconds(50);

} // namespace

SoundPlayer::SoundPlayer(std::string deviceName) : m_deviceName(std::move(deviceName)) {}

SoundPlayer::~SoundPlayer() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_worker.joinable())
        m_worker.join();
    if (m_pcm != nullptr)
        snd_pcm_close(asPcm(m_pcm));
}

void SoundPlayer::addSound(int number, std::vector<uint8_t> wave) {
    std::lock_guard lock(m_mutex);
    if (m_state == DeviceState::NotStarted)
        m_waves[number] = std::move(wave);
}

void SoundPlayer::setSource(WaveSource source, std::vector<int> numbers) {
    std::lock_guard lock(m_mutex);
    if (m_state != DeviceState::NotStarted)
        return;
    m_source = std::move(source);
    m_sourceNumbers = std::move(numbers);
}

void SoundPlayer::start() {
    std::lock_guard lock(m_mutex);
    if (m_state != DeviceState::NotStarted)
        return;
    m_state = DeviceState::Opening;
    m_worker = std::thread([this] { run(); });
}

void SoundPlayer::play(int number) {
    {
        std::lock_guard lock(m_mutex);
        if (m_state == DeviceState::Unavailable)
            return;
        m_pending = number;
    }
    m_wake.notify_all();
}

SoundPlayer::DeviceState SoundPlayer::deviceState() const {
    std::lock_guard lock(m_mutex);
    return m_state;
}

int SoundPlayer::soundsStarted() const {
    std::lock_guard lock(m_mutex);
    return m_started;
}

int SoundPlayer::soundsDropped() const {
    std::lock_guard lock(m_mutex);
    return m_dropped;
}

void SoundPlayer::run() {
    openDevice();
    if (deviceState() == DeviceState::Ready)
        decodeSounds();
    // The images are not needed any more, decoded or not; the source only
    // for the long sounds.
    m_waves.clear();
    if (m_onDemand.empty())
        m_source = nullptr;

    std::unique_lock lock(m_mutex);
    while (true) {
        m_wake.wait(lock, [this] { return m_stopping || m_pending != 0; });
        if (m_stopping)
            break;
        const int number = std::exchange(m_pending, 0);
        if (m_state != DeviceState::Ready)
            continue;
        if (m_onDemand.count(number) != 0) {
            lock.unlock();
            const std::vector<int16_t> frames = decodeFromSource(number);
            lock.lock();
            // A newer request while decoding wins, as one while playing does.
            if (!frames.empty() && m_pending == 0 && !m_stopping)
                playOne(frames, lock);
            continue;
        }
        const auto found = m_frames.find(number);
        if (found == m_frames.end() || found->second.empty())
            continue;
        playOne(found->second, lock);
    }
}

std::vector<int16_t> SoundPlayer::decodeFromSource(int number) const {
    const std::vector<uint8_t> wave = m_source(number);
    if (auto pcm = decodeWav(wave.data(), wave.size()))
        return toMonoAtRate(*pcm, outputRate);
    return {};
}

void SoundPlayer::decodeSounds() {
    // m_waves and the source are frozen once the worker runs (addSound and
    // setSource check the state).
    std::set<int> fromSource;
    for (int number : m_sourceNumbers) {
        if (m_waves.count(number) == 0 && m_source) {
            m_waves[number] = m_source(number);
            fromSource.insert(number);
        }
    }
    for (const auto& [number, wave] : m_waves) {
        auto pcm = decodeWav(wave.data(), wave.size());
        if (!pcm)
            continue;
        std::vector<int16_t> frames = toMonoAtRate(*pcm, outputRate);
        if (fromSource.count(number) != 0 && frames.size() > keptFrames)
            m_onDemand.insert(number);
        else
            m_frames[number] = std::move(frames);
    }
}

void SoundPlayer::openDevice() {
    snd_lib_error_set_handler(quietAlsaErrors);
    snd_pcm_t* pcm = nullptr;
    bool ok =
        snd_pcm_open(&pcm, m_deviceName.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) == 0;
    if (ok)
        ok = snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                                outputRate, 1, deviceLatencyMicros) == 0;
    if (ok) {
        // Start as soon as data arrives; the default waits for a full buffer.
        snd_pcm_sw_params_t* sw = nullptr;
        snd_pcm_sw_params_alloca(&sw);
        ok = snd_pcm_sw_params_current(pcm, sw) == 0 &&
             snd_pcm_sw_params_set_start_threshold(pcm, sw, 1) == 0 &&
             snd_pcm_sw_params(pcm, sw) == 0;
    }
    if (!ok && pcm != nullptr) {
        snd_pcm_close(pcm);
        pcm = nullptr;
    }
    std::lock_guard lock(m_mutex);
    m_pcm = pcm;
    m_state = ok ? DeviceState::Ready : DeviceState::Unavailable;
}

void SoundPlayer::playOne(const std::vector<int16_t>& frames, std::unique_lock<std::mutex>& lock) {
    const auto interrupted = [this] { return m_stopping || m_pending != 0; };
    snd_pcm_t* pcm = asPcm(m_pcm);
    ++m_started;
    lock.unlock();
    snd_pcm_drop(pcm);
    snd_pcm_prepare(pcm);

    size_t offset = 0;
    while (offset < frames.size()) {
        const snd_pcm_sframes_t n =
            snd_pcm_writei(pcm, frames.data() + offset, frames.size() - offset);
        if (n == -EAGAIN) {
            lock.lock();
            const bool cut = m_wake.wait_for(lock, retryWait, interrupted);
            if (cut) {
                ++m_dropped;
                lock.unlock();
                snd_pcm_drop(pcm);
                lock.lock();
                return;
            }
            lock.unlock();
            continue;
        }
        if (n < 0) {
            if (snd_pcm_recover(pcm, static_cast<int>(n), 1) < 0)
                break;
            continue;
        }
        offset += static_cast<size_t>(n);
    }

    snd_pcm_sframes_t queued = 0;
    if (snd_pcm_delay(pcm, &queued) < 0 || queued < 0)
        queued = 0;
    const auto tail = std::chrono::milliseconds(queued * 1000 / outputRate) + tailMargin;
    lock.lock();
    if (m_wake.wait_for(lock, tail, interrupted))
        ++m_dropped;
    lock.unlock();
    // Stopping the stream after its tail keeps an idle player from waking the
    // sound server.
    snd_pcm_drop(pcm);
    lock.lock();
}
