// What the tutor's main window shows while exercises run, and the observer
// through which the exercise run tells the window about it. TutorScreen is
// the visible state (texts, counters, gauge, lamps, message, enabled and
// visible controls) and, beside it, the run's KeyboardModel is the state of
// the keyboard picture. The run publishes both once per operation: one
// ScreenChanged carrying what changed, which the window renders and nothing
// more. The observer's other calls are moments rather than states: a sound,
// a blink, the start screen to type out. The window draws; it decides
// nothing.
#pragma once

#include "tutor/core/KeyboardModel.h"
#include "tutor/core/Scoring.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <string>

// The speed gauge's width in pixels, on the normal and the enlarged window.
inline constexpr int kGaugeWidth = 300;
inline constexpr int kLargeGaugeWidth = 390;

// How often the window calls the run's ticks while they are wanted.
inline constexpr int kClockTickMs = 200;           // ClockTick while clockRunning
inline constexpr int kRecordAnimationTickMs = 150; // RecordAnimationTick while recordAnimation
inline constexpr int kPauseTickMs = 100;           // PauseTick while busy

// The picture of the result message: an icon resource (one of the three of
// an ordinary result), or a frame (0 or 1) of the record animation.
struct MessagePicture {
    enum class Kind { Icon, RecordFrame };
    Kind kind = Kind::Icon;
    int value = kFirstResultIcon;
    friend bool operator==(const MessagePicture&, const MessagePicture&) = default;
};

struct TutorScreen {
    std::string caption = "Zentavo"; // window caption

    // Sentence display: the sentence, and the bar over its typed part. The
    // bar lies on line typedLine (0 the first) and is as wide as the text
    // typedOnLine measured in the sentence font.
    std::string sentence;
    bool sentenceLeftAligned = false;
    std::int16_t typedLine = 0;
    std::string typedOnLine;
    Colour typedColour{0, 0, 255};

    // Input box: exactly the correctly typed text.
    std::string input;
    bool inputLocked = true;

    // Counters ("current / total") and the error face.
    std::string correctCounter = "0 / 0";
    std::string wrongCounter = "0 / 0";
    ErrorFace face;

    // Clock and speed gauge. While clockRunning the window calls ClockTick
    // every 200 ms, shows the clock symbol opaque and disables the
    // information menu. gaugeVisible covers the gauge, the record marker and
    // the pictures at its two ends.
    std::string clockText = "00:00";
    bool clockRunning = false;
    bool gaugeVisible = false;
    int gaugeLength = 0;
    int recordMarkerWidth = 0;
    std::int16_t level = 1; // colours of gauge and record marker
    int fastEndIcon = RatingIcon(kBestRating, 0);
    int slowEndIcon = RatingIcon(0, 0);

    // Level lamps (1..3 lit, 0 none), level averages, sentence of the level.
    std::int16_t litLamp = 0;
    std::array<std::string, 3> levelAverages;
    std::string sentenceNumber;

    // Result message. While recordAnimation the window calls
    // RecordAnimationTick every 150 ms.
    bool messageVisible = false;
    std::string message;
    MessagePicture picture;
    int pointsIcon = RatingIcon(0, 0);
    bool recordAnimation = false;

    // Controls. While busy every key is swallowed and the window calls
    // PauseTick now and then until busy clears.
    bool startEnabled = false;
    bool enterPrompt = false; // the blinking prompt to press Enter
    bool busy = false;
    bool languageMenuEnabled = true;
    bool typeForMeVisible = false;
    bool listVisible = false;
    bool levelPanelVisible = false;
};

// The parts of the screen a window renders together; each names the fields
// of TutorScreen it covers.
enum class ScreenPart {
    Caption,   // caption
    Sentence,  // sentence, sentenceLeftAligned
    TypedPart, // typedLine, typedOnLine, typedColour
    Input,     // input, inputLocked
    Counters,  // correctCounter, wrongCounter
    Face,      // face
    Clock,     // clockText, clockRunning
    Gauge,     // gaugeVisible, gaugeLength, recordMarkerWidth, level, the end icons
    Lamps,     // litLamp, levelAverages, sentenceNumber
    Message,   // messageVisible, message, picture, pointsIcon, recordAnimation
    Controls,  // startEnabled, enterPrompt, busy, the menus, list and level panel
};
inline constexpr int kScreenPartCount = static_cast<int>(ScreenPart::Controls) + 1;

// What one operation of the run changed: the parts of the screen that differ
// from the screen published before, and what changed on the keyboard.
struct ScreenChange {
    std::bitset<kScreenPartCount> parts;
    KeyboardChanges keyboard;

    bool Has(ScreenPart part) const { return parts.test(static_cast<std::size_t>(part)); }
    // Every part, for a window rendering the screen for the first time.
    static ScreenChange Everything();
};

// The parts in which two screens differ.
std::bitset<kScreenPartCount> ChangedParts(const TutorScreen& before, const TutorScreen& after);

class TutorObserver {
public:
    virtual ~TutorObserver() = default;
    // Once per operation of the run (a key, a tick, a click), after it.
    virtual void ScreenChanged(const TutorScreen& screen, const ScreenChange& change) = 0;
    // Only sounds the pupil wants: the run leaves out every sound while
    // sounds are off, except where a sound must play anyway.
    virtual void PlaySound(int number) = 0;
    virtual void FlashInputBox() = 0;
    // A sentence is requested: the separate key map window closes.
    virtual void CloseKeyMap() = 0;
    // The start screen returns: the window types out WelcomeText and then
    // calls ShowStartChoices and EnableStart.
    virtual void ShowWelcome() = 0;
    // The pupil ended the program in the results window.
    virtual void CloseProgram() = 0;
};
