// class_stress: many tutors writing their pupils' files in one class folder
// at once while a teacher's reader goes through the folder, each in a
// process of its own, as in a classroom.
//
//   class_stress [--folder DIR] [--writers N] [--seconds S] [--every MS]
//                [--read-every MS] [--keep]
//
// Each writer keeps a local history of its own pupil, records a sentence
// every --every milliseconds for --seconds, and copies its history into the
// class folder after each sentence. The reader opens every pupil file of the
// folder read-only every --read-every milliseconds and reads the summary row
// and the sentence count, trying again when a writer holds the lock. At the
// end every class file must pass SQLite's integrity check and hold every
// sentence its writer recorded, once; the reader may have met nothing but
// busy files. The numbers are printed; the exit code is 0 when all held.
#include "history/ClassCopyTask.h"
#include "history/HistoryDatabase.h"
#include "history/HistoryStore.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kSentencesPerExercise = 15;
constexpr int kReaderTries = 100;
constexpr int kReaderPauseMs = 20;

struct Options {
    std::string base = fs::temp_directory_path().string();
    int writers = 30;
    int seconds = 300;
    int everyMs = 2000;
    int readEveryMs = 5000;
    bool keep = false;
};

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string PupilName(int writer) {
    return "Alunno " + std::to_string(writer + 1);
}

// One tutor: returns its figures as one line of "key=value" words.
int RunWriter(const Options& o, const std::string& classFolder, const std::string& home,
              int writer) {
    HistoryStore store;
    if (!CanSave(store.Open(home + "/history.sqlite", "pc")))
        return 2;
    const PupilId pupil = *store.CurrentPupil();
    if (store.RenamePupil(pupil, PupilName(writer), "3B") != PupilChange::Done)
        return 3;
    std::mt19937 random(static_cast<unsigned>(writer) * 7919u + 1u);
    const auto end = Clock::now() + std::chrono::seconds(o.seconds);
    // The writers start spread over one interval, as pupils do.
    std::this_thread::sleep_for(std::chrono::milliseconds(random() % o.everyMs));
    auto next = Clock::now();
    long recorded = 0, copies = 0, notDone = 0;
    double copyMsSum = 0, copyMsMax = 0;
    std::map<ClassCopyStatus, long> failures;
    while (Clock::now() < end) {
        std::vector<KeystrokeRecord> keys;
        for (int i = 0; i < 40; ++i) {
            const char expected = static_cast<char>('a' + random() % 26);
            const bool wrong = random() % 12 == 0;
            keys.push_back({expected, wrong ? static_cast<char>(expected + 1) : expected,
                            static_cast<std::int32_t>(100 + random() % 300)});
        }
        SentenceRecord s;
        s.finishedAt = std::time(nullptr);
        s.exercise = "stress.ftd";
        s.number = static_cast<std::int16_t>(recorded % kSentencesPerExercise + 1);
        s.speed = 1.0f + static_cast<float>(random() % 400) / 100.0f;
        s.correct = 38;
        s.wrong = 2;
        s.seconds = 20;
        if (store.RecordSentence(pupil, s, keys) != StoreStatus::Ok)
            return 4;
        ++recorded;
        const auto started = Clock::now();
        const ClassCopyStatus status =
            CopyToClassFolder(store, pupil, classFolder, std::time(nullptr));
        const double ms = MsSince(started);
        ++copies;
        copyMsSum += ms;
        copyMsMax = std::max(copyMsMax, ms);
        if (status != ClassCopyStatus::Done) {
            ++notDone;
            ++failures[status];
        }
        next += std::chrono::milliseconds(o.everyMs);
        std::this_thread::sleep_until(next);
    }
    // A copy that found the file busy is made good by the next one; the last
    // sentence gets its own until it goes through.
    int finalTries = 0;
    while (CopyToClassFolder(store, pupil, classFolder, std::time(nullptr)) !=
               ClassCopyStatus::Done &&
           ++finalTries < 20) {
    }
    std::ofstream out(home + "/result.txt");
    out << "recorded=" << recorded << " copies=" << copies << " notdone=" << notDone
        << " busy=" << failures[ClassCopyStatus::Busy] << " copyavgms=" << copyMsSum / copies
        << " copymaxms=" << copyMsMax << " finaltries=" << finalTries << "\n";
    return 0;
}

