// The one door through which both programs read and write INI-style files:
// the settings file and the exercise files.
//
// Reading follows the classic private-profile rules: section and key names
// match without regard to case (Windows-1252 letters included), the first
// matching section and key win, blanks around a value and one enclosing pair
// of quotes are dropped, and at most 254 characters come back. Writing keeps
// every line it does not change byte for byte, appends a new key at the end
// of its section and a new section at the end of the file, ends the lines it
// writes with CR LF, and replaces the file atomically: a write that fails
// leaves the old file as it was.
#pragma once

#include <string>

class IniManager {
public:
    std::string nome;    // path of the INI file that the next calls use
    std::string sezione; // section that the next calls use

    // Non-zero on success; 0 when the file cannot be written (read-only file,
    // missing folder, full disk) or when the name or value could not be read
    // back as written (line breaks, NUL, "=" in a key, "]" in a section).
    long Scrivi(const std::string& chiave, const std::string& Valore);
    std::string Leggi(const std::string& chiave, const std::string& defaultValue) const;
    long CancellaSezione();
    long CancellaValore(const std::string& chiave);
};
