#pragma once

#include <string>

// The pupil's name is typed freely but becomes part of a file name: these
// helpers turn it into one plain, readable name inside a folder, so that no
// typed name can point elsewhere, hide the file or leave it nameless.

// The name with every folder separator, control character and character that
// common file systems refuse replaced by "_", runs of dots reduced to one
// dot, blanks and dots trimmed at both ends, at most 60 bytes; "Zentavo" when
// nothing readable is left. Windows-1252 bytes in and out.
std::string SafeFileStem(const std::string& playerName);

// SafeFileStem(playerName) + ".pdf".
std::string ResultsPdfFileName(const std::string& playerName);