struct ReaderFigures {
    long passes = 0, files = 0, busyRetried = 0, errors = 0;
    double passMsMax = 0, passMsSum = 0;
    std::vector<std::string> errorTexts;
};

// Reads one pupil file as the teacher's class window does.
bool ReadOne(const fs::path& file, ReaderFigures& f) {
    for (int attempt = 0; attempt < kReaderTries; ++attempt) {
        try {
            HistoryDatabase db(file, SharedFileAccess::Read);
            // Every lock met is counted: the reader waits itself, not SQLite.
            db.SetBusyTimeout(0);
            Transaction snapshot(db, Transaction::Kind::Deferred);
            SqlStatement summary = db.Prepare("SELECT p.name, s.sentences, s.recent_speed "
                                              "FROM pupils p JOIN pupil_summary s "
                                              "ON s.pupil_id = p.id");
            if (!summary.Step())
                throw SqlError(SQLITE_ERROR, "no summary row");
            const std::int64_t inSummary = summary.Int(1);
            const std::int64_t counted = db.QueryInt("SELECT COUNT(*) FROM sentences");
            if (inSummary != counted)
                throw SqlError(SQLITE_ERROR, "summary says " + std::to_string(inSummary) +
                                                 ", the file holds " + std::to_string(counted));
            return true;
        } catch (const SqlError& e) {
            if (e.PrimaryCode() != SQLITE_BUSY && e.PrimaryCode() != SQLITE_LOCKED) {
                ++f.errors;
                f.errorTexts.push_back(file.filename().string() + ": " + e.what());
                return false;
            }
            ++f.busyRetried;
            std::this_thread::sleep_for(std::chrono::milliseconds(kReaderPauseMs));
        }
    }
    ++f.errors;
    f.errorTexts.push_back(file.filename().string() + ": busy through every retry");
    return false;
}

