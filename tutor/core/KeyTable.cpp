#include "tutor/core/KeyTable.h"

#include "common/core/Cp1252.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace {

using F = FingerGroup;
using C = CaptionFont;
constexpr KeyModifier N = KeyModifier::None;
constexpr KeyModifier L = KeyModifier::LeftShift;
constexpr KeyModifier R = KeyModifier::RightShift;
constexpr KeyModifier G = KeyModifier::AltGr;

constexpr std::int16_t kNumberRow = 75;
constexpr std::int16_t kUpperRow = 705;
constexpr std::int16_t kHomeRow = 1335;
constexpr std::int16_t kLowerRow = 1965;
constexpr std::int16_t kBottomRow = 2595;
constexpr std::int16_t kH = 495; // every key but the lower part of Enter
constexpr std::int16_t kW = 435; // ordinary key

// The keyboard row by row, left to right, as the picture shows it. The
// finger columns give the Classic split, then the Ergonomic one.
constexpr KeyInfo kRows[] = {
    // number row
    {52, 60, kNumberRow, kW, kH, " |\r\n  \\", C::Small, F::Little, F::Little},
    {60, 645, kNumberRow, kW, kH, " !\r\n  1", C::Small, F::Little, F::Little},
    {61, 1230, kNumberRow, kW, kH, " \"\r\n  2", C::Small, F::Little, F::Little},
    {58, 1815, kNumberRow, kW, kH, " £\r\n  3"_cp1252, C::Small, F::Ring, F::Ring},
    {57, 2400, kNumberRow, kW, kH, " $\r\n  4", C::Small, F::Middle, F::Middle},
    {49, 2985, kNumberRow, kW, kH, " %\r\n  5", C::Small, F::Index, F::Index},
    {46, 3570, kNumberRow, kW, kH, " &\r\n  6", C::Small, F::Index, F::Index},
    {45, 4155, kNumberRow, kW, kH, " /\r\n  7", C::Small, F::Index, F::Index},
    {34, 4740, kNumberRow, kW, kH, " (\r\n  8", C::Small, F::Index, F::Index},
    {33, 5325, kNumberRow, kW, kH, " )\r\n  9", C::Small, F::Middle, F::Middle},
    {32, 5910, kNumberRow, kW, kH, " =\r\n  0", C::Small, F::Ring, F::Ring},
    {50, 6495, kNumberRow, kW, kH, " ?\r\n   '", C::Small, F::Little, F::Little},
    {51, 7080, kNumberRow, kW, kH, " ^\r\n  ì"_cp1252, C::Small, F::Little, F::Little},
    {59, 7665, kNumberRow, 1155, kH, "", C::Window, F::Little, F::Little}, // Backspace
    // upper letter row
    {54, 60, kUpperRow, 690, kH, "", C::Large, F::Little, F::Little}, // Tab
    {0, 900, kUpperRow, kW, kH, "Q", C::Window, F::Little, F::Little},
    {1, 1485, kUpperRow, kW, kH, "W", C::Window, F::Ring, F::Ring},
    {2, 2070, kUpperRow, kW, kH, "E\r\n      €"_cp1252, C::Small, F::Middle, F::Middle},
    {3, 2655, kUpperRow, kW, kH, "R", C::Window, F::Index, F::Index},
    {4, 3240, kUpperRow, kW, kH, "T", C::Window, F::Index, F::Index},
    {5, 3825, kUpperRow, kW, kH, "Y", C::Window, F::Index, F::Index},
    {6, 4410, kUpperRow, kW, kH, "U", C::Window, F::Index, F::Index},
    {7, 4995, kUpperRow, kW, kH, "I", C::Window, F::Middle, F::Middle},
    {8, 5580, kUpperRow, kW, kH, "O", C::Window, F::Ring, F::Ring},
    {9, 6165, kUpperRow, kW, kH, "P", C::Window, F::Little, F::Little},
    {42, 6750, kUpperRow, kW, kH, " é\r\n  è   ["_cp1252, C::Small, F::Little, F::Little},
    {43, 7335, kUpperRow, kW, kH, " *\r\n  +   ]", C::Small, F::Little, F::Little},
    {62, 7920, kUpperRow, 900, kH, "    Invio", C::Small, F::Little, F::Little},
    // home row
    {55, 60, kHomeRow, 795, kH, "", C::Window, F::Little, F::Little}, // Caps Lock
    {10, 1005, kHomeRow, kW, kH, "A", C::Window, F::Little, F::Little},
    {11, 1590, kHomeRow, kW, kH, "S", C::Window, F::Ring, F::Ring},
    {12, 2175, kHomeRow, kW, kH, "D", C::Window, F::Middle, F::Middle},
    {13, 2760, kHomeRow, kW, kH, "F", C::Window, F::Index, F::Index},
    {14, 3345, kHomeRow, kW, kH, "G", C::Window, F::Index, F::Index},
    {15, 3930, kHomeRow, kW, kH, "H", C::Window, F::Index, F::Index},
    {16, 4515, kHomeRow, kW, kH, "J", C::Window, F::Index, F::Index},
    {17, 5100, kHomeRow, kW, kH, "K", C::Window, F::Middle, F::Middle},
    {18, 5685, kHomeRow, kW, kH, "L", C::Window, F::Ring, F::Ring},
    {19, 6270, kHomeRow, kW, kH, " ç\r\n  ò  @"_cp1252, C::Small, F::Little, F::Little},
    {40, 6855, kHomeRow, kW, kH, " °\r\n  à  #"_cp1252, C::Small, F::Little, F::Little},
    {41, 7440, kHomeRow, kW, kH, " §\r\n  ù"_cp1252, C::Small, F::Little, F::Little},
    {48, 8025, 1200, 795, 630, "", C::Small, F::Little, F::Little}, // lower part of Enter
    // lower letter row
    {30, 60, kLowerRow, 585, kH, "", C::Window, F::Little, F::Little}, // left Shift
    {20, 795, kLowerRow, kW, kH, " >\r\n  <", C::Small, F::Little, F::Little},
    {21, 1380, kLowerRow, kW, kH, "Z", C::Window, F::Ring, F::Little},
    {22, 1965, kLowerRow, kW, kH, "X", C::Window, F::Middle, F::Ring},
    {23, 2550, kLowerRow, kW, kH, "C", C::Window, F::Index, F::Middle},
    {24, 3135, kLowerRow, kW, kH, "V", C::Window, F::Index, F::Index},
    {25, 3720, kLowerRow, kW, kH, "B", C::Window, F::Index, F::Index},
    {26, 4305, kLowerRow, kW, kH, "N", C::Window, F::Index, F::Index},
    {27, 4890, kLowerRow, kW, kH, "M", C::Window, F::Middle, F::Index},
    {28, 5475, kLowerRow, kW, kH, " ;\r\n  ,", C::Small, F::Ring, F::Middle},
    {29, 6060, kLowerRow, kW, kH, " :\r\n  .", C::Small, F::Little, F::Ring},
    {53, 6645, kLowerRow, kW, kH, " _\r\n  -", C::Small, F::Little, F::Little},
    {36, 7230, kLowerRow, 1590, kH, "", C::Window, F::Little, F::Little}, // right Shift
    // bottom row
    {44, 60, kBottomRow, 795, kH, " Ctrl", C::Small, F::Little, F::Little},
    {56, 1005, kBottomRow, 750, kH, "", C::Window, F::Little, F::Little}, // left Windows key
    {31, 1905, kBottomRow, 750, kH, " Alt", C::Small, F::Ring, F::Ring},
    {35, 2805, kBottomRow, 2415, kH, "", C::Window, F::Thumb, F::Thumb}, // space bar
    {38, 5370, kBottomRow, 750, kH, " Alt Gr", C::Small, F::Little, F::Little},
    {39, 6270, kBottomRow, 750, kH, "", C::Small, F::Little, F::Little}, // right Windows key
    {37, 7170, kBottomRow, 750, kH, "", C::Small, F::Little, F::Little}, // menu key
    {47, 8070, kBottomRow, 750, kH, " Ctrl", C::Small, F::Little, F::Little},
};

