#include "common/ui/Messages.h"

#include <QWidget>

QString MessageDisplayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void QtMessagePort::Show(QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, MessageDisplayText(text), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtMessagePort::AskYesNo(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, MessageDisplayText(text),
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}