int RunReader(const Options& o, const std::string& classFolder, const std::string& result) {
    ReaderFigures f;
    const auto end = Clock::now() + std::chrono::seconds(o.seconds);
    auto next = Clock::now();
    while (Clock::now() < end) {
        const auto started = Clock::now();
        for (const auto& entry : fs::directory_iterator(classFolder)) {
            if (entry.path().extension() != ".sqlite")
                continue;
            ++f.files;
            ReadOne(entry.path(), f);
        }
        const double ms = MsSince(started);
        ++f.passes;
        f.passMsSum += ms;
        f.passMsMax = std::max(f.passMsMax, ms);
        next += std::chrono::milliseconds(o.readEveryMs);
        std::this_thread::sleep_until(next);
    }
    std::ofstream out(result);
    out << "passes=" << f.passes << " filesread=" << f.files << " busyretried=" << f.busyRetried
        << " errors=" << f.errors << " passavgms=" << (f.passes ? f.passMsSum / f.passes : 0)
        << " passmaxms=" << f.passMsMax << "\n";
    for (const std::string& e : f.errorTexts)
        out << "error: " << e << "\n";
    return f.errors == 0 ? 0 : 1;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::int64_t Value(const std::string& line, const std::string& key) {
    const std::size_t at = line.find(key + "=");
    return at == std::string::npos ? -1 : std::atoll(line.c_str() + at + key.size() + 1);
}

// Every sentence its writer recorded, once, in a whole file.
bool Verify(const std::string& classFolder, const std::string& home, int writer,
            long* recordedOut) {
    const std::string line = Slurp(home + "/result.txt");
    const std::int64_t recorded = Value(line, "recorded");
    *recordedOut = static_cast<long>(recorded);
    const std::vector<std::string> names = ClassFileNames({0, PupilName(writer), "3B"});
    const fs::path file = fs::path(classFolder) / names[0];
    try {
        HistoryDatabase db(file, SharedFileAccess::Read);
        const std::string integrity = db.QueryText("PRAGMA integrity_check");
        const std::int64_t sentences = db.QueryInt("SELECT COUNT(*) FROM sentences");
        const std::int64_t distinct = db.QueryInt("SELECT COUNT(DISTINCT uid) FROM sentences");
        const std::int64_t summary = db.QueryInt("SELECT sentences FROM pupil_summary");
        HistoryDatabase local(home + "/history.sqlite", true);
        const std::int64_t localSentences = local.QueryInt("SELECT COUNT(*) FROM sentences");
        const bool ok = integrity == "ok" && sentences == recorded && distinct == recorded &&
                        summary == recorded && localSentences == recorded;
        if (!ok)
            std::cout << "writer " << writer + 1 << ": integrity " << integrity << ", recorded "
                      << recorded << ", local " << localSentences << ", class " << sentences << " ("
                      << distinct << " distinct, summary " << summary << ")\n";
        return ok;
    } catch (const SqlError& e) {
        std::cout << "writer " << writer + 1 << ": " << e.what() << "\n";
        return false;
    }
}

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--folder" && hasValue)
            o.base = argv[++i];
        else if (a == "--writers" && hasValue)
            o.writers = std::atoi(argv[++i]);
        else if (a == "--seconds" && hasValue)
            o.seconds = std::atoi(argv[++i]);
        else if (a == "--every" && hasValue)
            o.everyMs = std::atoi(argv[++i]);
        else if (a == "--read-every" && hasValue)
            o.readEveryMs = std::atoi(argv[++i]);
        else if (a == "--keep")
            o.keep = true;
        else
            return false;
    }
    return o.writers > 0 && o.seconds > 0 && o.everyMs > 0 && o.readEveryMs > 0;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseOptions(argc, argv, o)) {
        std::cerr << "usage: class_stress [--folder DIR] [--writers N] [--seconds S] "
                     "[--every MS] [--read-every MS] [--keep]\n";
        return 2;
    }
    std::string root = (fs::path(o.base) / "zentavo-class-stress-XXXXXX").string();
    if (::mkdtemp(root.data()) == nullptr) {
        std::perror(o.base.c_str());
        return 2;
    }
    const std::string classFolder = root + "/class";
    fs::create_directories(classFolder);
    std::vector<std::string> homes;
    std::vector<pid_t> children;
    for (int w = 0; w < o.writers; ++w) {
        homes.push_back(root + "/pc" + std::to_string(w + 1));
        fs::create_directories(homes.back());
    }
    const auto started = Clock::now();
    for (int w = 0; w < o.writers; ++w) {
        const pid_t pid = ::fork();
        if (pid == 0)
            ::_exit(RunWriter(o, classFolder, homes[static_cast<std::size_t>(w)], w));
        children.push_back(pid);
    }
    const pid_t reader = ::fork();
    if (reader == 0)
        ::_exit(RunReader(o, classFolder, root + "/reader.txt"));

    int failedProcesses = 0;
    for (const pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            ++failedProcesses;
    }
    int readerStatus = 0;
    ::waitpid(reader, &readerStatus, 0);
    const double seconds = MsSince(started) / 1000.0;

    long recordedAll = 0, copies = 0, notDone = 0, busy = 0;
    double copyMax = 0, copyAvgSum = 0;
    int lost = 0;
    for (int w = 0; w < o.writers; ++w) {
        const std::string& home = homes[static_cast<std::size_t>(w)];
        long recorded = 0;
        if (!Verify(classFolder, home, w, &recorded))
            ++lost;
        recordedAll += recorded;
        const std::string line = Slurp(home + "/result.txt");
        copies += Value(line, "copies");
        notDone += Value(line, "notdone");
        busy += Value(line, "busy");
        copyMax = std::max(copyMax, static_cast<double>(Value(line, "copymaxms")));
        copyAvgSum += static_cast<double>(Value(line, "copyavgms"));
    }
    std::cout << "class folder:      " << classFolder << "\n"
              << "writers:           " << o.writers << " for " << o.seconds
              << " s, a sentence every " << o.everyMs << " ms (" << seconds << " s in all)\n"
              << "sentences:         " << recordedAll << " recorded, files wrong or short: " << lost
              << "\n"
              << "copies:            " << copies << ", not through at once: " << notDone
              << " (busy " << busy << "), avg " << copyAvgSum / o.writers << " ms, max " << copyMax
              << " ms\n"
              << "reader:            " << Slurp(root + "/reader.txt");
    const bool ok = failedProcesses == 0 && lost == 0 && WIFEXITED(readerStatus) &&
                    WEXITSTATUS(readerStatus) == 0;
    std::cout << (ok ? "PASSED" : "FAILED") << "\n";
    if (!o.keep)
        fs::remove_all(root);
    return ok ? 0 : 1;
}
