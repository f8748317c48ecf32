#pragma once
// What the tutor's main window needs of the world, gathered in one place so
// that main() hands in the real things and widget tests hand in fakes: the
// clock and random source of the exercise, Caps Lock and the keyboard
// layout, the sounds, message boxes and the bookmark question, the help, the
// results, the language and about windows, and the waits that let events
// run while the start screen is typed out.

#include "common/core/Settings.h"
#include "common/ui/CapsLock.h"
#include "common/ui/HelpViewer.h"
#include "common/ui/KeyboardLayout.h"
#include "common/ui/Messages.h"
#include "tutor/core/TutorPorts.h"
#include "tutor/ui/SoundPlayer.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QString;
class QWidget;
class UiTexts;

// Opens the language window modally; returns the language in use after it.
class LanguageWindowPort {
public:
    virtual ~LanguageWindowPort() = default;
    virtual std::string ChooseLanguage(const std::string& programFolder, const std::string& current,
                                       const UiTexts& texts, QWidget* parent) = 0;
};

// The about window, modal; it may ask for the keyboard to be printed.
class AboutWindowPort {
public:
    virtual ~AboutWindowPort() = default;
    struct Requests {
        std::function<void(int)> playSound; // plays when sounds are on
        std::function<void()> printKeyboard;
    };
    virtual void ShowAbout(const UiTexts& texts, const Requests& requests, QWidget* parent) = 0;
};

struct TutorEnvironment {
    std::string programFolder; // ends in "/"
    // Where the settings are kept and the exercise folders are looked for;
    // beside the program when left empty.
    std::string settingsFile;
    std::vector<std::string> exercisePlaces;
    std::string commandLine; // the arguments as one string
    bool largeScreen = false;
    std::string installerLanguage; // from the user's locale

    Clock* clock = nullptr;
    RandomSource* random = nullptr;
    CapsLockPort* capsLock = nullptr;
    KeyboardLayoutPort* layouts = nullptr;
    SoundOutput* sounds = nullptr;
    MessagePort* messages = nullptr;
    BookmarkQuestion* bookmark = nullptr;
    HelpPort* help = nullptr;
    ResultsPresenter* results = nullptr;
    LanguageWindowPort* language = nullptr;
    AboutWindowPort* about = nullptr;
    // Waits the milliseconds while window events run.
    std::function<void(int)> wait;
    // The shaped key-map window on the start screen.
    bool mapWindow = true;
};

// The date-time clock in whole seconds.
class SystemClock : public Clock {
public:
    std::int64_t Now() const override;
};

class ClockSeededRandom : public RandomSource {
public:
    void Reseed() override;
    double Next() override;

private:
    std::uint64_t m_state = 0x9E3779B97F4A7C15ull;
};

// The exercise's view of Caps Lock, over the platform adapter.
class CapsLockAdapter : public CapsLock {
public:
    explicit CapsLockAdapter(CapsLockPort& port) : m_port(port) {}
    bool IsOn() const override { return m_port.IsCapsLockOn(); }
    void SwitchOff() override { m_port.SwitchCapsLockOff(); }

private:
    CapsLockPort& m_port;
};

// The Yes/No/Cancel box of the course bookmark, titled "Zentavo".
class QtBookmarkQuestion : public BookmarkQuestion {
public:
    explicit QtBookmarkQuestion(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    // Nobody is there to answer (the session is ending): the bookmark stays
    // as it was, as with Cancel.
    void SetUnattended() { m_unattended = true; }
    BookmarkAnswer Ask(const std::string& text) override;

private:
    QWidget* m_parent;
    bool m_unattended = false;
};

class FrmLanguageWindow : public LanguageWindowPort {
public:
    explicit FrmLanguageWindow(MessagePort& messages) : m_messages(messages) {}
    std::string ChooseLanguage(const std::string& programFolder, const std::string& current,
                               const UiTexts& texts, QWidget* parent) override;

private:
    MessagePort& m_messages;
};

class FrmAboutWindow : public AboutWindowPort {
public:
    FrmAboutWindow(HelpPort& help, MessagePort& messages) : m_help(help), m_messages(messages) {}
    void ShowAbout(const UiTexts& texts, const Requests& requests, QWidget* parent) override;

private:
    HelpPort& m_help;
    MessagePort& m_messages;
};

// The screen the tutor needs: at least 800 x 600 pixels; the enlarged
// window on one wider than 1000 or at least 751 pixels high.
enum class ScreenFit { TooSmall, Normal, Large };
ScreenFit CheckScreen(int widthPixels, int heightPixels);
// The six lines shown before the program ends on a screen too small.
QString ResolutionMessage();

// Waits while the window's events run, sleeping between them.
void WaitLettingEventsRun(int milliseconds);

// The real environment of the program, owning what it hands out.
class RealTutorEnvironment {
public:
    RealTutorEnvironment(std::string programFolder, std::string commandLine, bool largeScreen);
    ~RealTutorEnvironment();
    TutorEnvironment& Environment() { return m_environment; }
    SoundPlayer& Sounds() { return *m_sounds; }
    void SetResults(ResultsPresenter* results) { m_environment.results = results; }
    // Message boxes and questions become modal to the main window.
    void SetDialogParent(QWidget* parent);
    QtBookmarkQuestion& Bookmark() { return m_bookmark; }

private:
    TutorEnvironment m_environment;
    SystemClock m_clock;
    ClockSeededRandom m_random;
    X11CapsLock m_capsLock;
    X11KeyboardLayout m_layouts;
    std::unique_ptr<SoundPlayer> m_sounds;
    QtMessagePort m_messages;
    QtBookmarkQuestion m_bookmark;
    std::unique_ptr<HelpViewerPort> m_help;
    std::unique_ptr<FrmLanguageWindow> m_language;
    std::unique_ptr<FrmAboutWindow> m_about;
};
