#include "common/ui/TerminationSignals.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace {

class TerminationSignal : public ::testing::TestWithParam<int> {};

// Without the handler the signal would end the test program itself.
TEST_P(TerminationSignal, ArrivesOnTheEventLoop) {
    int received = 0;
    int calls = 0;
    {
        TerminationSignals handlers([&](int signal) {
            received = signal;
            ++calls;
        });
        ASSERT_TRUE(handlers.IsActive());
        ASSERT_EQ(std::raise(GetParam()), 0);
        EXPECT_EQ(calls, 0) << "nothing runs inside the signal handler";
        QDeadlineTimer deadline(5000);
        while (calls == 0 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(received, GetParam());
    struct sigaction now {};
    ASSERT_EQ(::sigaction(GetParam(), nullptr, &now), 0);
    EXPECT_EQ(now.sa_handler, SIG_DFL) << "the handler is taken away again";
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& param) {
                             return std::string(param.param == SIGTERM  ? "SIGTERM"
                                                : param.param == SIGINT ? "SIGINT"
                                                                        : "SIGHUP");
                         });

} // namespace
