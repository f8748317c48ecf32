// The tutor's about box: the program's name spelled in single letters, its version, the
// screen and keyboard it needs, the freeware notice, links to the project's web page, a
// personal page and the authors' mail, the help button, and the link that prints the
// keyboard. It plays its opening sound and hands printing back to the main window.
#pragma once

#include "common/ui/AboutBoxBase.h"

#include <functional>
#include <memory>

class HelpPort;
class MessagePort;
class QLabel;
class UiTexts;

class frmAbout : public AboutBoxBase {
    Q_OBJECT
public:
    static constexpr const char* MailAddress = "zentavo@example.org";
    static constexpr const char* WebPage = "https://zentavo.example.org/";
    static constexpr const char* PersonalPage = "https://www.example.org/~zentavo/";
    static constexpr int OpeningSound = 105;

    // What the main window lends to its about box.
    struct Host {
        HelpPort* help = nullptr; // opens the help at its contents
        MessagePort* messages = nullptr;
        std::function<void(int)> playSound; // plays when sounds are on
        std::function<void()> printKeyboard;
    };

    frmAbout(const UiTexts& texts, Host host, QWidget* parent = nullptr);
    ~frmAbout() override;

    // Shows the box modally; when the pupil chose to print the keyboard, the printing starts
    // once the box has closed.
    static void ShowModal(const UiTexts& texts, Host host, QWidget* parent);

    bool PrintRequested() const { return m_printRequested; }

protected:
    void HelpMissing() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class ContentsHelp;
    frmAbout(const UiTexts& texts, Host host, std::unique_ptr<ContentsHelp> help, QWidget* parent);

    void BuildTitleLetters();
    QLabel* AddLink(const QString& name, const QString& caption, const QString& toolTip);
    void lblPrintKey_Click();

    std::unique_ptr<ContentsHelp> m_contentsHelp;
    Host m_host;
    QString m_missingHelpText;
    QLabel* m_printPicture = nullptr;
    QLabel* m_printLabel = nullptr;
    bool m_printRequested = false;
    bool m_soundPlayed = false;
};
