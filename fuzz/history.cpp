// Random bytes as the practice history: opening (which may keep the file
// aside and start afresh), every read the windows make, and a recorded
// sentence. No input may crash, hang or give figures out of their ranges.
#include "FuzzSupport.h"
#include "history/HistoryStore.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kNow = 1'772'000'000;
constexpr std::size_t kPupilsRead = 3;

using fuzz_support::Check;
using fuzz_support::IsRate;
using fuzz_support::ScratchFolder;

void CheckFigures(const ProgressFigures& f) {
    Check(IsRate(f.accuracy));
    Check(f.topConfusions.size() <= kTopConfusionCount);
    Check(f.weakestKeys.size() <= kWeakestKeyCount);
    Check(f.sentences >= 0 && f.correct >= 0 && f.wrong >= 0 && f.seconds >= 0);
    for (const DayFigures& d : f.days) {
        Check(IsRate(d.accuracy));
        Check(d.date.month >= 1 && d.date.month <= 12 && d.date.day >= 1 && d.date.day <= 31);
    }
    for (const KeyFigures& k : f.keys) {
        Check(IsRate(k.errorRate));
        Check(k.wrong <= k.keystrokes && k.averageIntervalMs >= 0.0);
    }
}

void ReadEverything(const HistoryStore& store) {
    std::size_t read = 0;
    for (const PupilInfo& pupil : store.Pupils()) {
        Check(pupil.name.size() <= kPupilNameMaxLength);
        if (read++ == kPupilsRead)
            break;
        for (const Period period : {Period::All, Period::LastMonth})
            CheckFigures(store.Figures(pupil.id, period, kNow));
        const PracticeProfile profile = store.PracticeProfileOf(pupil.id);
        for (const KeyFigures& k : profile.keys)
            Check(IsRate(k.errorRate));
    }
    for (const PupilSummary& s : store.Summaries())
        Check(IsRate(s.accuracy) && s.weakestKeys.size() <= kWeakestKeyCount);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder folder{"history"};
    folder.Empty();
    const fs::path file = folder.path / "history.sqlite";
    {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    {
        HistoryStore store;
        store.Open(file.string(), "fuzz");
        ReadEverything(store);
        if (store.CanSave()) {
            const std::optional<PupilId> pupil = store.CurrentPupil();
            SentenceRecord sentence;
            sentence.finishedAt = kNow;
            sentence.correct = 3;
            sentence.wrong = 1;
            sentence.speed = 2.0f;
            store.RecordSentence(pupil.value_or(1), sentence,
                                 {{'a', 'a', kNoInterval},
                                  {'\xE0', '\xF2', 120},
                                  {'\xE0', '\xE0', 80},
                                  {'\r', '\r', 300}});
            ReadEverything(store);
            store.AddPupil("Zo\xEB", "3B");
            store.RemovePupil(pupil.value_or(1));
        }
    }
    folder.Empty();
    return 0;
}
