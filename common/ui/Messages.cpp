#include "common/ui/Messages.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {
// What a message box takes beside its text: the icon and the margins.
constexpr int kBesideTheText = 160;
// Room for the rounding of the text's width against the label's.
constexpr int kTextSlack = 4;
} // namespace

QString MessageDisplayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void FitMessageBoxToText(QMessageBox& box) {
    box.setTextFormat(Qt::PlainText);
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (label == nullptr)
        return;
    label->ensurePolished();
    const QFontMetrics metrics = label->fontMetrics();
    int widest = 0;
    for (const QString& line : box.text().split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().width() - kBesideTheText : widest;
    label->setMinimumWidth(std::max(0, std::min(widest + kTextSlack, room)));
}

void QtMessagePort::Show(QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, MessageDisplayText(text), QMessageBox::Ok, m_parent);
    FitMessageBoxToText(box);
    box.exec();
}

bool QtMessagePort::AskYesNo(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, MessageDisplayText(text),
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    FitMessageBoxToText(box);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}
