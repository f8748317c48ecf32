#pragma once
// Whether the computer has a default printer, asked of a short-lived copy
// of the running program. Asking the print system from the program itself
// loads its client libraries, some 4 MB that would stay for the rest of the
// run though most pupils never print; the copy takes them away when it
// ends. Printing itself still goes through the print system in-process.

#include <QString>

#include <chrono>
#include <optional>

// The option that starts a program only to answer the question.
inline constexpr char kDefaultPrinterQueryOption[] = "--default-printer-query";
// How a copy started with the option ends: any other ending (a crash, a
// program that does not know the option) is no answer.
inline constexpr int kDefaultPrinterSet = 10;
inline constexpr int kNoDefaultPrinter = 11;
// A print system that has not answered by then is taken as no printer:
// the program does not hang at the end of a level for it.
inline constexpr std::chrono::milliseconds kDefaultPrinterQueryTimeout{5000};

// First thing in main(), before the application object: when the program
// was started with the option, answers and gives the exit code to end with.
std::optional<int> AnswerDefaultPrinterQuery(int argc, char** argv);

// True when `program`, started with the option, says that a default
// printer is set. The running program's own file is the program to ask.
bool AskDefaultPrinter(const QString& program,
                       std::chrono::milliseconds timeout = kDefaultPrinterQueryTimeout);
bool DefaultPrinterExists();
