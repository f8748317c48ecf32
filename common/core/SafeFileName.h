#pragma once

#include <string>

// A name typed freely (a pupil's, a class's) becomes part of a file name in a
// folder of our choosing: the PDF of the results, the pupil's file in the
// class folder. This turns it into one plain, readable name inside that
// folder, so that no typed name can point elsewhere, hide the file or leave
// it nameless.

// The name with every folder separator, control character and character that
// common file systems refuse replaced by "_", runs of dots reduced to one
// dot, blanks and dots trimmed at both ends, at most 60 bytes; "Zentavo" when
// nothing readable is left. Windows-1252 bytes in and out.
std::string SafeFileStem(const std::string& playerName);