struct EntrySource {
    char32_t character;
    std::int16_t key;
    KeyModifier modifier;
};

// Every typeable character with its key and the key to hold; the Shift is
// that of the other hand in the classic split.
constexpr EntrySource kEntrySource[] = {
    // number row
    {U'\\', 52, N},
    {U'|', 52, R},
    {U'1', 60, N},
    {U'!', 60, R},
    {U'2', 61, N},
    {U'"', 61, R},
    {U'3', 58, N},
    {U'£', 58, R},
    {U'4', 57, N},
    {U'$', 57, R},
    {U'5', 49, N},
    {U'%', 49, R},
    {U'6', 46, N},
    {U'&', 46, R},
    {U'7', 45, N},
    {U'/', 45, L},
    {U'8', 34, N},
    {U'(', 34, L},
    {U'9', 33, N},
    {U')', 33, L},
    {U'0', 32, N},
    {U'=', 32, L},
    {U'\'', 50, N},
    {U'?', 50, L},
    {U'ì', 51, N},
    {U'^', 51, L},
    // upper letter row
    {U'q', 0, N},
    {U'Q', 0, R},
    {U'w', 1, N},
    {U'W', 1, R},
    {U'e', 2, N},
    {U'E', 2, R},
    {U'€', 2, G},
    {U'r', 3, N},
    {U'R', 3, R},
    {U't', 4, N},
    {U'T', 4, R},
    {U'y', 5, N},
    {U'Y', 5, R},
    {U'u', 6, N},
    {U'U', 6, L},
    {U'i', 7, N},
    {U'I', 7, L},
    {U'o', 8, N},
    {U'O', 8, L},
    {U'p', 9, N},
    {U'P', 9, L},
    {U'è', 42, N},
    {U'é', 42, L},
    {U'[', 42, G},
    {U'+', 43, N},
    {U'*', 43, L},
    {U']', 43, G},
    // home row
    {U'a', 10, N},
    {U'A', 10, R},
    {U's', 11, N},
    {U'S', 11, R},
    {U'd', 12, N},
    {U'D', 12, R},
    {U'f', 13, N},
    {U'F', 13, R},
    {U'g', 14, N},
    {U'G', 14, R},
    {U'h', 15, N},
    {U'H', 15, L},
    {U'j', 16, N},
    {U'J', 16, L},
    {U'k', 17, N},
    {U'K', 17, L},
    {U'l', 18, N},
    {U'L', 18, L},
    {U'ò', 19, N},
    {U'ç', 19, L},
    {U'@', 19, G},
    {U'à', 40, N},
    {U'°', 40, L},
    {U'#', 40, G},
    {U'ù', 41, N},
    {U'§', 41, L},
    {U'\r', 48, N},
    // lower letter row
    {U'<', 20, N},
    {U'>', 20, R},
    {U'z', 21, N},
    {U'Z', 21, R},
    {U'x', 22, N},
    {U'X', 22, R},
    {U'c', 23, N},
    {U'C', 23, R},
    {U'v', 24, N},
    {U'V', 24, R},
    {U'b', 25, N},
    {U'B', 25, L},
    {U'n', 26, N},
    {U'N', 26, L},
    {U'm', 27, N},
    {U'M', 27, L},
    {U',', 28, N},
    {U';', 28, L},
    {U'.', 29, N},
    {U':', 29, L},
    {U'-', 53, N},
    {U'_', 53, L},
    // bottom row
    {U' ', 35, N},
};

