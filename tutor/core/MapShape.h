// Geometry of the key/finger map window: its two sizes, the packed span tables that give its
// outline, the stops of its slide-in from the bottom of the screen and the alpha steps of its
// fade-out. The window itself only applies what these functions compute.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

inline constexpr int TwipsPerPixel = 15;

// One horizontal span of the outline: pixels x1 (included) to x2 (excluded) of row y.
struct MapSpan {
    int x1 = 0;
    int y = 0;
    int x2 = 0;

    friend bool operator==(const MapSpan&, const MapSpan&) = default;
};

// A rectangle of the outline in window pixels; right and bottom are excluded.
struct MapRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const MapRect&, const MapRect&) = default;
};

// n packs x1 * 1,000,000 + y * 1,000 + x2.
MapSpan DecodeMapSpan(std::int32_t n);

// Every entry covers rows y and y + 1: two one-row rectangles per entry, in table order.
// Entries that decode to an empty span are left out.
std::vector<MapRect> MapShapeRects(std::span<const std::int32_t> table);

struct MapWindowSize {
    int widthTwips = 0;
    int heightTwips = 0;
    int WidthPixels() const { return widthTwips / TwipsPerPixel; }
    int HeightPixels() const { return heightTwips / TwipsPerPixel; }
};

MapWindowSize MapWindowSizeFor(bool largeScreen);

// Point of the keyboard panel where the map window's top left corner goes: 10 pixels right
// of the left edge of key 10 (A) and level with its top. All values in pixels.
struct MapPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const MapPoint&, const MapPoint&) = default;
};
MapPoint MapAnchorInPanel(MapPoint keyTenInKeyboard, MapPoint keyboardInPanel);

inline constexpr int SlideStepTwips = 300;

// Tops of the window while it slides up: the screen height, then 300 twips less each step,
// while not above the target top.
std::vector<int> SlideInTops(int screenHeightTwips, int targetTopTwips);

// Where the slide ends: the last of SlideInTops, or the target itself when the target lies
// below the bottom of the screen and there is nothing to slide.
int SlideInStop(int screenHeightTwips, int targetTopTwips);

// The top of a window of the given height that keeps to the anchor's top where it can and
// is moved up just enough to lie wholly on the area from areaTop to areaBottom (excluded);
// an area lower than the window keeps the window's top at the area's top. Pixels.
int MapTopOnArea(int top, int height, int areaTop, int areaBottom);

// Alpha values of the fade-out: 250 down to 50 in steps of 5.
std::vector<int> FadeOutAlphas();

inline constexpr int MapAnimationStepMs = 10;
