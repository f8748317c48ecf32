#include "common/ui/DefaultPrinterQuery.h"

#include <QCoreApplication>
#include <QFile>
#include <QPrinterInfo>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

// How often the ending of the copy is looked for.
constexpr std::chrono::milliseconds kAnswerPoll{2};

} // namespace

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
    const QByteArray path = QFile::encodeName(program);
    std::string option = kDefaultPrinterQueryOption;
    char* const argv[] = {const_cast<char*>(path.constData()), option.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    // Spawned, not forked: a fork would mark all of the program's memory
    // copy-on-write, and the keystrokes after the level end would fault on
    // every page they write.
    pid_t copy = 0;
    const int failed = posix_spawn(&copy, path.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0)
        return false;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    for (;;) {
        const pid_t ended = ::waitpid(copy, &status, WNOHANG);
        if (ended == copy)
            break;
        if (ended < 0 && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(copy, SIGKILL);
            while (::waitpid(copy, &status, 0) < 0 && errno == EINTR) {
            }
            return false;
        }
        std::this_thread::sleep_for(kAnswerPoll);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == kDefaultPrinterSet;
}

bool DefaultPrinterExists() {
    return AskDefaultPrinter(QCoreApplication::applicationFilePath());
}
