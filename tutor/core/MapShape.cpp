#include "tutor/core/MapShape.h"

#include <algorithm>

MapSpan DecodeMapSpan(std::int32_t n) {
    return {static_cast<int>(n / 1000000), static_cast<int>((n / 1000) % 1000),
            static_cast<int>(n % 1000)};
}

std::vector<MapRect> MapShapeRects(std::span<const std::int32_t> table) {
    std::vector<MapRect> rects;
    rects.reserve(table.size() * 2);
    for (std::int32_t n : table) {
        if (n < 0)
            continue;
        const MapSpan span = DecodeMapSpan(n);
        if (span.x2 <= span.x1)
            continue;
        rects.push_back({span.x1, span.y, span.x2, span.y + 1});
        rects.push_back({span.x1, span.y + 1, span.x2, span.y + 2});
    }
    return rects;
}

MapWindowSize MapWindowSizeFor(bool largeScreen) {
    return largeScreen ? MapWindowSize{7785, 4395} : MapWindowSize{5445, 3075};
}

MapPoint MapAnchorInPanel(MapPoint keyTenInKeyboard, MapPoint keyboardInPanel) {
    return {keyTenInKeyboard.x + keyboardInPanel.x + 10, keyTenInKeyboard.y + keyboardInPanel.y};
}

std::vector<int> SlideInTops(int screenHeightTwips, int targetTopTwips) {
    std::vector<int> tops;
    for (int t = screenHeightTwips; t >= targetTopTwips; t -= SlideStepTwips)
        tops.push_back(t);
    return tops;
}

int SlideInStop(int screenHeightTwips, int targetTopTwips) {
    if (screenHeightTwips < targetTopTwips)
        return targetTopTwips;
    const int steps = (screenHeightTwips - targetTopTwips) / SlideStepTwips;
    return screenHeightTwips - steps * SlideStepTwips;
}

int MapTopOnArea(int top, int height, int areaTop, int areaBottom) {
    return std::max(areaTop, std::min(top, areaBottom - height));
}

std::vector<int> FadeOutAlphas() {
    std::vector<int> alphas;
    for (int alpha = 250; alpha >= 50; alpha -= 5)
        alphas.push_back(alpha);
    return alphas;
}
