// Speed and size of the practice history: recording a finished sentence of
// 100 keystrokes with its commit on a WAL database, and the figures of the
// progress window over three years of practice (a pupil typing 30 minutes
// every school day: about 40,000 sentences and 2 million keystrokes), and
// the copy of that history into the class folder: the first one, and the one
// after a level of five sentences, with the part the tutor's own thread
// pays (finding what the class copy lacks).
#include "bench/BenchFolder.h"
#include "history/ClassCopyTask.h"
#include "history/HistoryStore.h"
#include "tutor/core/BuiltInSentence.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kYears = 3;
constexpr int kSentencesPerDay = 66;
constexpr int kSentenceLength = 48;
constexpr double kWrongShare = 0.04;
constexpr int kSecondsPerSentence = 27;
constexpr int kFirstYear = 2023;
constexpr int kKeystrokesPerRecordedSentence = 100;

std::int64_t LocalMoment(int year, int month, int day, int hour) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&t));
}

// School days: Monday to Friday outside July, August and the Christmas break.
bool IsSchoolDay(const std::tm& t) {
    if (t.tm_wday == 0 || t.tm_wday == 6 || t.tm_mon == 6 || t.tm_mon == 7)
        return false;
    return !((t.tm_mon == 11 && t.tm_mday >= 23) || (t.tm_mon == 0 && t.tm_mday <= 6));
}

// The pupil types the built-in sentences one after the other, with a wrong
// key now and then.
class PracticeGenerator {
public:
    PracticeGenerator() {
        for (std::int16_t i = 1; i <= kBuiltInSentenceCount; ++i)
            m_text += BuiltInSentence(i) + " ";
    }
    std::vector<KeystrokeRecord> Keystrokes(int characters) {
        std::vector<KeystrokeRecord> keys;
        std::uniform_int_distribution<int> interval(120, 650);
        std::uniform_real_distribution<double> chance(0.0, 1.0);
        for (int i = 0; i < characters; ++i) {
            const char expected = m_text[m_position++ % m_text.size()];
            if (chance(m_random) < kWrongShare)
                keys.push_back(
                    {expected, m_text[(m_position * 7) % m_text.size()], interval(m_random)});
            keys.push_back({expected, expected, i == 0 ? kNoInterval : interval(m_random)});
        }
        return keys;
    }
    SentenceRecord Sentence(std::int64_t at, const std::vector<KeystrokeRecord>& keys, int number) {
        std::uniform_real_distribution<float> speed(1.2f, 3.4f);
        SentenceRecord s;
        s.finishedAt = at;
        s.exercise = "corso-03.ftd";
        s.number = static_cast<std::int16_t>(number % 15 + 1);
        s.level = static_cast<std::int16_t>((s.number - 1) / 5 + 1);
        s.speed = speed(m_random);
        s.points = static_cast<std::int16_t>(s.speed * 40);
        s.wrong =
            static_cast<std::int16_t>(keys.size() - static_cast<std::size_t>(kSentenceLength));
        s.correct = kSentenceLength;
        s.seconds = kSecondsPerSentence;
        return s;
    }

private:
    std::string m_text;
    std::size_t m_position = 0;
    std::mt19937 m_random{20260101};
};

struct ThreeYears {
    BenchFolder folder;
    std::string path = folder.File("history.sqlite");
    HistoryStore store;
    PupilId pupil = 0;
    std::int64_t now = 0;
    std::int64_t sentences = 0;
    std::int64_t keystrokes = 0;
    double megabytes = 0;

