// What the tutor's about box shows: its version label, the subject of a mail to the authors,
// and its captions and tool-tips taken from the user-interface texts (Windows-1252).
#pragma once

#include "common/core/UiTexts.h"

#include <string>

inline constexpr int TutorVersionMajor = 5;
inline constexpr int TutorVersionMinor = 1;
inline constexpr int TutorVersionRevision = 0;

// "Versione " + major + "." + minor + "." + revision.
std::string VersionLabel(int major, int minor, int revision);
std::string TutorVersionLabel();
// "Zentavo (IT) - Versione 5.1.0".
std::string TutorMailSubject();

struct TutorAboutTexts {
    std::string closeCaption;   // cmdChiudi
    std::string closeToolTip;   // cmdChiudi
    std::string helpToolTip;    // cmdHelp
    std::string webToolTip;     // the home-page link
    std::string webCaption;     // lblWebSite
    std::string printCaption;   // lblPrintKey
    std::string freeware;       // lblFreewareMsg
    std::string videoSetting;   // lblVideoSetting, two lines
    std::string keyboardLayout; // lblLayoutKeyb
};

TutorAboutTexts LoadTutorAboutTexts(const UiTexts& texts);
