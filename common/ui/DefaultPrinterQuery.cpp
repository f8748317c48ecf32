#include "common/ui/DefaultPrinterQuery.h"

#include <QCoreApplication>
#include <QPrinterInfo>
#include <QProcess>

#include <cstring>

std::optional<int> AnswerDefaultPrinterQuery(int argc, char** argv) {
    if (argc != 2 || std::strcmp(argv[1], kDefaultPrinterQueryOption) != 0)
        return std::nullopt;
    // The print system's plugin is found through the application's paths.
    std::optional<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr)
        app.emplace(argc, argv);
    return QPrinterInfo::defaultPrinter().isNull() ? kNoDefaultPrinter : kDefaultPrinterSet;
}

bool AskDefaultPrinter(const QString& program, std::chrono::milliseconds timeout) {
    QProcess copy;
    copy.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    copy.setStandardOutputFile(QProcess::nullDevice());
    copy.start(program, {QString::fromLatin1(kDefaultPrinterQueryOption)});
    if (!copy.waitForStarted(static_cast<int>(timeout.count())))
        return false;
    if (!copy.waitForFinished(static_cast<int>(timeout.count()))) {
        copy.kill();
        copy.waitForFinished();
        return false;
    }
    return copy.exitStatus() == QProcess::NormalExit && copy.exitCode() == kDefaultPrinterSet;
}

bool DefaultPrinterExists() {
    return AskDefaultPrinter(QCoreApplication::applicationFilePath());
}
