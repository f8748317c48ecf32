#include "history/KeyTallies.h"

#include "common/core/Cp1252.h"
#include "history/SqlStatement.h"

#include <algorithm>
#include <array>
#include <limits>

std::int64_t CodeOfCharacter(char character) {
    return static_cast<std::int64_t>(Cp1252ToUnicode(static_cast<unsigned char>(character)));
}

std::optional<char> CharacterOfCode(std::int64_t code) {
    if (code < 0 || code > 0x10FFFF)
        return std::nullopt;
    const int byte = UnicodeToCp1252(static_cast<char32_t>(code));
    if (byte < 0)
        return std::nullopt;
    return static_cast<char>(static_cast<unsigned char>(byte));
}

std::int64_t SaneCount(std::int64_t value) {
    return std::max<std::int64_t>(value, 0);
}

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<std::int64_t>::max()
                     : std::numeric_limits<std::int64_t>::min();
    return sum;
}

KeyFigures MakeKeyFigures(char character, std::int64_t keystrokes, std::int64_t wrong,
                          std::int64_t intervalSum, std::int64_t intervalCount) {
    KeyFigures key;
    key.character = character;
    key.keystrokes = SaneCount(keystrokes);
    // More wrong keystrokes than keystrokes only comes from a damaged file.
    key.wrong = std::min(SaneCount(wrong), key.keystrokes);
    if (key.keystrokes > 0)
        key.errorRate = static_cast<double>(key.wrong) / static_cast<double>(key.keystrokes);
    if (SaneCount(intervalCount) > 0)
        key.averageIntervalMs =
            static_cast<double>(SaneCount(intervalSum)) / static_cast<double>(intervalCount);
    key.judged = key.keystrokes >= kMinKeystrokesToJudge;
    return key;
}

std::vector<KeyFigures> ReadKeyFigures(SqlStatement& rows) {
    struct Sums {
        std::int64_t keystrokes = 0, wrong = 0, intervalSum = 0, intervalCount = 0;
        bool seen = false;
    };
    std::array<Sums, 256> sums{};
    while (rows.Step()) {
        const std::optional<char> character = CharacterOfCode(rows.Int(0));
        if (!character)
            continue;
        Sums& s = sums[static_cast<unsigned char>(*character)];
        s.seen = true;
        s.keystrokes = SaturatingAdd(s.keystrokes, SaneCount(rows.Int(1)));
        s.wrong = SaturatingAdd(s.wrong, SaneCount(rows.Int(2)));
        s.intervalSum = SaturatingAdd(s.intervalSum, SaneCount(rows.Int(3)));
        s.intervalCount = SaturatingAdd(s.intervalCount, SaneCount(rows.Int(4)));
    }
    std::vector<KeyFigures> keys;
    for (std::size_t code = 0; code < sums.size(); ++code) {
        const Sums& s = sums[code];
        if (s.seen)
            keys.push_back(MakeKeyFigures(static_cast<char>(static_cast<unsigned char>(code)),
                                          s.keystrokes, s.wrong, s.intervalSum, s.intervalCount));
    }
    return keys;
}

std::vector<ConfusionFigures> ReadConfusions(SqlStatement& rows, std::size_t limit) {
    std::vector<ConfusionFigures> confusions;
    while (rows.Step()) {
        const std::optional<char> expected = CharacterOfCode(rows.Int(0));
        const std::optional<char> typed = CharacterOfCode(rows.Int(1));
        const std::int64_t count = SaneCount(rows.Int(2));
        if (!expected || !typed || count == 0)
            continue;
        confusions.push_back({*expected, *typed, count});
    }
    // The query sorts already; sorting again keeps the order right when a
    // damaged file hands back rows the query could not order as numbers.
    std::stable_sort(
        confusions.begin(), confusions.end(),
        [](const ConfusionFigures& a, const ConfusionFigures& b) { return a.count > b.count; });
    if (confusions.size() > limit)
        confusions.resize(limit);
    return confusions;
}

std::string WeakestKeysOf(const std::vector<KeyFigures>& keys) {
    std::vector<const KeyFigures*> weak;
    for (const KeyFigures& key : keys) {
        if (key.judged && key.wrong > 0)
            weak.push_back(&key);
    }
    std::stable_sort(weak.begin(), weak.end(), [](const KeyFigures* a, const KeyFigures* b) {
        if (a->errorRate != b->errorRate)
            return a->errorRate > b->errorRate;
        return a->keystrokes > b->keystrokes;
    });
    std::string result;
    for (const KeyFigures* key : weak) {
        if (result.size() == kWeakestKeyCount)
            break;
        result += key->character;
    }
    return result;
}