    ThreeYears() {
        store.Open(path, "giulia");
        pupil = *store.CurrentPupil();
        PracticeGenerator generator;
        for (std::int64_t day = LocalMoment(kFirstYear, 9, 11, 12);
             day < LocalMoment(kFirstYear + kYears, 9, 11, 12); day += 86400) {
            const std::time_t t = static_cast<std::time_t>(day);
            std::tm local{};
            localtime_r(&t, &local);
            if (!IsSchoolDay(local))
                continue;
            const std::int64_t start = day + 3 * 3600; // 15:00
            for (int i = 0; i < kSentencesPerDay; ++i) {
                const auto keys = generator.Keystrokes(kSentenceLength);
                const std::int64_t at = start + i * kSecondsPerSentence;
                store.RecordSentence(pupil, generator.Sentence(at, keys, i), keys);
                ++sentences;
                keystrokes += static_cast<std::int64_t>(keys.size());
                now = at;
            }
        }
        store.Close();
        std::error_code ec;
        megabytes = static_cast<double>(std::filesystem::file_size(path, ec)) / (1024.0 * 1024.0);
        store.Open(path, "giulia");
    }
    static ThreeYears& Get() {
        static ThreeYears history;
        return history;
    }
    void Count(benchmark::State& state) const {
        state.counters["sentences"] = static_cast<double>(sentences);
        state.counters["keystrokes"] = static_cast<double>(keystrokes);
        state.counters["file_MiB"] = megabytes;
    }
};

void BM_RecordSentenceOf100Keystrokes(benchmark::State& state) {
    BenchFolder folder;
    HistoryStore store;
    store.Open(folder.File("history.sqlite"), "giulia");
    const PupilId pupil = *store.CurrentPupil();
    PracticeGenerator generator;
    std::int64_t at = LocalMoment(2026, 3, 2, 9);
    for (auto _ : state) {
        state.PauseTiming();
        auto keys = generator.Keystrokes(kKeystrokesPerRecordedSentence);
        keys.resize(kKeystrokesPerRecordedSentence);
        const SentenceRecord sentence = generator.Sentence(at += 30, keys, 1);
        state.ResumeTiming();
        if (store.RecordSentence(pupil, sentence, keys) != StoreStatus::Ok)
            state.SkipWithError("the sentence was not recorded");
    }
}
BENCHMARK(BM_RecordSentenceOf100Keystrokes)->Unit(benchmark::kMillisecond);

void BM_FiguresAll(benchmark::State& state) {
    ThreeYears& h = ThreeYears::Get();
    for (auto _ : state)
        benchmark::DoNotOptimize(h.store.Figures(h.pupil, Period::All, h.now));
    h.Count(state);
}
BENCHMARK(BM_FiguresAll)->Unit(benchmark::kMillisecond);

void BM_FiguresLastMonth(benchmark::State& state) {
    ThreeYears& h = ThreeYears::Get();
    for (auto _ : state)
        benchmark::DoNotOptimize(h.store.Figures(h.pupil, Period::LastMonth, h.now));
    h.Count(state);
}
BENCHMARK(BM_FiguresLastMonth)->Unit(benchmark::kMillisecond);

void BM_FiguresLastYear(benchmark::State& state) {
    ThreeYears& h = ThreeYears::Get();
    for (auto _ : state)
        benchmark::DoNotOptimize(h.store.Figures(h.pupil, Period::LastYear, h.now));
}
BENCHMARK(BM_FiguresLastYear)->Unit(benchmark::kMillisecond);

void BM_SummariesOfTheClass(benchmark::State& state) {
    ThreeYears& h = ThreeYears::Get();
    for (auto _ : state)
        benchmark::DoNotOptimize(h.store.Summaries());
}
BENCHMARK(BM_SummariesOfTheClass)->Unit(benchmark::kMillisecond);

// Opening checks the whole file (quick_check) before the tutor shows.
void BM_OpenThreeYears(benchmark::State& state) {
    ThreeYears& h = ThreeYears::Get();
    h.store.Close();
    for (auto _ : state) {
        HistoryStore store;
        if (store.Open(h.path, "giulia") != StoreStatus::Ok)
            state.SkipWithError("the history did not open");
    }
    h.store.Open(h.path, "giulia");
}
BENCHMARK(BM_OpenThreeYears)->Unit(benchmark::kMillisecond);

void BM_RecordSentenceAfterThreeYears(benchmark::State& state) {
    ThreeYears& h = ThreeYears::Get();
    PracticeGenerator generator;
    std::int64_t at = h.now;
    for (auto _ : state) {
        state.PauseTiming();
        auto keys = generator.Keystrokes(kKeystrokesPerRecordedSentence);
        keys.resize(kKeystrokesPerRecordedSentence);
        const SentenceRecord sentence = generator.Sentence(at += 30, keys, 1);
        state.ResumeTiming();
        if (h.store.RecordSentence(h.pupil, sentence, keys) != StoreStatus::Ok)
            state.SkipWithError("the sentence was not recorded");
    }
}
BENCHMARK(BM_RecordSentenceAfterThreeYears)->Unit(benchmark::kMillisecond);

