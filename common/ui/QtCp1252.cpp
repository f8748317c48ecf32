#include "common/ui/QtCp1252.h"

#include "common/core/Cp1252.h"

#include <QFile>

QString ToQString(const std::string& cp1252) {
    QString text;
    text.reserve(static_cast<qsizetype>(cp1252.size()));
    for (const char c : cp1252)
        text.append(QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(c)))));
    return text;
}

std::string FromQString(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    // Every character of the code page lies in the basic plane: a surrogate
    // pair is one character without a byte, and so is a lone surrogate.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        const int byte = ch.isSurrogate() ? -1 : UnicodeToCp1252(ch.unicode());
        bytes += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return bytes;
}

QString PathToQString(const std::string& nativePath) {
    return QFile::decodeName(QByteArray::fromStdString(nativePath));
}

std::string PathFromQString(const QString& path) {
    return QFile::encodeName(path).toStdString();
}
