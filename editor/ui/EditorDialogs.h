#pragma once

#include <optional>
#include <string>

class QWidget;

// The editor window's modal windows, behind a port so that tests can stand
// in for them: the language chooser, the about box and the class window.
class EditorDialogs {
public:
    virtual ~EditorDialogs() = default;
    // Shows the chooser; the new current language when the user confirmed a
    // change, nothing otherwise.
    virtual std::optional<std::string> ChooseLanguage(QWidget* owner, const std::string& current,
                                                      bool startedWithFile) = 0;
    virtual void ShowAbout(QWidget* owner, const std::string& current, bool startedWithFile) = 0;
    // The class window, over the class folder of the settings file.
    virtual void ShowClass(QWidget* owner, const std::string& settingsFile,
                           const std::string& current, bool startedWithFile) = 0;
};
