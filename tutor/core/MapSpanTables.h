// The outline of the key/finger map window as two fixed span tables, one per
// window size, generated from the map picture by tools/make_rasters.py.
// Each entry n packs one horizontal run: x1 = n / 1,000,000,
// y = (n / 1,000) % 1,000, x2 = n % 1,000; it covers the pixel rows y and
// y + 1 from x1 up to, not including, x2. Only even rows y are listed, rows
// top to bottom and runs left to right.
#pragma once

#include <cstdint>
#include <span>

namespace MapSpanTables {

inline constexpr int NormalWidth = 363;
inline constexpr int NormalHeight = 205;
inline constexpr int LargeWidth = 519;
inline constexpr int LargeHeight = 293;

// The table of the 363 x 205 window (normal screens).
std::span<const std::int32_t> normal();
// The table of the 519 x 293 window (large screens).
std::span<const std::int32_t> large();

} // namespace MapSpanTables
