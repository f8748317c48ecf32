#pragma once

#include "common/ui/Messages.h"

#include <QString>

#include <memory>

class QPrinter;
class QWidget;

// The questions of the results window. Tests answer them in place of the
// pupil, so no box ever blocks a widget test.
class ResultsDialogPort : public MessagePort {
public:
    // The input box: what the pupil typed, "" when cancelled.
    virtual QString AskText(const QString& title, const QString& prompt) = 0;
    // The same with a first answer already typed in the box; a box that
    // cannot show one asks as usual.
    virtual QString AskTextWithAnswer(const QString& title, const QString& prompt,
                                      const QString& initial) {
        static_cast<void>(initial);
        return AskText(title, prompt);
    }
};

// The real boxes, modal to the results window. AskYesNo offers No as the
// default answer, since it asks whether to give up printing.
class QtResultsDialogs : public ResultsDialogPort {
public:
    explicit QtResultsDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    void Show(QMessageBox::Icon icon, const QString& title, const QString& text) override;
    bool AskYesNo(const QString& title, const QString& text) override;
    QString AskText(const QString& title, const QString& prompt) override;
    QString AskTextWithAnswer(const QString& title, const QString& prompt,
                              const QString& initial) override;

private:
    QWidget* m_parent;
};

// The printer the results go to.
class ResultsPrinterPort {
public:
    virtual ~ResultsPrinterPort() = default;
    // A printer is available: the default printer has a name.
    virtual bool Available() const = 0;
    // A job on the default printer, not yet begun.
    virtual std::unique_ptr<QPrinter> NewJob() = 0;
};

class DefaultPrinter : public ResultsPrinterPort {
public:
    bool Available() const override;
    std::unique_ptr<QPrinter> NewJob() override;
};
