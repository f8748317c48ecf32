#pragma once
// Plays the program's numbered sounds through ALSA from one worker thread.
// The window thread only posts "play n" and returns at once; the worker
// decodes the WAVE images, opens the device (after the window shows, since
// loading ALSA's configuration takes milliseconds), and drops a sound still
// playing when a new one arrives. Without a usable device every request is
// silently ignored.
//
// Short sounds (those of a keystroke, the click) stay decoded. A long one
// from the source (the welcome, the end of a sentence or a record) is heard
// seldom: the worker reads and decodes it again each time it is played and
// lets it go afterwards, so it holds no memory in between.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

// Where the main window sends the sounds it is asked to play.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void Play(int number) = 0;
    // Readies the output once the window shows (it may take a while).
    virtual void Start() {}
};

class SoundPlayer : public SoundOutput {
public:
    enum class DeviceState { NotStarted, Opening, Ready, Unavailable };

    explicit SoundPlayer(std::string deviceName = "default");
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Registers the WAVE image of a sound; only before start().
    void addSound(int number, std::vector<uint8_t> wave);
    // Where the worker fetches the WAVE images of the given sounds, once the
    // device is open: no device, no sound is ever read or decoded.
    using WaveSource = std::function<std::vector<uint8_t>(int number)>;
    void setSource(WaveSource source, std::vector<int> numbers);
    // Starts the worker, which decodes the sounds and opens the device.
    void start();
    // Asks for a sound; a request made before the device is open is kept
    // (only the latest) and played once it is.
    void play(int number);
    void Play(int number) override { play(number); }
    void Start() override { start(); }

    DeviceState deviceState() const;
    // Sounds the worker has begun to hand to the device.
    int soundsStarted() const;
    // Sounds cut short by a newer request.
    int soundsDropped() const;

    // The rate of the program's recordings, so they play unconverted.
    static constexpr int outputRate = 22050;
    // The longest sound kept decoded between plays: half a second.
    static constexpr size_t keptFrames = outputRate / 2;

private:
    void run();
    void openDevice();
    void decodeSounds();
    std::vector<int16_t> decodeFromSource(int number) const;
    void playOne(const std::vector<int16_t>& frames, std::unique_lock<std::mutex>& lock);

    const std::string m_deviceName;
    std::map<int, std::vector<uint8_t>> m_waves;
    WaveSource m_source;
    std::vector<int> m_sourceNumbers;
    std::map<int, std::vector<int16_t>> m_frames;
    // Long sounds of the source, decoded only while they play.
    std::set<int> m_onDemand;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    int m_pending = 0;
    bool m_stopping = false;
    DeviceState m_state = DeviceState::NotStarted;
    int m_started = 0;
    int m_dropped = 0;

    void* m_pcm = nullptr; // snd_pcm_t*, kept opaque so ALSA stays out of this header
    std::thread m_worker;
};
