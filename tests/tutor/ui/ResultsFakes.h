#pragma once

#include "tutor/ui/ResultsPdfExport.h"
#include "tutor/ui/ResultsWindowPorts.h"

#include <QPrinter>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace results_test {

// Answers the results window's questions from prepared lists and records
// every box it was asked to show.
class FakeDialogs : public ResultsDialogPort {
public:
    struct Shown {
        QMessageBox::Icon icon;
        QString title;
        QString text;
    };
    struct Asked {
        QString title;
        QString text;
    };

    std::deque<QString> typedNames;
    std::deque<bool> yesNoAnswers;
    std::vector<Shown> shown;
    std::vector<Asked> textPrompts;
    std::vector<Asked> questions;
    std::function<void()> onAskText; // runs while the input box would be open

    void Show(QMessageBox::Icon icon, const QString& title, const QString& text) override {
        shown.push_back({icon, title, text});
    }
    bool AskYesNo(const QString& title, const QString& text) override {
        questions.push_back({title, text});
        if (yesNoAnswers.empty())
            return false;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    QString AskText(const QString& title, const QString& prompt) override {
        textPrompts.push_back({title, prompt});
        if (onAskText)
            onAskText();
        if (typedNames.empty())
            return {};
        const QString name = typedNames.front();
        typedNames.pop_front();
        return name;
    }
};

class FakeViewer : public FileViewerPort {
public:
    bool answer = true;
    std::vector<QString> opened;
    bool Open(const QString& path) override {
        opened.push_back(path);
        return answer;
    }
};

// A printer that writes PDF files in place of paper.
class PdfFilePrinter : public ResultsPrinterPort {
    QTemporaryDir scratch;

public:
    bool available = true;
    QString folder = scratch.path();
    std::vector<QString> jobs;

    bool Available() const override { return available; }
    std::unique_ptr<QPrinter> NewJob() override {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        jobs.push_back(folder + QStringLiteral("/job%1.pdf").arg(jobs.size() + 1));
        printer->setOutputFileName(jobs.back());
        return printer;
    }
};

} // namespace results_test
