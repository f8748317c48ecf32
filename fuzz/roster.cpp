// Random bytes as one pupil file of the class folder: the class window's
// read, the copy for the progress window and the class summary. No input may
// crash, hang, give figures out of their ranges, or change the file.
#include "FuzzSupport.h"
#include "history/ClassRoster.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kNow = 1'772'000'000;

using fuzz_support::Check;
using fuzz_support::IsRate;
using fuzz_support::ScratchFolder;

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder folder{"roster", {"class", "copies"}};
    folder.Empty();
    const fs::path file = folder.path / "class" / "pupil.sqlite";
    const std::string input(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream out(file, std::ios::binary);
        out << input;
    }
    RosterReadOptions options;
    options.busyRetries = 0;
    const ClassRoster roster = ReadClassRoster(folder.path / "class", kNow, options);
    Check(roster.rows.size() == 1);
    for (const RosterRow& row : roster.rows) {
        Check(IsRate(row.accuracy) && row.speedNow >= 0.0);
        Check(!row.speedEarlier || *row.speedEarlier >= 0.0);
        Check(row.weakestKeys.size() <= kRosterWeakestKeys);
        Check(row.pupil.name.size() <= kPupilNameMaxLength);
        Check(row.exercisesFinished >= 0 && row.sentences >= 0 && row.lastPractice >= 0);
        for (const KeyFigures& key : row.keys)
            Check(IsRate(key.errorRate) && key.wrong <= key.keystrokes);
    }
    const ClassSummary summary = SummariseClass(roster.rows);
    Check(summary.pupils + summary.unreadable == 1);
    RosterProblem problem = RosterProblem::None;
    const bool copied =
        CopyPupilFile(file, folder.path / "copies" / "copy.sqlite", &problem, options);
    // The copy and the roster read different pages, so either may meet
    // damage the other does not; a failed copy always says why.
    Check(copied || problem != RosterProblem::None);
    // Nothing beside the file, and the file as it was.
    Check(Bytes(file) == input);
    Check(std::distance(fs::directory_iterator(folder.path / "class"), fs::directory_iterator{}) ==
          1);
    folder.Empty();
    return 0;
}
