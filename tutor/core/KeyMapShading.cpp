#include "tutor/core/KeyMapShading.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr char kCarriageReturn = '\r';
constexpr const char* kEnterName = "Invio";

int Blend(int from, int to, double t) {
    return static_cast<int>(std::lround(from + (to - from) * t));
}

Colour Mix(Colour from, Colour to, double t) {
    return {Blend(from.red, to.red, t), Blend(from.green, to.green, t),
            Blend(from.blue, to.blue, t)};
}

// Interval sums are weighted by keystrokes: the store gives each
// character's average, and characters of one key are typed alike.
struct KeyTally {
    std::int64_t keystrokes = 0;
    std::int64_t wrong = 0;
    double intervalWeight = 0;
    double intervalSum = 0;
};

} // namespace

Colour ShadeOf(double severity) {
    const double s = std::clamp(severity, 0.0, 1.0);
    if (s <= 0.5)
        return Mix(kShadeGood, kShadeMiddle, s * 2);
    return Mix(kShadeMiddle, kShadeBad, (s - 0.5) * 2);
}

KeyShades ShadeKeys(const std::vector<KeyFigures>& characters, KeyMapMode mode) {
    std::array<KeyTally, KeyTable::kKeyCount> tallies{};
    for (const KeyFigures& figures : characters) {
        const auto entry = FindKeyEntry(figures.character);
        if (!entry)
            continue;
        KeyTally& tally = tallies[static_cast<std::size_t>(KeyTable::Entry(*entry).KeyNumber)];
        tally.keystrokes += figures.keystrokes;
        tally.wrong += figures.wrong;
        if (figures.averageIntervalMs > 0) {
            tally.intervalWeight += static_cast<double>(figures.keystrokes);
            tally.intervalSum +=
                figures.averageIntervalMs * static_cast<double>(figures.keystrokes);
        }
    }

    KeyShades shades{};
    double fastest = 0;
    double slowest = 0;
    bool anyTimed = false;
    for (std::size_t k = 0; k < shades.size(); ++k) {
        KeyShade& shade = shades[k];
        const KeyTally& tally = tallies[k];
        shade.key = static_cast<std::int16_t>(k);
        shade.keystrokes = tally.keystrokes;
        shade.wrong = tally.wrong;
        if (tally.keystrokes > 0)
            shade.errorRate =
                static_cast<double>(tally.wrong) / static_cast<double>(tally.keystrokes);
        if (tally.intervalWeight > 0)
            shade.averageIntervalMs = tally.intervalSum / tally.intervalWeight;
        shade.judged = tally.keystrokes >= kMinKeystrokesToJudge;
        if (shade.judged && shade.averageIntervalMs > 0) {
            fastest =
                anyTimed ? std::min(fastest, shade.averageIntervalMs) : shade.averageIntervalMs;
            slowest =
                anyTimed ? std::max(slowest, shade.averageIntervalMs) : shade.averageIntervalMs;
            anyTimed = true;
        }
    }

    for (KeyShade& shade : shades) {
        if (!shade.judged) {
            shade.colour = shade.keystrokes > 0 ? kShadeUnjudged : kShadeUnused;
            continue;
        }
        if (mode == KeyMapMode::Errors) {
            shade.severity = std::min(1.0, shade.errorRate / kRedErrorRate);
        } else if (shade.averageIntervalMs > 0 && slowest > fastest) {
            shade.severity = (shade.averageIntervalMs - fastest) / (slowest - fastest);
        }
        shade.colour = ShadeOf(shade.severity);
    }
    return shades;
}

std::vector<std::int16_t> WorstKeys(const KeyShades& shades, std::size_t count) {
    std::vector<const KeyShade*> weak;
    for (const KeyShade& shade : shades)
        if (shade.judged && shade.severity > 0)
            weak.push_back(&shade);
    std::stable_sort(weak.begin(), weak.end(), [](const KeyShade* a, const KeyShade* b) {
        return a->severity > b->severity;
    });
    std::vector<std::int16_t> keys;
    for (std::size_t i = 0; i < weak.size() && i < count; ++i)
        keys.push_back(weak[i]->key);
    return keys;
}

std::string KeyName(std::int16_t key) {
    if (key == KeyTable::kEnterKey || key == KeyTable::kEnterUpperKey)
        return kEnterName;
    for (const KeyEntry& entry : KeyTable::Entries()) {
        if (entry.KeyNumber != key || entry.Modifier != KeyModifier::None)
            continue;
        const char c = static_cast<char>(entry.Character);
        if (c == kCarriageReturn)
            continue;
        return std::string(1, c);
    }
    return {};
}

std::array<FingerErrors, 5> FingerErrorRates(const KeyShades& shades, KeySplit split) {
    std::array<FingerErrors, 5> fingers{};
    for (std::size_t f = 0; f < fingers.size(); ++f)
        fingers[f].finger = static_cast<FingerGroup>(f);
    for (const KeyShade& shade : shades) {
        FingerErrors& finger = fingers[static_cast<std::size_t>(FingerOf(shade.key, split))];
        finger.keystrokes += shade.keystrokes;
        finger.wrong += shade.wrong;
    }
    for (FingerErrors& finger : fingers)
        if (finger.keystrokes > 0)
            finger.errorRate =
                static_cast<double>(finger.wrong) / static_cast<double>(finger.keystrokes);
    return fingers;
}

Colour FingerColour(FingerGroup finger) {
    switch (finger) {
    case FingerGroup::Little:
        return {185, 207, 224};
    case FingerGroup::Ring:
        return {214, 222, 181};
    case FingerGroup::Middle:
        return {239, 204, 197};
    case FingerGroup::Index:
        return {162, 204, 184};
    case FingerGroup::Thumb:
        return {226, 235, 235};
    }
    return kShadeUnused;
}
