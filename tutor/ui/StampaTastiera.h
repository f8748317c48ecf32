// StampaTastiera prints the on-screen keyboard exactly as it looks, on one landscape page with
// a caption line under it. Without a printer the page goes to a PDF file in a private
// temporary folder, which is then opened in the desktop's viewer. Printing failures are
// swallowed: the main window simply returns to its Enter prompt.
#pragma once

#include "tutor/core/KeyboardPrintTexts.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class MessagePort;
class QPainter;
class QPrinter;
class UiTexts;

// Draws the keyboard picture and the caption onto a page; the painter's device gives the
// resolution, its origin is the top left corner of the printable area.
void PaintKeyboardPage(QPainter& painter, const QImage& keyboard, const KeyboardCaption& caption,
                       const KeyboardPageLayout& layout = {});

// Sets the printer to landscape and prints the page; false when the printer refused the job.
bool PrintKeyboardPage(QPrinter& printer, const QImage& keyboard, const KeyboardCaption& caption);

class StampaTastiera {
public:
    // What the main window lends to the printing.
    struct Host {
        QPointer<QWidget> keyboard;                // the keyboard picture, copied as it looks
        std::function<void()> markSentenceRunning; // stops the blinking Enter prompt
        std::function<void()> raiseEnterKeys;      // both parts of Enter drawn raised
        std::function<void()> flashBotton;         // the Enter prompt again
    };
    // The platform's side, replaced by tests.
    struct Devices {
        std::function<void(int)> wait; // waits the milliseconds, letting events run
        std::function<bool()> printerAvailable;
        std::function<void(const QString&)> openFile; // shows a written PDF file
        std::function<QString()> pdfFolder;           // where the PDF stands in for a printer
    };
    static Devices DefaultDevices();

    StampaTastiera(Host host, const UiTexts& texts, MessagePort& messages,
                   Devices devices = DefaultDevices());

    void Run();

    // The PDF file written by the last run without a printer, or empty.
    const QString& LastPdfFile() const { return m_lastPdf; }

private:
    void Print(const QImage& keyboard);

    Host m_host;
    const UiTexts& m_texts;
    MessagePort& m_messages;
    Devices m_devices;
    QString m_lastPdf;
};
