#pragma once

#include <string>

class QCoreApplication;
class UiTexts;

// Qt's own buttons and dialogs (Yes, No, Cancel, the file dialog) speak a
// language of their own; the program's texts come from its language files.
// At start, before a language is known, they follow the system's locale;
// once a program has loaded its texts they follow the language of those
// texts, so an Italian pupil on an English system sees "Sì" and "No".
void InstallQtTranslations(QCoreApplication& app);
void FollowLanguageInQt(const UiTexts& texts, const std::string& language);