void BM_FirstClassCopyOfThreeYears(benchmark::State& state) {
    ThreeYears& h = ThreeYears::Get();
    double megabytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        BenchFolder share;
        const std::string folder = share.File("class");
        std::filesystem::create_directories(folder);
        state.ResumeTiming();
        if (CopyToClassFolder(h.store, h.pupil, folder, h.now) != ClassCopyStatus::Done)
            state.SkipWithError("the copy did not go through");
        state.PauseTiming();
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            megabytes = static_cast<double>(entry.file_size(ec)) / (1024.0 * 1024.0);
        state.ResumeTiming();
    }
    state.counters["class_file_MiB"] = megabytes;
    h.Count(state);
}
BENCHMARK(BM_FirstClassCopyOfThreeYears)->Unit(benchmark::kMillisecond)->Iterations(2);

void Drive(ClassCopyTask& task, const HistoryStore& local) {
    while (task.Next() != ClassCopyTask::Side::Finished) {
        if (task.Next() == ClassCopyTask::Side::ClassFolder)
            task.RunClassFolderStep();
        else
            task.RunLocalStep(local);
    }
}

// A class copy kept up to date as the tutor keeps it, and a level of five
// sentences to add.
struct KeptClassCopy {
    BenchFolder share;
    std::string folder = share.File("class");
    PracticeGenerator generator;
    std::int64_t at;
    ClassCopyProgress progress;

    KeptClassCopy() : at(ThreeYears::Get().now) {
        std::filesystem::create_directories(folder);
        Copy();
    }
    bool Copy() {
        ThreeYears& h = ThreeYears::Get();
        ClassCopyTask task(folder, *h.store.Pupil(h.pupil), h.now, progress);
        Drive(task, h.store);
        progress = task.Progress();
        return task.Status() == ClassCopyStatus::Done;
    }
    void PractiseALevel() {
        ThreeYears& h = ThreeYears::Get();
        for (int n = 1; n <= 5; ++n) {
            const auto keys = generator.Keystrokes(kSentenceLength);
            h.store.RecordSentence(h.pupil, generator.Sentence(at += 30, keys, n), keys);
        }
    }
};

void BM_ClassCopyAfterALevel(benchmark::State& state) {
    KeptClassCopy copy;
    for (auto _ : state) {
        state.PauseTiming();
        copy.PractiseALevel();
        state.ResumeTiming();
        if (!copy.Copy())
            state.SkipWithError("the level was not copied");
    }
}
BENCHMARK(BM_ClassCopyAfterALevel)->Unit(benchmark::kMillisecond);

// What the tutor's thread does of that copy: finding the five sentences.
void BM_ClassCopyLocalStepAfterALevel(benchmark::State& state) {
    ThreeYears& h = ThreeYears::Get();
    KeptClassCopy copy;
    copy.PractiseALevel();
    for (auto _ : state) {
        if (h.store.SentencesMissingFrom(h.pupil, {}, copy.progress.lastLocalId).size() != 5)
            state.SkipWithError("not the level's five sentences");
    }
}
BENCHMARK(BM_ClassCopyLocalStepAfterALevel)->Unit(benchmark::kMillisecond);

// The first copy of a run compares every sentence: the tutor's thread finds
// the five among three years.
void BM_ClassCopyLocalStepComparingAll(benchmark::State& state) {
    ThreeYears& h = ThreeYears::Get();
    KeptClassCopy copy;
    ClassPupilFile file;
    file.Open(copy.folder, *h.store.Pupil(h.pupil), h.now);
    const std::unordered_set<std::string> present = file.Identities();
    file.Close();
    copy.PractiseALevel();
    for (auto _ : state) {
        if (h.store.SentencesMissingFrom(h.pupil, present).size() != 5)
            state.SkipWithError("not the level's five sentences");
    }
}
BENCHMARK(BM_ClassCopyLocalStepComparingAll)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
