#pragma once

class QCoreApplication;

// Lets Qt's standard buttons and dialogs (Yes, No, Cancel, the file dialog)
// speak the user's language when Qt's own translations are installed; the
// program's texts come from its language files either way.
void InstallQtTranslations(QCoreApplication& app);
