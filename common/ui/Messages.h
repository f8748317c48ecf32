#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Message boxes of both programs. Windows talk to a MessagePort, never to
// QMessageBox directly, so that widget tests can answer in place of a user.
// Texts arrive as the system composes them, lines joined by CR LF.
class MessagePort {
public:
    virtual ~MessagePort() = default;
    virtual void Show(QMessageBox::Icon icon, const QString& title, const QString& text) = 0;
    // A question with Yes and No buttons and the question icon; true for Yes.
    virtual bool AskYesNo(const QString& title, const QString& text) = 0;
};

// The real boxes, modal to their parent window.
class QtMessagePort : public MessagePort {
public:
    explicit QtMessagePort(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    void Show(QMessageBox::Icon icon, const QString& title, const QString& text) override;
    bool AskYesNo(const QString& title, const QString& text) override;

private:
    QWidget* m_parent;
};

// CR LF (and a lone CR) become the line feed that Qt lays out as a new line.
QString MessageDisplayText(const QString& text);

// Shows the text as given (plain text) in a box wide enough for its longest
// line, up to the screen's width, so that lines break where the text breaks
// them and not where Qt's default width of a message box falls. Call it
// once the box has its text.
void FitMessageBoxToText(QMessageBox& box);
