// KeyTable is the tutor's model of the Italian keyboard: the 63 keys of the
// keyboard picture (rectangle in twips, caption, caption font, finger under
// both splits) and the 103 characters an exercise may contain, each with the
// key that types it and the Shift or AltGr key to hold. Pure data, filled at
// compile time; the lookups below are the only way the rest of the tutor
// asks it anything.
#pragma once

#include "common/core/TextMeasure.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class FingerGroup : std::int16_t { Little, Ring, Middle, Index, Thumb };

// The key held with a character's key: the Shift of the other hand, or AltGr.
enum class KeyModifier : std::int16_t { None = 0, LeftShift = 1, RightShift = 2, AltGr = 3 };

// Which fingers press the lower letter row; the modifiers never change with it.
enum class KeySplit { Classic, Ergonomic };

enum class CaptionFont {
    Window, // Arial 12: letters, Shift, space, Caps Lock, left Windows key, Backspace
    Small,  // Arial 9.75: two-line symbol captions, Alt, Alt Gr, Ctrl, menu, Enter
    Large   // Arial 18: Tab
};

struct KeyInfo {
    std::int16_t number; // 0..62, also the index of the key's label in the window
    std::int16_t left;   // twips
    std::int16_t top;
    std::int16_t width;
    std::int16_t height;
    std::string_view caption; // Windows-1252; two-line captions hold CR LF
    CaptionFont captionFont;
    FingerGroup classicFinger;
    FingerGroup ergonomicFinger;
};

struct KeyEntry {
    std::int16_t Character; // Windows-1252 code, 0..255
    std::int16_t KeyNumber;
    KeyModifier Modifier;
};

class KeyTable {
public:
    static constexpr int kKeyCount = 63;
    static constexpr int kEntryCount = 103;

    static constexpr std::int16_t kLeftShiftKey = 30;
    static constexpr std::int16_t kRightShiftKey = 36;
    static constexpr std::int16_t kAltGrKey = 38;
    static constexpr std::int16_t kEnterKey = 48;      // lower part of Enter, types CR
    static constexpr std::int16_t kEnterUpperKey = 62; // upper part of Enter
    static constexpr std::int16_t kSpaceKey = 35;
    static constexpr std::int16_t kAKey = 10;
    static constexpr std::int16_t kBKey = 25; // switches the split of the finger map
    static constexpr std::int16_t kCapsLockKey = 55;
    // The home keys with a finger image: A S D F, J K L and ò.
    static constexpr std::array<std::int16_t, 8> kHomeKeys = {10, 11, 12, 13, 16, 17, 18, 19};

    // Keys in key-number order: Keys()[n].number == n.
    static const std::array<KeyInfo, kKeyCount>& Keys();
    static const KeyInfo& Key(std::int16_t number);
    static const std::array<KeyEntry, kEntryCount>& Entries();
    static const KeyEntry& Entry(std::int16_t index);

    // Key held for a modifier (30, 36 or 38); -1 for None.
    static std::int16_t ModifierKey(KeyModifier modifier);
    static FontSpec CaptionFontSpec(CaptionFont font);
};

// Entry index of a character, or none when no key types it.
std::optional<std::int16_t> FindKeyEntry(char character);
// The characters of the text that some key types, in order.
std::string FilterToKeyboard(std::string_view text);
FingerGroup FingerOf(std::int16_t keyNumber, KeySplit split);
