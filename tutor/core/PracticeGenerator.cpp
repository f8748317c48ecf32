#include "tutor/core/PracticeGenerator.h"

#include "common/core/Cp1252.h"
#include "common/core/ExerciseFile.h"
#include "common/core/IniFormat.h"
#include "tutor/core/KeyTable.h"
#include "tutor/core/WordList.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <string_view>

namespace {

// -- weights ---------------------------------------------------------------

// A key seen few times is judged mostly by this prior: as weak as a key
// still being learnt, so that a key never typed is practised, not skipped.
constexpr double kPriorKeystrokes = 20.0;
constexpr double kUnknownErrorRate = 0.08;
// Average intervals of keys typed fewer times than this are noise.
constexpr int kMinKeystrokesForSpeed = 10;
// A key slower than the pupil's median key weighs up to this many times more.
constexpr double kMaxSlowness = 3.0;
// The key typed by mistake in a confusion, and the other characters of a
// key with Shift or AltGr, are practised with at least this share of the
// weak character's weakness.
constexpr double kPartnerShare = 0.5;
// Weakness relative to the average is squared: twice as weak, four times
// as often.
constexpr double kEmphasis = 2.0;
// Weights within this ratio of each other make a balanced exercise.
constexpr double kBalancedSpread = 1.25;
// A character is aimed at when it weighs at least this much.
constexpr double kAimedWeight = 1.5;
// Confusions seen at least this often are practised as pairs, the most
// frequent few of them.
constexpr int kMinPairCount = 3;
constexpr std::size_t kMaxPairs = 4;
// A text holding both keys of a pair scores this much more.
constexpr double kPairBonus = 0.5;

// -- building lines ----------------------------------------------------------

// Words a target character may bring, of which the best scoring is taken.
constexpr int kWordCandidates = 4;
// Tries at one line before the line is given up.
constexpr int kLineTries = 12;
constexpr int kTokenTries = 60;
// A sentence of the material is taken over a word line when it scores at
// least this share of it: real sentences read better.
constexpr double kSentenceShare = 0.5;
// Sentences are drawn among the best few left, in proportion to their score.
constexpr std::size_t kSentencePool = 6;
// Short words that join the drawn words into something closer to a phrase,
// put before a drawn word this often; only those the word list holds.
constexpr std::array<std::string_view, 12> kLinkWords = {"di",  "il", "la", "le", "che", "per",
                                                         "con", "in", "da", "un", "una", "del"};
constexpr double kLinkShare = 0.25;
// A drill continues with the partner of a confusion pair this often.
constexpr double kPartnerFollows = 0.5;
// Share of marks in a word line of a balanced exercise, which has no weak
// marks to draw them.
constexpr std::string_view kFinalMarks = ".!?";
constexpr std::string_view kInnerMarks = ",;:";
constexpr std::string_view kSmallAccented = "àèéìòù"_cp1252;
constexpr std::string_view kVowelStarts = "aeiou";

// How a character other than a letter or a punctuation mark comes into a
// word line: {W} is a word, {N} a number.
struct MarkPattern {
    char mark;
    std::string_view pattern;
};
const MarkPattern kMarkPatterns[] = {
    {'"', "\"{W}\""},    {'(', "({W})"},      {')', "({W})"},      {'[', "[{W}]"},
    {']', "[{W}]"},      {'<', "<{W}>"},      {'>', "<{W}>"},      {'%', "{N}%"},
    {'$', "{N}$"},       {'\xA3', "{N}\xA3"}, {'\x80', "{N}\x80"}, {'\xB0', "{N}\xB0"},
    {'\xA7', "\xA7{N}"}, {'#', "#{N}"},       {'+', "{N} + {N}"},  {'*', "{N} * {N}"},
    {'/', "{N}/{N}"},    {'=', "{N} = {N}"},  {'^', "{N}^{N}"},    {'&', "{W} & {W}"},
    {'@', "{W}@{W}"},    {'_', "{W}_{W}"},    {'-', "{W}-{W}"},    {'\\', "{W}\\{W}"},
    {'|', "{W}|{W}"},    {'\xE7', "\xE7"},    {'\'', "l'{V}"},
};

bool IsSmallLetter(char c) {
    return (c >= 'a' && c <= 'z') || kSmallAccented.find(c) != std::string_view::npos;
}

bool IsCapital(char c) {
    return c >= 'A' && c <= 'Z';
}

char Capital(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

char Small(char c) {
    return IsCapital(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

// Every character the weights cover: those of the key table but blank and Enter.
const std::vector<char>& WeighedCharacters() {
    static const std::vector<char> characters = [] {
        std::vector<char> list;
        for (const KeyEntry& entry : KeyTable::Entries()) {
            const char c = static_cast<char>(entry.Character);
            if (c != ' ' && c != '\r')
                list.push_back(c);
        }
        return list;
    }();
    return characters;
}

// The character of the same key typed without Shift or AltGr, or 0.
char BaseCharacter(char c) {
    const auto index = FindKeyEntry(c);
    if (!index)
        return 0;
    const KeyEntry& entry = KeyTable::Entry(*index);
    if (entry.Modifier == KeyModifier::None)
        return 0;
    for (const KeyEntry& other : KeyTable::Entries()) {
        if (other.KeyNumber == entry.KeyNumber && other.Modifier == KeyModifier::None)
            return static_cast<char>(other.Character);
    }
    return 0;
}

struct Totals {
    double keystrokes = 0.0;
    double wrong = 0.0;
    double intervalSum = 0.0; // interval times keystrokes, to average duplicates
    double timedKeystrokes = 0.0;
};

double Median(std::vector<double> values) {
    if (values.empty())
        return 0.0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

} // namespace

// -- CharacterWeights ----------------------------------------------------------

CharacterWeights CharacterWeights::Balanced() {
    CharacterWeights weights;
    for (const char c : WeighedCharacters())
        weights.m_weight[static_cast<unsigned char>(c)] = 1.0;
    return weights;
}

CharacterWeights CharacterWeights::FromStatistics(const PracticeStatistics& statistics) {
    std::map<unsigned char, Totals> totals;
    for (const PracticeKey& figures : statistics.characters) {
        if (!FindKeyEntry(figures.character))
            continue;
        Totals& t = totals[static_cast<unsigned char>(figures.character)];
        const double keystrokes = std::max(figures.keystrokes, 0);
        t.keystrokes += keystrokes;
        t.wrong += std::max(figures.wrong, 0);
        const double interval = figures.averageIntervalMs;
        if (std::isfinite(interval) && interval > 0.0 && keystrokes > 0.0) {
            t.intervalSum += interval * keystrokes;
            t.timedKeystrokes += keystrokes;
        }
    }

    std::array<double, 256> weakness{};
    std::vector<double> intervals;
    for (const auto& [c, t] : totals) {
        if (t.timedKeystrokes >= kMinKeystrokesForSpeed)
            intervals.push_back(t.intervalSum / t.timedKeystrokes);
    }
    const double medianInterval = Median(intervals);
    for (const char c : WeighedCharacters()) {
        const auto found = totals.find(static_cast<unsigned char>(c));
        const Totals t = found == totals.end() ? Totals{} : found->second;
        double rate =
            (t.wrong + kUnknownErrorRate * kPriorKeystrokes) / (t.keystrokes + kPriorKeystrokes);
        if (medianInterval > 0.0 && t.timedKeystrokes >= kMinKeystrokesForSpeed)
            rate *=
                std::clamp(t.intervalSum / t.timedKeystrokes / medianInterval, 1.0, kMaxSlowness);
        weakness[static_cast<unsigned char>(c)] = rate;
    }

    CharacterWeights weights;
    std::vector<PracticeConfusion> pairs;
    for (const PracticeConfusion& confusion : statistics.confusions) {
        if (confusion.count >= kMinPairCount && confusion.expected != confusion.typed &&
            weakness[static_cast<unsigned char>(confusion.expected)] > 0.0 &&
            weakness[static_cast<unsigned char>(confusion.typed)] > 0.0)
            pairs.push_back(confusion);
    }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const auto& a, const auto& b) { return a.count > b.count; });
    if (pairs.size() > kMaxPairs)
        pairs.resize(kMaxPairs);

    // Partners learn together: the two keys of a confusion both ways, and a
    // character typed with Shift or AltGr with the plain character of its
    // key, whose finger movement it shares (a weak plain key does not make
    // the marks on its key weak).
    const std::array<double, 256> own = weakness;
    const auto lift = [&weakness](char to, double from) {
        double& w = weakness[static_cast<unsigned char>(to)];
        w = std::max(w, kPartnerShare * from);
    };
    for (const PracticeConfusion& pair : pairs) {
        lift(pair.typed, own[static_cast<unsigned char>(pair.expected)]);
        lift(pair.expected, own[static_cast<unsigned char>(pair.typed)]);
        weights.m_pairs.emplace_back(pair.expected, pair.typed);
    }
    for (const char c : WeighedCharacters()) {
        const char base = BaseCharacter(c);
        if (base == 0 || base == '\r' || base == ' ')
            continue;
        lift(base, own[static_cast<unsigned char>(c)]);
    }

    double sum = 0.0;
    for (const char c : WeighedCharacters())
        sum += weakness[static_cast<unsigned char>(c)];
    const double mean = sum / static_cast<double>(WeighedCharacters().size());
    double lowest = 0.0;
    double highest = 0.0;
    for (const char c : WeighedCharacters()) {
        const double w = std::pow(weakness[static_cast<unsigned char>(c)] / mean, kEmphasis);
        weights.m_weight[static_cast<unsigned char>(c)] = w;
        lowest = lowest == 0.0 ? w : std::min(lowest, w);
        highest = std::max(highest, w);
    }
    weights.m_balanced = highest <= lowest * kBalancedSpread;
    return weights;
}

std::string CharacterWeights::Weakest(int count) const {
    if (m_balanced)
        return {};
    std::vector<char> heavy;
    for (const char c : WeighedCharacters()) {
        if (Of(c) >= kAimedWeight)
            heavy.push_back(c);
    }
    std::stable_sort(heavy.begin(), heavy.end(), [this](char a, char b) { return Of(a) > Of(b); });
    if (static_cast<int>(heavy.size()) > count)
        heavy.resize(static_cast<std::size_t>(std::max(count, 0)));
    return std::string(heavy.begin(), heavy.end());
}

double PracticeScore(const std::string& text, const CharacterWeights& weights) {
    double sum = 0.0;
    int counted = 0;
    for (const char c : text) {
        if (c == ' ' || c == '\r' || c == '\n')
            continue;
        sum += weights.Of(c);
        ++counted;
    }
    if (counted == 0)
        return 0.0;
    double score = sum / counted;
    for (const auto& [a, b] : weights.Pairs()) {
        if (text.find(a) != std::string::npos && text.find(b) != std::string::npos)
            score *= 1.0 + kPairBonus;
    }
    return score;
}

// -- the seeded draw -----------------------------------------------------------

// SplitMix64: small, fast, and the same numbers on every platform and
// standard library, so a seed always gives the same exercise.
struct PracticeGenerator::Draw {
    std::uint64_t state;

    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    std::size_t Below(std::size_t n) {
        return n == 0 ? 0
                      : std::min(n - 1, static_cast<std::size_t>(Unit() * static_cast<double>(n)));
    }
    int Between(int low, int high) {
        return low + static_cast<int>(Below(static_cast<std::size_t>(high - low + 1)));
    }
    // One of the characters in proportion to its weight; 0 when none weighs.
    char Weighted(const std::vector<char>& characters, const CharacterWeights& weights) {
        double total = 0.0;
        for (const char c : characters)
            total += weights.Of(c);
        if (total <= 0.0)
            return 0;
        double at = Unit() * total;
        for (const char c : characters) {
            at -= weights.Of(c);
            if (at < 0.0)
                return c;
        }
        return characters.back();
    }
};

// -- PracticeGenerator ---------------------------------------------------------

PracticeGenerator::PracticeGenerator(const PracticeMaterial& material, const TextMeasure& measure,
                                     ExerciseCatalogue::SentenceLine line)
    : m_measure(measure), m_line(std::move(line)) {
    // Words of small letters only: they are the drills of level 1.
    m_words.reserve(material.words.size());
    for (const std::string& word : material.words) {
        if (!word.empty() && std::all_of(word.begin(), word.end(), IsSmallLetter))
            m_words.push_back(word);
    }
    for (std::uint32_t i = 0; i < m_words.size(); ++i) {
        const std::string& word = m_words[i];
        for (std::size_t at = 0; at < word.size(); ++at) {
            // A letter met again in the same word is listed once.
            if (word.find(word[at]) == at)
                m_wordsWith[static_cast<unsigned char>(word[at])].push_back(i);
        }
        m_wordsStartingWith[static_cast<unsigned char>(word.front())].push_back(i);
    }
    for (const std::string_view link : kLinkWords) {
        for (const std::uint32_t i :
             m_wordsStartingWith[static_cast<unsigned char>(link.front())]) {
            if (m_words[i] == link) {
                m_links.emplace_back(link);
                break;
            }
        }
    }
    for (const std::string& sentence : material.sentences) {
        for (int level = 1; level <= kExerciseLevels; ++level) {
            auto& list = m_sentences[static_cast<std::size_t>(level - 1)];
            if (KeepsShape(sentence, level) &&
                std::find(list.begin(), list.end(), sentence) == list.end())
                list.push_back(sentence);
        }
    }
}

bool PracticeGenerator::KeepsAsWritten(const std::string& line) const {
    return line.size() >= 3 && line.front() != ' ' && line.back() != ' ' &&
           line.find_first_of("\r\n") == std::string::npos && FilterToKeyboard(line) == line &&
           m_measure.Width(line, m_line.font) <= m_line.width;
}

bool PracticeGenerator::KeepsShape(const std::string& sentence, int level) const {
    const auto size = static_cast<int>(sentence.size());
    const std::size_t lineBreak = sentence.find("\r\n");
    std::string value = sentence;
    switch (level) {
    case 1:
        if (size < PracticeShape::kLevel1Min || size > PracticeShape::kLevel1Max ||
            !std::all_of(sentence.begin(), sentence.end(),
                         [](char c) { return c == ' ' || IsSmallLetter(c); }) ||
            !KeepsAsWritten(sentence))
            return false;
        break;
    case 2:
        if (size < PracticeShape::kLevel2Min || size > PracticeShape::kLevel2Max ||
            !KeepsAsWritten(sentence))
            return false;
        break;
    case 3: {
        if (lineBreak == std::string::npos)
            return false;
        const std::string first = sentence.substr(0, lineBreak);
        const std::string second = sentence.substr(lineBreak + 2);
        if (static_cast<int>(first.size()) < PracticeShape::kLevel3SecondMin ||
            static_cast<int>(second.size()) < PracticeShape::kLevel3SecondMin ||
            !KeepsAsWritten(first) || !KeepsAsWritten(second))
            return false;
        value = first + std::string(kSentenceSeparator) + second;
        break;
    }
    default:
        return false;
    }
    // The reader keeps 254 characters and takes off one pair of quotes
    // around the whole value.
    const bool quoted =
        (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    return value.size() <= kIniValueLimit && !quoted;
}

std::string PracticeGenerator::PickWord(const CharacterWeights& weights, Draw& draw,
                                        char target) const {
    const bool capital = IsCapital(target);
    const auto& candidates = capital
                                 ? m_wordsStartingWith[static_cast<unsigned char>(Small(target))]
                                 : m_wordsWith[static_cast<unsigned char>(target)];
    if (candidates.empty())
        return {};
    const std::string* best = nullptr;
    double bestScore = -1.0;
    for (int i = 0; i < kWordCandidates; ++i) {
        const std::string& word = m_words[candidates[draw.Below(candidates.size())]];
        const double score = PracticeScore(word, weights);
        if (score > bestScore) {
            best = &word;
            bestScore = score;
        }
    }
    std::string word = *best;
    if (capital)
        word.front() = target;
    return word;
}

std::string PracticeGenerator::WithLink(Draw& draw, std::string word) const {
    if (word.empty() || m_links.empty() || draw.Unit() >= kLinkShare)
        return word;
    const std::string& link = m_links[draw.Below(m_links.size())];
    return link == word ? word : link + " " + word;
}

// Small words only: a drill of level 1 keeps to small letters and blanks.
std::string PracticeGenerator::DrillLine(const CharacterWeights& weights, Draw& draw, int minLength,
                                         int maxLength) const {
    std::vector<char> letters;
    for (const char c : WeighedCharacters()) {
        if (IsSmallLetter(c) && !m_wordsWith[static_cast<unsigned char>(c)].empty())
            letters.push_back(c);
    }
    if (letters.empty())
        return {};
    const int target = draw.Between(minLength, maxLength);
    std::string line;
    char next = 0;
    for (int tries = 0; tries < kTokenTries && static_cast<int>(line.size()) < target; ++tries) {
        const char aim = next != 0 ? next : draw.Weighted(letters, weights);
        next = 0;
        const std::string word = WithLink(draw, PickWord(weights, draw, aim));
        if (word.empty())
            continue;
        const std::size_t grown = line.size() + (line.empty() ? 0 : 1) + word.size();
        if (static_cast<int>(grown) > maxLength ||
            (" " + line + " ").find(" " + word + " ") != std::string::npos)
            continue;
        if (!line.empty())
            line += ' ';
        line += word;
        for (const auto& [a, b] : weights.Pairs()) {
            const char partner = aim == a ? b : aim == b ? a : 0;
            if (partner != 0 && IsSmallLetter(partner) && draw.Unit() < kPartnerFollows)
                next = partner;
        }
    }
    return line;
}

// A line of words with capitals, punctuation, numbers and symbols, drawn by
// weight: level 2 and level 3 sentences when the material runs short.
std::string PracticeGenerator::WordLine(const CharacterWeights& weights, Draw& draw, int minLength,
                                        int maxLength) const {
    // Letters bring words; capitals, marks, digits and symbols come in only
    // where the exercise aims at them, or the line turns into a jumble.
    std::vector<char> all;
    std::vector<char> letters;
    std::vector<char> digits;
    for (const char c : WeighedCharacters()) {
        const bool letter = IsSmallLetter(c) && !m_wordsWith[static_cast<unsigned char>(c)].empty();
        if (letter)
            letters.push_back(c);
        if (c >= '0' && c <= '9')
            digits.push_back(c);
        if (letter || weights.Of(c) >= kAimedWeight)
            all.push_back(c);
    }
    if (letters.empty())
        return {};
    const auto word = [&]() { return PickWord(weights, draw, draw.Weighted(letters, weights)); };
    const auto number = [&](char first) {
        std::string text(1, first);
        const int more = draw.Between(0, 2);
        for (int i = 0; i < more; ++i)
            text += draw.Weighted(digits, weights);
        if (text.size() > 1 && text.front() == '0')
            text.insert(text.begin(), draw.Weighted(digits, weights) == '0' ? '1' : '2');
        return text;
    };
    const auto expand = [&](std::string_view pattern) {
        std::string out;
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            if (pattern.substr(i, 3) == "{W}" || pattern.substr(i, 3) == "{N}" ||
                pattern.substr(i, 3) == "{V}") {
                const char kind = pattern[i + 1];
                if (kind == 'W')
                    out += word();
                else if (kind == 'N')
                    out += number(draw.Weighted(digits, weights));
                else
                    out += PickWord(weights, draw,
                                    kVowelStarts[draw.Below(kVowelStarts.size())] - 'a' + 'A');
                i += 2;
            } else {
                out += pattern[i];
            }
        }
        // A vowel word was drawn as a capital; an elided article keeps it small.
        if (pattern.substr(0, 2) == "l'" && out.size() > 2)
            out[2] = Small(out[2]);
        return out;
    };

    const int target = draw.Between(minLength, maxLength - 1);
    std::vector<std::string> tokens;
    std::size_t length = 0;
    bool capitalNext = true;
    for (int tries = 0; tries < kTokenTries && static_cast<int>(length) < target; ++tries) {
        const char aim = draw.Weighted(all, weights);
        std::string token;
        if (IsSmallLetter(aim)) {
            token = WithLink(draw, PickWord(weights, draw, aim));
        } else if (IsCapital(aim)) {
            token = PickWord(weights, draw, aim);
        } else if (aim >= '0' && aim <= '9') {
            token = number(aim);
        } else if (kInnerMarks.find(aim) != std::string_view::npos ||
                   kFinalMarks.find(aim) != std::string_view::npos) {
            // A mark follows a word, never another mark.
            if (tokens.empty() || !IsSmallLetter(tokens.back().back()) ||
                static_cast<int>(length) + 1 > maxLength - 1)
                continue;
            tokens.back() += aim;
            ++length;
            capitalNext = kFinalMarks.find(aim) != std::string_view::npos;
            continue;
        } else {
            const auto pattern =
                std::find_if(std::begin(kMarkPatterns), std::end(kMarkPatterns),
                             [aim](const MarkPattern& p) { return p.mark == aim; });
            if (pattern == std::end(kMarkPatterns))
                continue;
            token = expand(pattern->pattern);
        }
        if (token.empty())
            continue;
        if (capitalNext && token.front() >= 'a' && token.front() <= 'z')
            token.front() = Capital(token.front());
        const std::size_t grown = length + (tokens.empty() ? 0 : 1) + token.size();
        if (static_cast<int>(grown) > maxLength - 1)
            continue;
        capitalNext = false;
        length = grown;
        tokens.push_back(std::move(token));
    }
    if (tokens.empty())
        return {};
    std::string line;
    for (const std::string& token : tokens)
        line += (line.empty() ? "" : " ") + token;
    if (kFinalMarks.find(line.back()) == std::string_view::npos) {
        if (kInnerMarks.find(line.back()) != std::string_view::npos)
            line.pop_back();
        std::vector<char> finals(kFinalMarks.begin(), kFinalMarks.end());
        const char mark = draw.Weighted(finals, weights);
        line += mark != 0 ? mark : '.';
    }
    return line;
}

std::string PracticeGenerator::WordSentence(const CharacterWeights& weights, Draw& draw,
                                            int level) const {
    for (int tries = 0; tries < kLineTries; ++tries) {
        std::string sentence;
        if (level == 1) {
            sentence =
                DrillLine(weights, draw, PracticeShape::kLevel1Min, PracticeShape::kLevel1Max);
        } else if (level == 2) {
            sentence =
                WordLine(weights, draw, PracticeShape::kLevel2Min, PracticeShape::kLevel2Max);
        } else {
            sentence = WordLine(weights, draw, PracticeShape::kLevel3FirstMin,
                                PracticeShape::kLevel3FirstMax) +
                       "\r\n" +
                       WordLine(weights, draw, PracticeShape::kLevel3SecondMin,
                                PracticeShape::kLevel3SecondMax);
        }
        if (KeepsShape(sentence, level))
            return sentence;
    }
    return {};
}

std::string PracticeGenerator::SentenceOrLine(const CharacterWeights& weights, Draw& draw,
                                              int level, std::vector<std::size_t>& pool) const {
    const auto& sentences = m_sentences[static_cast<std::size_t>(level - 1)];
    std::string words = WordSentence(weights, draw, level);
    if (pool.empty())
        return words;
    // The pool is ranked best first: draw among the best few by score.
    const std::size_t few = std::min(pool.size(), kSentencePool);
    double total = 0.0;
    for (std::size_t i = 0; i < few; ++i)
        total += PracticeScore(sentences[pool[i]], weights);
    double at = draw.Unit() * total;
    std::size_t chosen = few - 1;
    for (std::size_t i = 0; i < few; ++i) {
        at -= PracticeScore(sentences[pool[i]], weights);
        if (at < 0.0) {
            chosen = i;
            break;
        }
    }
    const std::string& sentence = sentences[pool[chosen]];
    if (!words.empty() &&
        PracticeScore(sentence, weights) < kSentenceShare * PracticeScore(words, weights))
        return words;
    pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(chosen));
    return sentence;
}

PracticeExercise PracticeGenerator::Generate(const CharacterWeights& weights,
                                             std::uint64_t seed) const {
    constexpr int kAimedCount = 6;
    PracticeExercise exercise;
    exercise.aimedCharacters = weights.Weakest(kAimedCount);
    Draw draw{seed};
    for (int level = 1; level <= kExerciseLevels; ++level) {
        const auto& sentences = m_sentences[static_cast<std::size_t>(level - 1)];
        std::vector<std::size_t> pool(sentences.size());
        std::iota(pool.begin(), pool.end(), std::size_t{0});
        std::vector<double> scores(sentences.size());
        for (std::size_t i = 0; i < sentences.size(); ++i)
            scores[i] = PracticeScore(sentences[i], weights);
        // Equal scores (a balanced exercise) keep a seeded order, not the
        // material's, so that each exercise brings other sentences.
        std::vector<std::uint64_t> order(sentences.size());
        for (auto& o : order)
            o = draw.Next();
        std::sort(pool.begin(), pool.end(), [&](std::size_t a, std::size_t b) {
            return scores[a] != scores[b] ? scores[a] > scores[b] : order[a] < order[b];
        });
        auto& out = exercise.levels[static_cast<std::size_t>(level - 1)];
        for (int n = 0; n < PracticeShape::kSentencesPerLevel; ++n) {
            // Drills of level 1 come from the word list whenever there is one.
            std::string sentence = level == 1 && !m_words.empty()
                                       ? WordSentence(weights, draw, 1)
                                       : SentenceOrLine(weights, draw, level, pool);
            if (sentence.empty() && level == 1)
                sentence = SentenceOrLine(weights, draw, level, pool);
            if (!sentence.empty())
                out.push_back(std::move(sentence));
        }
    }
    return exercise;
}
