// keytoscreen: what a pupil feels of the tutor's speed, measured from the
// outside. It starts a private Xvfb with the Italian layout, runs the
// release tutor on an exercise file in a fresh program folder and home,
// types the whole exercise through XTEST and times each key from the
// synthetic press to the first XDamage report on the tutor's main window,
// which is when the first changed pixels have reached the display server.
//
// Per round it reports: start to the first window mapped, resident memory
// 5 s after start and after the whole exercise, CPU while idle on the start
// screen and inside a sentence, the key-to-screen median and p90, and the
// CPU per keystroke (on-CPU time of all the tutor's threads over the typed
// sentences). The summary gives the median of each figure over the rounds.
//
// The exercise must have five sentences per level, so that the tutor gives
// them in file order and the tool knows what to type.
//
// Usage: keytoscreen [--rounds N] [--gap-ms N] [--size WxH] TUTOR EXERCISE.ftd

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {

constexpr int kLevels = 3;
constexpr int kSentencesPerLevel = 5;
constexpr int kSentenceCount = kLevels * kSentencesPerLevel;
constexpr int kMinimumKeys = 100;
// When resident memory is read after start, as the figures are defined.
constexpr milliseconds kMemoryAfterStart{5000};
// How long the idle CPU is sampled on the start screen and in a sentence.
constexpr milliseconds kIdleSample{4000};
// Longer than any key should take; a key that never shows counts as missed.
constexpr milliseconds kKeyTimeout{1000};
// The start screen types itself out; Enter before it ends starts nothing.
constexpr milliseconds kWindowTimeout{20000};
// The tutor pauses up to three seconds after a sentence.
constexpr milliseconds kStartTimeout{15000};
constexpr milliseconds kEnterRepeat{400};
constexpr milliseconds kModifierSettle{15};
constexpr milliseconds kSettleBeforeTyping{400};
constexpr milliseconds kMapSlide{1500};
constexpr int kMainWindowMinWidth = 800;
// Windows-1252 bytes that need more than their Latin-1 value.
constexpr unsigned char kCp1252Euro = 0x80;
constexpr unsigned char kCp1252BrokenBar = 0xA6;
constexpr std::string_view kLevelSection = "[Livello";

double msSince(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Ends the round: the processes it started are stopped on the way out.
[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what);
}

double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

// -- the exercise file -----------------------------------------------------------

std::string trimLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    return line;
}

// The fifteen sentences in the order the tutor gives them, as bytes; a line
// break inside a sentence (two broken bars in the file) becomes "\r".
std::vector<std::string> readExercise(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        fail("cannot read " + file.string());
    std::map<int, std::map<int, std::string>> levels;
    int level = 0;
    std::string line;
    while (std::getline(in, line)) {
        line = trimLineEnd(line);
        if (line.rfind(kLevelSection, 0) == 0) {
            level = std::atoi(line.c_str() + kLevelSection.size());
            continue;
        }
        if (!line.empty() && line[0] == '[') {
            level = 0;
            continue;
        }
        const auto eq = line.find('=');
        if (level < 1 || level > kLevels || eq == std::string::npos)
            continue;
        const int number = std::atoi(line.substr(0, eq).c_str());
        std::string text;
        const std::string value = line.substr(eq + 1);
        const char bar = static_cast<char>(kCp1252BrokenBar);
        for (size_t k = 0; k < value.size(); ++k) {
            if (value[k] == bar && k + 1 < value.size() && value[k + 1] == bar) {
                text.push_back('\r');
                ++k;
            } else {
                text.push_back(value[k]);
            }
        }
        if (!text.empty())
            levels[level][number] = text;
    }
    std::vector<std::string> sentences;
    for (int l = 1; l <= kLevels; ++l) {
        if (levels[l].count(kSentencesPerLevel + 1) != 0)
            fail("level " + std::to_string(l) +
                 " has more than five sentences: the tutor would draw them at random");
        for (int n = 1; n <= kSentencesPerLevel; ++n) {
            if (levels[l].count(n) == 0)
                fail("level " + std::to_string(l) + " lacks sentence " + std::to_string(n));
            sentences.push_back(levels[l][n]);
        }
    }
    return sentences;
}

// -- processes -------------------------------------------------------------------

pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env,
            const std::string& logFile = {}) {
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid < 0)
        fail("fork failed");
    if (pid == 0) {
        for (const std::string& e : env)
            putenv(const_cast<char*>(e.c_str()));
        if (!logFile.empty()) {
            if (std::freopen(logFile.c_str(), "w", stdout) == nullptr ||
                dup2(fileno(stdout), STDERR_FILENO) < 0)
                _exit(126);
        }
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    return pid;
}

// What an interrupted run (Ctrl+C) must not leave behind: the tutor and the
// X server of the current round.
volatile sig_atomic_t g_tutorPid = -1;
volatile sig_atomic_t g_xvfbPid = -1;

extern "C" void endRoundOnSignal(int signal) {
    for (const pid_t pid : {static_cast<pid_t>(g_tutorPid), static_cast<pid_t>(g_xvfbPid)}) {
        if (pid > 0)
            kill(pid, SIGKILL);
    }
    _exit(128 + signal);
}

void stop(pid_t pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 50; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// On-CPU nanoseconds of every thread of a process (the scheduler's exact
// account of utime + stime).
double cpuMs(pid_t pid) {
    double total = 0;
    const fs::path tasks = fs::path("/proc") / std::to_string(pid) / "task";
    std::error_code ec;
    for (const auto& task : fs::directory_iterator(tasks, ec)) {
        std::ifstream in(task.path() / "schedstat");
        unsigned long long ns = 0;
        if (in >> ns)
            total += static_cast<double>(ns) / 1e6;
    }
    return total;
}

double residentMb(pid_t pid) {
    std::ifstream in(fs::path("/proc") / std::to_string(pid) / "status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    }
    return 0.0;
}

struct Xvfb {
    pid_t pid = -1;
    std::string display;
};

Xvfb startXvfb(const std::string& size) {
    int fds[2];
    if (pipe(fds) != 0)
        fail("pipe failed");
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid < 0)
        fail("fork failed");
    if (pid == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        const std::string screen = size + "x24";
        int devnull = open("/dev/null", O_WRONLY);
        if (devnull >= 0) {
            dup2(devnull, STDOUT_FILENO);
            dup2(devnull, STDERR_FILENO);
        }
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-noreset",
               "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty()) {
        stop(pid);
        fail("Xvfb did not start");
    }
    return {pid, ":" + number};
}

// -- the display -----------------------------------------------------------------

// Windows of the tutor come and go while the tool looks at them; a request
// about one that has just gone fails, and the caller sees the failure.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

struct KeyStroke {
    KeyCode code = 0;
    bool shift = false;
    bool altGr = false;
};

class Desktop {
public:
    explicit Desktop(const std::string& display) {
        m_dpy = XOpenDisplay(display.c_str());
        if (m_dpy == nullptr)
            fail("cannot open display " + display);
        XSetErrorHandler(ignoreXError);
        int major = 0;
        int minor = 0;
        int error = 0;
        int opcode = 0;
        if (!XTestQueryExtension(m_dpy, &m_xtestEvent, &error, &major, &minor))
            fail("the display has no XTEST");
        if (!XDamageQueryExtension(m_dpy, &m_damageEvent, &error))
            fail("the display has no DAMAGE");
        int xkbEvent = 0;
        major = XkbMajorVersion;
        minor = XkbMinorVersion;
        if (!XkbQueryExtension(m_dpy, &opcode, &xkbEvent, &error, &major, &minor))
            fail("the display has no XKB");
        m_root = DefaultRootWindow(m_dpy);
        XSelectInput(m_dpy, m_root, SubstructureNotifyMask);
        m_netWmName = XInternAtom(m_dpy, "_NET_WM_NAME", False);
        m_utf8 = XInternAtom(m_dpy, "UTF8_STRING", False);
        XSync(m_dpy, False);
    }
    ~Desktop() {
        if (m_damage != 0)
            XDamageDestroy(m_dpy, m_damage);
        XCloseDisplay(m_dpy);
    }
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // The keys of the active layout, read after setxkbmap.
    void ReadLayout() {
        int minCode = 0;
        int maxCode = 0;
        XDisplayKeycodes(m_dpy, &minCode, &maxCode);
        m_keys.clear();
        for (int level = 3; level >= 0; --level) {
            for (int code = maxCode; code >= minCode; --code) {
                const KeySym sym = XkbKeycodeToKeysym(m_dpy, static_cast<KeyCode>(code), 0, level);
                if (sym != NoSymbol)
                    m_keys[sym] = {static_cast<KeyCode>(code), (level & 1) != 0, level >= 2};
            }
        }
        m_shift = XKeysymToKeycode(m_dpy, XK_Shift_L);
        m_altGr = XKeysymToKeycode(m_dpy, XK_ISO_Level3_Shift);
        m_alt = XKeysymToKeycode(m_dpy, XK_Alt_L);
    }

    std::optional<KeyStroke> StrokeFor(unsigned char byte) const {
        KeySym sym = byte;
        if (byte == '\r')
            sym = XK_Return;
        else if (byte == kCp1252Euro)
            sym = XK_EuroSign;
        const auto it = m_keys.find(sym);
        if (it == m_keys.end())
            return std::nullopt;
        return it->second;
    }

    // Handles what the display reports until `done` says so or time runs
    // out; true when done.
    template <typename Done> bool Pump(Clock::time_point deadline, Done done) {
        for (;;) {
            while (XPending(m_dpy) > 0) {
                XEvent e;
                XNextEvent(m_dpy, &e);
                handle(e);
            }
            if (done())
                return true;
            const auto left =
                std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                return false;
            pollfd p{ConnectionNumber(m_dpy), POLLIN, 0};
            poll(&p, 1, static_cast<int>(std::min<long long>(left, 50)));
        }
    }
    void Idle(milliseconds time) {
        Pump(Clock::now() + time, [] { return false; });
    }

    // The first window mapped since `since` (a count of map events).
    std::optional<Window> MappedSince(size_t since, Window except1, Window except2) const {
        for (size_t i = since; i < m_mapped.size(); ++i) {
            const Window w = m_mapped[i].window;
            if (w != except1 && w != except2 && isViewable(w))
                return w;
        }
        return std::nullopt;
    }
    size_t MapCount() const { return m_mapped.size(); }
    std::optional<Clock::time_point> FirstMapTime() const {
        if (m_mapped.empty())
            return std::nullopt;
        return m_mapped.front().at;
    }

    std::optional<Window> MainWindow() const {
        for (const auto& m : m_mapped) {
            XWindowAttributes a;
            if (XGetWindowAttributes(m_dpy, m.window, &a) && a.map_state == IsViewable &&
                a.width >= kMainWindowMinWidth)
                return m.window;
        }
        return std::nullopt;
    }

    bool isViewable(Window w) const {
        XWindowAttributes a;
        return XGetWindowAttributes(m_dpy, w, &a) && a.map_state == IsViewable;
    }

    void WatchDamage(Window w) {
        m_damage = XDamageCreate(m_dpy, w, XDamageReportNonEmpty);
        XSync(m_dpy, False);
    }

    std::string Caption(Window w) const {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        std::string name;
        if (XGetWindowProperty(m_dpy, w, m_netWmName, 0, 1024, False, m_utf8, &type, &format,
                               &count, &after, &data) == Success &&
            data != nullptr) {
            name.assign(reinterpret_cast<char*>(data), count);
            XFree(data);
        }
        return name;
    }

    void Focus(Window w) {
        XSetInputFocus(m_dpy, w, RevertToParent, CurrentTime);
        XSync(m_dpy, False);
    }

    void Press(KeyCode code, bool down) {
        XTestFakeKeyEvent(m_dpy, code, down ? True : False, CurrentTime);
        XFlush(m_dpy);
    }
    void Tap(KeyCode code) {
        Press(code, true);
        Press(code, false);
    }
    void TapReturn() { Tap(XKeysymToKeycode(m_dpy, XK_Return)); }
    // A button of a dialog by its access key.
    void AltKey(KeySym letter) {
        Press(m_alt, true);
        Tap(XKeysymToKeycode(m_dpy, letter));
        Press(m_alt, false);
    }

    // Types one key and returns the milliseconds from its press to the
    // first damage on the watched window, or nothing when none came.
    std::optional<double> TimedStroke(const KeyStroke& k, milliseconds gap) {
        if (k.shift)
            Press(m_shift, true);
        if (k.altGr)
            Press(m_altGr, true);
        if (k.shift || k.altGr)
            Idle(kModifierSettle);
        // The window must be quiet when the key goes down: damage left over
        // (a clock tick, the rest of the last keystroke) would keep the
        // next report from coming.
        do {
            m_damaged = false;
            XDamageSubtract(m_dpy, m_damage, None, None);
            XSync(m_dpy, False);
            Pump(Clock::now(), [] { return true; });
        } while (m_damaged);
        const Clock::time_point pressed = Clock::now();
        Press(k.code, true);
        const bool seen = Pump(pressed + kKeyTimeout, [this] { return m_damaged; });
        const Clock::time_point shown = m_damagedAt;
        Press(k.code, false);
        if (k.altGr)
            Press(m_altGr, false);
        if (k.shift)
            Press(m_shift, false);
        Idle(gap);
        if (!seen)
            return std::nullopt;
        return msSince(pressed, shown);
    }

private:
    struct Mapped {
        Window window;
        Clock::time_point at;
    };
    void handle(const XEvent& e) {
        if (e.type == MapNotify && e.xmap.event == m_root && !e.xmap.override_redirect) {
            m_mapped.push_back({e.xmap.window, Clock::now()});
        } else if (e.type == m_damageEvent + XDamageNotify) {
            const auto& d = reinterpret_cast<const XDamageNotifyEvent&>(e);
            if (d.damage == m_damage && !m_damaged) {
                m_damaged = true;
                m_damagedAt = Clock::now();
            }
        }
    }

    Display* m_dpy = nullptr;
    Window m_root = 0;
    int m_xtestEvent = 0;
    int m_damageEvent = 0;
    Atom m_netWmName = 0;
    Atom m_utf8 = 0;
    Damage m_damage = 0;
    bool m_damaged = false;
    Clock::time_point m_damagedAt;
    std::vector<Mapped> m_mapped;
    std::map<KeySym, KeyStroke> m_keys;
    KeyCode m_shift = 0;
    KeyCode m_altGr = 0;
    KeyCode m_alt = 0;
};

// -- one round -------------------------------------------------------------------

struct Round {
    double startMs = 0;
    double rssAfterStartMb = 0;
    double idleStartPercent = 0;
    double idleSentencePercent = 0;
    double keyMedianMs = 0;
    double keyP90Ms = 0;
    double cpuPerKeyMs = 0;
    double rssAfterExerciseMb = 0;
    size_t keys = 0;
    size_t missed = 0;
};

struct Options {
    int rounds = 5;
    milliseconds gap{60};
    std::string size = "1024x768";
    fs::path tutor;
    fs::path exercise;
};

void copyProgramFolder(const fs::path& from, const fs::path& to) {
    fs::create_directories(to);
    fs::copy_file(from, to / from.filename());
    for (const char* data : {"modules", "Lang", "Esercizi", "CorsoZentavo", "help"}) {
        if (fs::exists(from.parent_path() / data))
            fs::copy(from.parent_path() / data, to / data, fs::copy_options::recursive);
    }
}

// Presses Enter until the caption of the main window changes from `before`.
std::string startSentence(Desktop& desk, Window main, const std::string& before) {
    const auto deadline = Clock::now() + kStartTimeout;
    while (Clock::now() < deadline) {
        desk.Focus(main);
        desk.TapReturn();
        std::string now;
        if (desk.Pump(Clock::now() + kEnterRepeat, [&] {
                now = desk.Caption(main);
                return now != before;
            }))
            return now;
    }
    fail("the sentence after [" + before + "] never started");
}

// Presses Enter until the results window opens, then "Continua" (Alt+C).
void passResults(Desktop& desk, Window main, Window map) {
    const auto deadline = Clock::now() + kStartTimeout;
    const size_t since = desk.MapCount();
    std::optional<Window> results;
    while (!results && Clock::now() < deadline) {
        desk.Focus(main);
        desk.TapReturn();
        desk.Pump(Clock::now() + milliseconds(1000),
                  [&] { return (results = desk.MappedSince(since, main, map)).has_value(); });
    }
    if (!results)
        fail("no results window");
    desk.Idle(milliseconds(500));
    desk.Focus(*results);
    desk.AltKey(XK_c);
    if (!desk.Pump(Clock::now() + kStartTimeout, [&] { return !desk.isViewable(*results); }))
        fail("the results window stayed open");
}

Round runRound(const Options& o, const std::vector<std::string>& sentences, const std::string& size,
               const fs::path& work) {
    const Xvfb x = startXvfb(size);
    g_xvfbPid = x.pid;
    Round round;
    pid_t tutor = -1;
    try {
        const pid_t layout = spawn({"setxkbmap", "-display", x.display, "it"}, {});
        int status = 0;
        waitpid(layout, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            throw std::runtime_error("setxkbmap it failed");
        Desktop desk(x.display);
        desk.ReadLayout();

        const fs::path folder = work / "Programma";
        const fs::path home = work / "home";
        const fs::path runtime = work / "runtime";
        copyProgramFolder(o.tutor, folder);
        // The tutor takes a command-line exercise from its exercise folder.
        const fs::path exercise = folder / "Esercizi" / o.exercise.filename();
        fs::create_directories(exercise.parent_path());
        fs::copy_file(o.exercise, exercise, fs::copy_options::overwrite_existing);
        fs::create_directories(home);
        fs::create_directories(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
        const std::vector<std::string> env = {"DISPLAY=" + x.display,
                                              "HOME=" + home.string(),
                                              "XDG_RUNTIME_DIR=" + runtime.string(),
                                              "XDG_CONFIG_HOME=" + (home / ".config").string(),
                                              "LANG=C.UTF-8",
                                              "LC_ALL=C.UTF-8",
                                              "QT_QPA_PLATFORM=xcb"};

        const Clock::time_point launched = Clock::now();
        g_tutorPid = tutor = spawn({(folder / o.tutor.filename()).string(), exercise.string()}, env,
                                   (work / "tutor.log").string());
        std::optional<Window> main;
        if (!desk.Pump(launched + kWindowTimeout,
                       [&] { return (main = desk.MainWindow()).has_value(); }))
            throw std::runtime_error("the tutor showed no main window");
        round.startMs = msSince(launched, *desk.FirstMapTime());
        desk.WatchDamage(*main);

        // The start screen ends by sliding in the key map, a second window.
        std::optional<Window> map;
        desk.Pump(launched + kWindowTimeout,
                  [&] { return (map = desk.MappedSince(0, *main, 0)).has_value(); });
        desk.Pump(launched + kMemoryAfterStart, [] { return false; });
        round.rssAfterStartMb = residentMb(tutor);
        desk.Idle(kMapSlide);
        double cpu0 = cpuMs(tutor);
        auto t0 = Clock::now();
        desk.Idle(kIdleSample);
        round.idleStartPercent = 100.0 * (cpuMs(tutor) - cpu0) / msSince(t0, Clock::now());

        std::vector<double> keyMs;
        double typingCpu = 0;
        std::string caption = desk.Caption(*main);
        for (int n = 1; n <= kSentenceCount; ++n) {
            if (n == kSentencesPerLevel + 1 || n == 2 * kSentencesPerLevel + 1)
                passResults(desk, *main, map.value_or(0));
            caption = startSentence(desk, *main, caption);
            desk.Idle(kSettleBeforeTyping);
            desk.Focus(*main);
            const std::string& text = sentences[static_cast<size_t>(n - 1)];
            for (size_t i = 0; i < text.size(); ++i) {
                const auto stroke = desk.StrokeFor(static_cast<unsigned char>(text[i]));
                if (!stroke)
                    throw std::runtime_error("no key for byte " +
                                             std::to_string(static_cast<unsigned char>(text[i])));
                const double before = cpuMs(tutor);
                const auto ms = desk.TimedStroke(*stroke, o.gap);
                typingCpu += cpuMs(tutor) - before;
                if (ms)
                    keyMs.push_back(*ms);
                else
                    ++round.missed;
                if (n == 1 && i == 0) {
                    // The clock runs now: the quiet of a pupil who stops to think.
                    cpu0 = cpuMs(tutor);
                    t0 = Clock::now();
                    desk.Idle(kIdleSample);
                    round.idleSentencePercent =
                        100.0 * (cpuMs(tutor) - cpu0) / msSince(t0, Clock::now());
                }
            }
        }
        passResults(desk, *main, map.value_or(0));
        desk.Idle(milliseconds(1000));
        round.rssAfterExerciseMb = residentMb(tutor);
        round.keys = keyMs.size();
        round.keyMedianMs = percentile(keyMs, 0.5);
        round.keyP90Ms = percentile(keyMs, 0.9);
        round.cpuPerKeyMs =
            typingCpu / static_cast<double>(std::max<size_t>(1, keyMs.size() + round.missed));
    } catch (...) {
        stop(tutor);
        stop(x.pid);
        g_tutorPid = -1;
        g_xvfbPid = -1;
        throw;
    }
    stop(tutor);
    stop(x.pid);
    g_tutorPid = -1;
    g_xvfbPid = -1;
    return round;
}

Options parse(int argc, char** argv) {
    Options o;
    std::vector<std::string> rest;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                fail(a + " needs a value");
            return argv[++i];
        };
        if (a == "--rounds")
            o.rounds = std::max(1, std::atoi(value().c_str()));
        else if (a == "--gap-ms")
            o.gap = milliseconds(std::max(0, std::atoi(value().c_str())));
        else if (a == "--size")
            o.size = value();
        else if (a == "-h" || a == "--help")
            fail("usage: keytoscreen [--rounds N] [--gap-ms N] [--size WxH] TUTOR EXERCISE.ftd");
        else
            rest.push_back(a);
    }
    if (rest.size() != 2)
        fail("usage: keytoscreen [--rounds N] [--gap-ms N] [--size WxH] TUTOR EXERCISE.ftd");
    o.tutor = fs::absolute(rest[0]);
    o.exercise = fs::absolute(rest[1]);
    return o;
}

double medianOf(const std::vector<Round>& rounds, double Round::*field) {
    std::vector<double> v;
    for (const Round& r : rounds)
        v.push_back(r.*field);
    return percentile(v, 0.5);
}

} // namespace

