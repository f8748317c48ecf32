#pragma once
// The one colour type of the programs. Colours are stored, in the settings,
// in the tables the programs have always kept and in the PDF writer's
// calls, as one number: red + 256 * green + 65536 * blue. Colour turns that
// number into its three components and back; nothing else decodes it.

#include <cstdint>

struct Colour {
    int red = 0;
    int green = 0;
    int blue = 0;

    friend constexpr bool operator==(const Colour&, const Colour&) = default;

    // The stored number.
    constexpr std::uint32_t Stored() const {
        return static_cast<std::uint32_t>(red) + 256u * static_cast<std::uint32_t>(green) +
               65536u * static_cast<std::uint32_t>(blue);
    }
    // The colour of a stored number; what lies above its 24 bits is ignored.
    static constexpr Colour FromStored(std::uint32_t stored) {
        return {static_cast<int>(stored & 0xFFu), static_cast<int>((stored >> 8) & 0xFFu),
                static_cast<int>((stored >> 16) & 0xFFu)};
    }
};
