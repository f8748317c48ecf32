#pragma once

#include <QDialog>
#include <QPixmap>
#include <QString>
#include <QUrl>

#include <functional>

class HelpPort;
class QLabel;
class QPushButton;
class QVBoxLayout;

// What both programs' about boxes share: a picture, the program's name, the
// version label, a description, the freeware notice, a help button that
// opens the help at context 1000 and then closes the box, a mail link, and
// a close button. Each program's box fills in its texts and may add links
// of its own to ExtraArea().
class AboutBoxBase : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 1000;

    struct Texts {
        QString caption;
        QString programName;
        QString version; // "Versione 3.0.0"
        QString description;
        QString freeware;
        QString helpIntro; // introduces the help button
        QString helpCaption;
        QString helpToolTip;
        QString closeCaption;
        QString closeToolTip;
        QString mailAddress;
        QString mailSubject;
    };

    using UrlOpener = std::function<void(const QUrl&)>;

    // A mailto: address for a new message with the given subject.
    static QUrl MailUrl(const QString& address, const QString& subject);

    // Replaces how links are opened (the system's browser or mail program).
    void SetUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }

protected:
    AboutBoxBase(HelpPort& help, QWidget* parent);

    void SetTexts(const Texts& texts);
    void SetPicture(const QPixmap& picture);
    QVBoxLayout* ExtraArea() const { return m_extra; }
    // Starts a link's action, then closes the box.
    void OpenLink(const QUrl& url);
    // Tells the user that the help page is missing.
    virtual void HelpMissing() = 0;

private:
    void cmdHelp_Click();

    HelpPort& m_help;
    UrlOpener m_openUrl;
    Texts m_texts;
    QLabel* m_picture;
    QLabel* m_name;
    QLabel* m_version;
    QLabel* m_description;
    QLabel* m_freeware;
    QLabel* m_helpIntro;
    QLabel* m_mail;
    QPushButton* m_helpButton;
    QPushButton* m_closeButton;
    QVBoxLayout* m_extra;
};
