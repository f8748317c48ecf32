#pragma once
// Fakes of everything the main window reaches outside itself, and a fixture
// that opens the window on a program folder of its own, ready at the start
// screen. Waits return at once, the clock moves only when a test moves it.

#include "common/core/Cp1252.h"
#include "tutor/core/ResultsTable.h"
#include "tutor/ui/TutorPlatform.h"
#include "tutor/ui/frmZentavo.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace fakes {

class Clock : public ::Clock {
public:
    std::int64_t Now() const override { return now; }
    std::int64_t now = 1'000'000;
};

// Always the same fraction: the first sentence of each level's range.
class Random : public RandomSource {
public:
    void Reseed() override {}
    double Next() override { return value; }
    double value = 0.0;
};

class CapsLock : public CapsLockPort {
public:
    bool IsCapsLockOn() override { return on; }
    void SwitchCapsLockOff() override {
        on = false;
        ++switchedOff;
    }
    bool on = false;
    int switchedOff = 0;
};

class Layouts : public KeyboardLayoutPort {
public:
    std::string ActiveLayoutName() override { return active; }
    bool LoadLayout(const std::string& name) override {
        loads.push_back(name);
        if (!accepts)
            return false;
        active = name;
        return true;
    }
    std::string active = "00000410";
    bool accepts = true;
    std::vector<std::string> loads;
};

class Sounds : public SoundOutput {
public:
    void Play(int number) override { played.push_back(number); }
    void Start() override { started = true; }
    int count(int number) const {
        return static_cast<int>(std::count(played.begin(), played.end(), number));
    }
    std::vector<int> played;
    bool started = false;
};

class Messages : public MessagePort {
public:
    struct Shown {
        QMessageBox::Icon icon;
        QString title;
        QString text;
    };
    void Show(QMessageBox::Icon icon, const QString& title, const QString& text) override {
        shown.push_back({icon, title, text});
    }
    bool AskYesNo(const QString& title, const QString& text) override {
        asked.push_back({QMessageBox::Question, title, text});
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<Shown> shown;
    std::vector<Shown> asked;
    std::deque<bool> answers;
};

class Bookmark : public BookmarkQuestion {
public:
    BookmarkAnswer Ask(const std::string& text) override {
        asked.push_back(text);
        return answer;
    }
    BookmarkAnswer answer = BookmarkAnswer::Cancel;
    std::vector<std::string> asked;
};

class Help : public HelpPort {
public:
    bool ShowHelpTopic(int topic) override {
        topics.push_back(topic);
        return available;
    }
    bool available = true;
    std::vector<int> topics;
};

class Results : public ResultsPresenter {
public:
    void ShowResults(const ResultsTable& results, Answered answered) override {
        shown.push_back(results);
        answered(answer);
    }
    std::int16_t answer = 0;
    std::vector<ResultsTable> shown;
};

class Language : public LanguageWindowPort {
public:
    std::string ChooseLanguage(const std::string&, const std::string& current, const UiTexts&,
                               QWidget*) override {
        ++opened;
        return chosen.empty() ? current : chosen;
    }
    std::string chosen;
    int opened = 0;
};

class About : public AboutWindowPort {
public:
    void ShowAbout(const UiTexts&, const Requests&, QWidget*) override { ++opened; }
    int opened = 0;
};

} // namespace fakes

// Runs the event loop until done() holds or the milliseconds have passed;
// false when it never held. Unlike QTRY_VERIFY it fails the test case, and
// it never sleeps, so steps that come at 0 ms run at once.
inline bool WaitUntil(const std::function<bool()>& done, int milliseconds = 5000) {
    const QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// Writes Windows-1252 bytes given in UTF-8 source text.
inline void WriteCp1252File(const QString& path, const std::string& utf8) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const std::string bytes = Utf8ToCp1252(utf8);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

class TutorWindowTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    TutorEnvironment Environment() {
        TutorEnvironment e;
        e.programFolder = folder.path().toStdString() + "/";
        e.commandLine = commandLine;
        e.largeScreen = largeScreen;
        e.clock = &clock;
        e.random = &random;
        e.capsLock = &caps;
        e.layouts = &layouts;
        e.sounds = &sounds;
        e.messages = &messages;
        e.bookmark = &bookmark;
        e.help = &help;
        e.results = &results;
        e.language = &language;
        e.about = &about;
        e.sequencePace = 0;
        e.mapWindow = false;
        return e;
    }

    // Opens the window and waits for the start screen to be typed out.
    void Open() {
        window = std::make_unique<frmZentavo>(Environment());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(WaitUntil([this] { return window->Run().Screen().startEnabled; }));
        ASSERT_FALSE(window->WelcomeRunning());
    }

    template <typename T = QWidget> T* Control(const QString& name) const {
        auto* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QWidget* Input() const { return Control(QStringLiteral("txtInput")); }

    // Types text into the input box as a keyboard would: one key event per
    // character, "\n" as the Enter key.
    void Type(const QString& text) {
        for (const QChar ch : text) {
            if (ch == QLatin1Char('\n'))
                QTest::keyClick(Input(), Qt::Key_Return);
            else
                QTest::sendKeyEvent(QTest::Click, Input(), Qt::Key_unknown, QString(ch),
                                    Qt::NoModifier);
        }
    }
    void Enter() { QTest::keyClick(Input(), Qt::Key_Return); }
    // Moves the clock past the pause after a sentence and lets it end.
    void EndPause() {
        clock.now += 3;
        ASSERT_TRUE(WaitUntil([this] { return !window->Run().Screen().busy; }, 3000));
    }
    QString Caption() const { return window->windowTitle(); }
    QString LabelText(const QString& name) const { return Control<QLabel>(name)->text(); }

    QTemporaryDir folder;
    std::string commandLine;
    bool largeScreen = false;
    fakes::Clock clock;
    fakes::Random random;
    fakes::CapsLock caps;
    fakes::Layouts layouts;
    fakes::Sounds sounds;
    fakes::Messages messages;
    fakes::Bookmark bookmark;
    fakes::Help help;
    fakes::Results results;
    fakes::Language language;
    fakes::About about;
    std::unique_ptr<frmZentavo> window;
};
