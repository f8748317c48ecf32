#pragma once

#include <optional>
#include <string>

class QWidget;

// The editor window's modal windows, behind a port so that tests can stand
// in for them: the language chooser and the about box.
class EditorDialogs {
public:
    virtual ~EditorDialogs() = default;
    // Shows the chooser; the new current language when the user confirmed a
    // change, nothing otherwise.
    virtual std::optional<std::string> ChooseLanguage(QWidget* owner, const std::string& current,
                                                      bool startedWithFile) = 0;
    virtual void ShowAbout(QWidget* owner, const std::string& current, bool startedWithFile) = 0;
};
