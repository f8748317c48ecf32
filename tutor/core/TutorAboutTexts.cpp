#include "tutor/core/TutorAboutTexts.h"

std::string VersionLabel(int major, int minor, int revision) {
    return "Versione " + std::to_string(major) + "." + std::to_string(minor) + "." +
           std::to_string(revision);
}

std::string TutorVersionLabel() {
    return VersionLabel(TutorVersionMajor, TutorVersionMinor, TutorVersionRevision);
}

std::string TutorMailSubject() {
    return std::string("Zentavo") + " (IT) - " + TutorVersionLabel();
}

TutorAboutTexts LoadTutorAboutTexts(const UiTexts& texts) {
    TutorAboutTexts about;
    about.closeToolTip = texts.Text("0066");
    about.helpToolTip = texts.Text("0067");
    about.webToolTip = texts.Text("0068");
    about.printCaption = texts.Text("0069");
    about.freeware = texts.Text("0070");
    about.videoSetting = texts.Text("0071") + "\r\n" + texts.Text("0072");
    about.keyboardLayout = texts.Text("0073") + " " + texts.Text("1003");
    about.webCaption = texts.Text("0074");
    about.closeCaption = texts.Text("0075");
    return about;
}
