#pragma once
// The state of the on-screen keyboard and the operations that change it:
// finger colours, raised and sunken keys, the highlight frames, the F and J
// bumps, the finger images and map strip, and the Enter prompt. Plain C++ so
// that tests read exactly what the keyboard shows. The exercise run alone
// changes it; each change is noted (the areas of the picture that look
// different, and whether the strip or the prompt's timer changed) until the
// run takes the notes and publishes them with its screen. KeyboardView only
// paints it, and repaints the areas published as changed.
//

#include "common/core/Colour.h"
#include "tutor/core/KeyMapShading.h"
#include "tutor/core/KeyTable.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <vector>

inline constexpr Colour kPlainKeyColour = Colour{224, 224, 224};
inline constexpr Colour kHighlightFrameFill = Colour{192, 192, 192};
inline constexpr Colour kHighlightFrameBorder = Colour{128, 128, 128};

// The bevel colours of a key: each component 50 darker / lighter, kept in 0..255.
Colour DarkBevelOf(Colour base);
Colour LightBevelOf(Colour base);

// A rectangle of the keyboard picture, in twips like the key table.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipsRect&) const = default;
};

// What changed on the keyboard since the notes were last taken.
struct KeyboardChanges {
    // Parts of the picture that look different now.
    std::vector<TwipsRect> areas;
    // The finger-map strip under the exercise area was shown or hidden.
    bool strip = false;
    // The Enter prompt's 400 ms blink timer was started or stopped.
    bool promptTimer = false;

    bool Empty() const { return areas.empty() && !strip && !promptTimer; }
    // Keeps the room taken, so that a keystroke allocates nothing.
    void Clear() {
        areas.clear();
        strip = false;
        promptTimer = false;
    }
};

class KeyboardModel {
public:
    static constexpr int kFrameCount = 4;
    static constexpr int kBumpCount = 4;
    static constexpr int kFingerImageCount = 10;

    // largeLayout: the enlarged main window, whose bevels are one pixel wider.
    explicit KeyboardModel(bool largeLayout = false);

    // Adds the changes noted since the last call to `into` and forgets them.
    void TakeChanges(KeyboardChanges& into);

    // -- what is shown
    Colour KeyColour(int key) const { return m_colour[static_cast<size_t>(key)]; }
    bool IsSunken(int key) const { return m_sunken[static_cast<size_t>(key)]; }
    int BevelWidth() const { return m_bevelWidth; }
    bool FrameVisible(int frame) const { return m_frameVisible[static_cast<size_t>(frame)]; }
    TwipsRect FrameRect(int frame) const { return m_frameRect[static_cast<size_t>(frame)]; }
    Colour BumpColour(int line) const { return m_bump[static_cast<size_t>(line)]; }
    bool FingerImagesVisible() const { return m_fingerImages; }
    bool StripVisible() const { return m_strip; }
    bool EnterCaptionBold() const { return m_enterBold; }
    bool PromptImageVisible() const { return m_promptImage; }
    bool PromptTimerRunning() const { return m_promptTimer; }

    // -- options and state
    bool Highlight() const { return m_highlight; }
    bool KeyMap() const { return m_keyMap; }
    KeySplit Split() const { return m_split; }
    std::int16_t HighlightedKey() const { return m_highlightedKey; }
    bool ExtraHighlight() const { return m_extraHighlight; }
    bool SentenceRunning() const { return m_sentenceRunning; }

    // -- start-up: the options as read from the settings
    void LoadOptions(bool highlight, bool keyMap, KeySplit split);

    // -- the operations of the keyboard
    void DrawKeyBevel(int key, bool raised);
    void RedrawAllKeysRaised();
    void ColorTasti();
    void SetFingerBumpColour(Colour base, int first);
    void ShowFingerImages(bool visible);
    void ClearHighlightFrames();
    // Sinks the keys of the next character (and frames them with the
    // highlight on); a character without a key leaves every key raised.
    void HighlightNextKey(char character);

    // The menu toggles. current is the character to type next, if a sentence
    // runs and has one.
    void SetKeyMap(bool on, std::optional<char> current);
    void SetHighlight(bool on, std::optional<char> current);
    // Double-click on a key: only key B with the finger map on flips the
    // split. True when it did.
    bool KeyDoubleClicked(int key, std::optional<char> current);
    // Double-clicks that move the finger map between the strip and the keys.
    void StripDoubleClicked();
    void FingerImageDoubleClicked(std::optional<char> current);

    // -- the Enter prompt
    void FlashBotton();
    // The start request marks the sentence as running; the prompt stops at
    // its next tick.
    void MarkSentenceRunning();
    void PromptTick();

    // -- geometry (twips of the keyboard picture)
    static TwipsRect KeyRect(int key);
    static TwipsRect BumpRect(int line);
    static TwipsRect MaskRect(int mask);
    // Pictures keep their pixel size on the enlarged window: a painter
    // anchors images 0-7 and 9 by their bottom right corner, image 8 and the
    // prompt by their left edge.
    // On the enlarged layout the images sit on their keys without the overhang.
    static TwipsRect FingerImageRect(int image, bool enlarged = false);
    static bool FingerImageAnchoredRight(int image) { return image != 8; }
    static TwipsRect PromptImageRect();
    // A key with the rings of its bevel around it.
    TwipsRect KeyAreaWithBevel(int key) const;

private:
    void setSunken(int key, bool sunken);
    void setColour(int key, Colour colour);
    void setFrame(int frame, bool visible);
    void setStrip(bool visible);
    void setPromptTimer(bool running);
    void setPromptImage(bool visible);
    void setEnterBold(bool bold);
    void changed(const TwipsRect& area);
    void sinkEnterPrompt();

    KeyboardChanges m_changes;
    int m_bevelWidth;
    std::array<Colour, KeyTable::kKeyCount> m_colour{};
    std::bitset<KeyTable::kKeyCount> m_sunken;
    std::array<bool, kFrameCount> m_frameVisible{};
    std::array<TwipsRect, kFrameCount> m_frameRect{};
    std::array<Colour, kBumpCount> m_bump{};
    bool m_fingerImages = false;
    bool m_strip = false;
    bool m_enterBold = false;
    bool m_promptImage = false;
    bool m_promptTimer = false;
    bool m_sentenceRunning = false;

    bool m_highlight = false;
    bool m_keyMap = false;
    KeySplit m_split = KeySplit::Classic;
    std::int16_t m_highlightedKey = 0;
    bool m_extraHighlight = false;
};