static_assert(std::size(kRows) == KeyTable::kKeyCount);
static_assert(std::size(kEntrySource) == KeyTable::kEntryCount);

constexpr std::array<KeyInfo, KeyTable::kKeyCount> SortedKeys() {
    std::array<KeyInfo, KeyTable::kKeyCount> keys{};
    for (const KeyInfo& key : kRows)
        keys[static_cast<std::size_t>(key.number)] = key;
    return keys;
}

constexpr std::array<KeyEntry, KeyTable::kEntryCount> BuildEntries() {
    std::array<KeyEntry, KeyTable::kEntryCount> entries{};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int code = UnicodeToCp1252(kEntrySource[i].character);
        if (code < 0)
            throw std::logic_error("character outside Windows-1252");
        entries[i] = {static_cast<std::int16_t>(code), kEntrySource[i].key,
                      kEntrySource[i].modifier};
    }
    return entries;
}

constexpr std::array<KeyInfo, KeyTable::kKeyCount> kKeys = SortedKeys();
constexpr std::array<KeyEntry, KeyTable::kEntryCount> kEntries = BuildEntries();

// Entry index by character code, -1 where no key types the character; the
// linear search of the table made once, while compiling.
constexpr std::array<std::int16_t, 256> BuildIndex() {
    std::array<std::int16_t, 256> index{};
    index.fill(-1);
    for (std::size_t code = 0; code < index.size(); ++code) {
        for (std::size_t i = 0; i < kEntries.size(); ++i) {
            if (kEntries[i].Character == static_cast<std::int16_t>(code)) {
                index[code] = static_cast<std::int16_t>(i);
                break;
            }
        }
    }
    return index;
}

constexpr std::array<std::int16_t, 256> kIndexByCode = BuildIndex();

} // namespace

const std::array<KeyInfo, KeyTable::kKeyCount>& KeyTable::Keys() {
    return kKeys;
}

const KeyInfo& KeyTable::Key(std::int16_t number) {
    return kKeys.at(static_cast<std::size_t>(number));
}

const std::array<KeyEntry, KeyTable::kEntryCount>& KeyTable::Entries() {
    return kEntries;
}

const KeyEntry& KeyTable::Entry(std::int16_t index) {
    return kEntries.at(static_cast<std::size_t>(index));
}

std::int16_t KeyTable::ModifierKey(KeyModifier modifier) {
    switch (modifier) {
    case KeyModifier::LeftShift:
        return kLeftShiftKey;
    case KeyModifier::RightShift:
        return kRightShiftKey;
    case KeyModifier::AltGr:
        return kAltGrKey;
    case KeyModifier::None:
        break;
    }
    return -1;
}

FontSpec KeyTable::CaptionFontSpec(CaptionFont font) {
    switch (font) {
    case CaptionFont::Small:
        return {"Arial", 9.75f, false, false};
    case CaptionFont::Large:
        return {"Arial", 18.0f, false, false};
    case CaptionFont::Window:
        break;
    }
    return {"Arial", 12.0f, false, false};
}

std::optional<std::int16_t> FindKeyEntry(char character) {
    const std::int16_t index = kIndexByCode[static_cast<unsigned char>(character)];
    if (index < 0)
        return std::nullopt;
    return index;
}

std::string FilterToKeyboard(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](char c) { return FindKeyEntry(c).has_value(); });
    return kept;
}

FingerGroup FingerOf(std::int16_t keyNumber, KeySplit split) {
    const KeyInfo& key = KeyTable::Key(keyNumber);
    return split == KeySplit::Ergonomic ? key.ergonomicFinger : key.classicFinger;
}
