#include "tutor/core/SentenceTiming.h"

#include "tutor/core/TutorPorts.h"

#include <algorithm>

namespace {

// Praise words: IDs of the record list and of the ordinary list.
constexpr int kFirstRecordPraise = 48;
constexpr int kFirstOrdinaryPraise = 55;

std::string PraiseId(int number) {
    std::string id = std::to_string(number);
    return std::string(4 - id.size(), '0') + id;
}

} // namespace

SentenceTiming::SentenceTiming(TutorScreen& screen, ResultsTable& results, RandomSource& random,
                               int gaugeWidth)
    : m_screen(screen), m_results(results), m_random(random), m_gaugeWidth(gaugeWidth) {}

void SentenceTiming::SetDifficulty(std::int16_t index, const UiTexts& texts) {
    const DifficultyInfo info = DifficultyFor(index);
    m_results.Difficulty = info.difficulty;
    m_results.PointsFactor = info.pointsFactor;
    m_results.CategoryName = texts.Slot(info.categorySlot);
    m_scale = GaugeScale(m_gaugeWidth, info.pointsFactor);
    m_screen.typedColour = info.typedColour;
    m_screen.fastEndIcon = info.fastEndIcon;
    m_screen.slowEndIcon = info.slowEndIcon;
}

void SentenceTiming::StartClock(std::int64_t now) {
    m_startTime = now;
    m_screen.clockRunning = true;
    m_screen.gaugeVisible = true;
}

void SentenceTiming::StopClock() {
    m_screen.clockRunning = false;
}

void SentenceTiming::ClockTick(std::int64_t now, std::int16_t position) {
    if (!m_screen.clockRunning)
        return;
    const std::int64_t elapsed = std::max<std::int64_t>(now - m_startTime, 0);
    m_screen.clockText = ClockText(elapsed);
    m_gaugeLength = ::GaugeLength(m_scale, elapsed, position, m_gaugeWidth);
    m_screen.gaugeLength = m_gaugeLength;
}

void SentenceTiming::ResetRecordMarker(std::int16_t level) {
    m_screen.level = level;
    m_screen.recordMarkerWidth = m_gaugeWidth;
}

SentenceResult SentenceTiming::EvaluateSentence(std::int64_t now, const std::string& sentence,
                                                std::int16_t position, std::int16_t sentenceNumber,
                                                std::int16_t levelsReached, bool firstOfLevel,
                                                const UiTexts& texts) {
    // The gauge is drawn once more for the whole sentence, so the record test
    // never uses a length left from an earlier sentence when this one took
    // less than one tick.
    ClockTick(now, position);
    StopClock();
    const std::int64_t seconds = std::max<std::int64_t>(now - m_startTime, 0);

    SentenceResult result;
    result.speed = SentenceSpeed(sentence.size(), seconds);
    if (m_screen.recordMarkerWidth > m_gaugeLength) {
        m_screen.recordMarkerWidth = m_gaugeLength;
        result.record = !firstOfLevel;
    }
    if (sentenceNumber >= 1 && sentenceNumber <= 15)
        m_results.SentenceSpeeds[static_cast<std::size_t>(sentenceNumber)] = result.speed;
    result.points = SentencePoints(result.speed, m_results.PointsFactor);

    const std::size_t lamp = static_cast<std::size_t>(std::clamp<int>(levelsReached, 1, 3) - 1);
    if (sentenceNumber % 5 == 0) {
        m_screen.levelAverages[lamp] = std::to_string(
            calcolaMediaLevel(m_results.SentenceSpeeds, m_results.PointsFactor, levelsReached));
        m_levelPointsSum = 0;
    } else {
        m_levelPointsSum = static_cast<std::int16_t>(m_levelPointsSum + result.points);
        const int done = sentenceNumber - 5 * (levelsReached - 1);
        m_screen.levelAverages[lamp] = std::to_string(m_levelPointsSum / std::max(done, 1));
    }

    const int praise = RandomBetween(m_random, 1, 7) - 1;
    const int firstPraise = result.record ? kFirstRecordPraise : kFirstOrdinaryPraise;
    m_screen.message = ComposeResultMessage(texts, texts.Text(PraiseId(firstPraise + praise)),
                                            result.points, result.speed, result.record);
    if (result.record) {
        m_screen.picture = {MessagePicture::Kind::RecordFrame, 1};
        m_screen.recordAnimation = true;
    } else {
        m_screen.picture = {MessagePicture::Kind::Icon,
                            kFirstResultIcon + RandomBetween(m_random, 0, kResultIconCount - 1)};
    }
    m_screen.pointsIcon = PointsIcon(result.points, m_results.Difficulty);
    m_screen.messageVisible = true;
    return result;
}

void SentenceTiming::RecordAnimationTick() {
    if (!m_screen.recordAnimation)
        return;
    m_screen.picture = {MessagePicture::Kind::RecordFrame, m_animationFrame};
    m_animationFrame = 1 - m_animationFrame;
}

std::string ComposeResultMessage(const UiTexts& texts, const std::string& praise,
                                 std::int16_t points, float speed, bool record) {
    std::string text = praise + " " + texts.Slot(kSlotYouScored) + " " + std::to_string(points) +
                       " " + texts.Slot(record ? kSlotPointsAndSpeed : kSlotPoints) + " " +
                       PerMinuteText(speed) + " " + texts.Slot(kSlotKeystrokes) + " " +
                       texts.Text("0116") + "\r\n";
    if (record)
        return text + texts.Slot(kSlotRecordBeaten) + " " + texts.Slot(kSlotPressEnter);
    return text + " " + texts.Slot(kSlotPressEnter);
}
