// The boundary between Qt's UTF-16 strings and the Windows-1252 bytes every
// text of the core holds. The ui layer converts only through these two.
#pragma once

#include <QString>
#include <string>

QString ToQString(const std::string& cp1252);
// Characters Windows-1252 lacks, and unpaired surrogates, become '?'.
std::string FromQString(const QString& text);

// Paths are not texts of the code page: they go between Qt and the core as
// the system's bytes, through the file-name codec.
QString PathToQString(const std::string& nativePath);
std::string PathFromQString(const QString& path);
