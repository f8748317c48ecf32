#include "common/ui/QtTranslations.h"

#include "common/core/LanguageFiles.h"
#include "common/core/UiTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {

QPointer<QTranslator>& installed() {
    static QPointer<QTranslator> translator;
    return translator;
}

void installFor(const QLocale& locale) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr)
        return;
    // One translator at a time, owned by the application, so it lives
    // exactly as long as the texts it serves.
    if (QTranslator* previous = installed()) {
        QCoreApplication::removeTranslator(previous);
        delete previous;
    }
    auto* translator = new QTranslator(app);
    if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
        installed() = translator;
    } else {
        // No translation (English is Qt's own language, or the package of
        // translations is missing): Qt's English texts.
        delete translator;
    }
}

} // namespace

void InstallQtTranslations(QCoreApplication&) {
    installFor(QLocale::system());
}

void FollowLanguageInQt(const UiTexts& texts, const std::string& language) {
    const std::string locale = LanguageLocaleName(language, !texts.FromLanguageFile());
    installFor(locale.empty() ? QLocale::system() : QLocale(QString::fromStdString(locale)));
}
