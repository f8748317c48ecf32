#include "tutor/ui/ResultsWindowPorts.h"

#include "common/ui/DefaultPrinterQuery.h"

#include <QInputDialog>
#include <QPrinter>
#include <QPrinterInfo>

void QtResultsDialogs::Show(QMessageBox::Icon icon, const QString& title, const QString& text) {
    QtMessagePort(m_parent).Show(icon, title, text);
}

bool QtResultsDialogs::AskYesNo(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, MessageDisplayText(text),
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    FitMessageBoxToText(box);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString QtResultsDialogs::AskText(const QString& title, const QString& prompt) {
    return AskTextWithAnswer(title, prompt, QString());
}

QString QtResultsDialogs::AskTextWithAnswer(const QString& title, const QString& prompt,
                                            const QString& initial) {
    bool accepted = false;
    const QString text = QInputDialog::getText(m_parent, title, MessageDisplayText(prompt),
                                               QLineEdit::Normal, initial, &accepted);
    return accepted ? text : QString();
}

bool DefaultPrinter::Available() const {
    return DefaultPrinterExists();
}

std::unique_ptr<QPrinter> DefaultPrinter::NewJob() {
    return std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
}
