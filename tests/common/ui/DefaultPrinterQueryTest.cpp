// The printer question goes to a copy of the program; whatever that copy
// does, the answer is yes only when it says so in time.
#include "common/ui/DefaultPrinterQuery.h"

#include <QFile>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DefaultPrinterQuery, AnswersOnlyWhenStartedToAsk) {
    const struct {
        std::vector<std::string> args;
        bool answers;
    } cases[] = {
        {{"Zentavo"}, false},
        {{"Zentavo", "esercizio.ftd"}, false},
        {{"Zentavo", kDefaultPrinterQueryOption, "more"}, false},
        {{"Zentavo", "--default-printer"}, false},
        {{"Zentavo", kDefaultPrinterQueryOption}, true},
    };
    const int expected =
        QPrinterInfo::defaultPrinter().isNull() ? kNoDefaultPrinter : kDefaultPrinterSet;
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const std::optional<int> answer =
            AnswerDefaultPrinterQuery(static_cast<int>(args.size()), argv.data());
        ASSERT_EQ(answer.has_value(), c.answers) << args.back();
        if (answer) {
            EXPECT_EQ(*answer, expected);
        }
    }
}

TEST(DefaultPrinterQuery, TakesOnlyAClearYesInTimeAsAPrinter) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto script = [&](const char* name, const std::string& body) {
        const QString path = folder.filePath(QLatin1String(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("#!/bin/sh\n" + body + "\n").c_str());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    };
    const std::string yes = "exit " + std::to_string(kDefaultPrinterSet);
    const std::string no = "exit " + std::to_string(kNoDefaultPrinter);
    const struct {
        const char* name;
        QString program;
        bool printer;
    } cases[] = {
        {"says yes",
         script("yes", "[ \"$1\" = " + std::string(kDefaultPrinterQueryOption) + " ] && " + yes),
         true},
        {"says no", script("no", no), false},
        {"ends well without an answer", script("zero", "exit 0"), false},
        {"crashes", script("crash", "kill -SEGV $$"), false},
        {"answers too late", script("late", "sleep 5; " + yes), false},
        {"is not there", folder.filePath(QStringLiteral("missing")), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AskDefaultPrinter(c.program, std::chrono::milliseconds(1000)), c.printer)
            << c.name;
}

} // namespace