int main(int argc, char** argv) try {
    std::signal(SIGINT, endRoundOnSignal);
    std::signal(SIGTERM, endRoundOnSignal);
    const Options o = parse(argc, argv);
    const std::vector<std::string> sentences = readExercise(o.exercise);
    size_t keys = 0;
    for (const std::string& s : sentences)
        keys += s.size();
    if (keys < static_cast<size_t>(kMinimumKeys))
        fail("the exercise has " + std::to_string(keys) + " keys; at least " +
             std::to_string(kMinimumKeys) + " are needed");

    std::printf("tutor %s, exercise %s (%zu keys), screen %s, %lld ms between keys\n",
                o.tutor.c_str(), o.exercise.filename().c_str(), keys, o.size.c_str(),
                static_cast<long long>(o.gap.count()));
    std::printf("%5s %9s %9s %11s %11s %9s %9s %9s %9s %6s\n", "round", "start-ms", "rss5s-MB",
                "idle-start%", "idle-sent%", "key-med", "key-p90", "cpu/key", "rssEnd-MB", "keys");
    std::vector<Round> rounds;
    for (int r = 1; r <= o.rounds; ++r) {
        char pattern[] = "/tmp/keytoscreen-XXXXXX";
        if (mkdtemp(pattern) == nullptr)
            fail("cannot make a scratch folder");
        const fs::path work = pattern;
        const Round round = runRound(o, sentences, o.size, work);
        std::error_code ec;
        fs::remove_all(work, ec);
        rounds.push_back(round);
        std::printf("%5d %9.1f %9.1f %11.4f %11.4f %9.3f %9.3f %9.3f %9.1f %6zu%s\n", r,
                    round.startMs, round.rssAfterStartMb, round.idleStartPercent,
                    round.idleSentencePercent, round.keyMedianMs, round.keyP90Ms, round.cpuPerKeyMs,
                    round.rssAfterExerciseMb, round.keys,
                    round.missed != 0 ? (" missed " + std::to_string(round.missed)).c_str() : "");
        std::fflush(stdout);
    }
    std::printf(
        "%5s %9.1f %9.1f %11.4f %11.4f %9.3f %9.3f %9.3f %9.1f\n", "median",
        medianOf(rounds, &Round::startMs), medianOf(rounds, &Round::rssAfterStartMb),
        medianOf(rounds, &Round::idleStartPercent), medianOf(rounds, &Round::idleSentencePercent),
        medianOf(rounds, &Round::keyMedianMs), medianOf(rounds, &Round::keyP90Ms),
        medianOf(rounds, &Round::cpuPerKeyMs), medianOf(rounds, &Round::rssAfterExerciseMb));
    return 0;
} catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "keytoscreen: %s\n", e.what());
    return 1;
}
