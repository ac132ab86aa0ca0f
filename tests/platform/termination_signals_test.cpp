// Termination signals reach the program as an ordinary event, and only while it asks for them.
#include "platform/real/termination_signals.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <csignal>

TEST(TerminationSignalsTest, EachSignalArrivesThroughTheEventLoopWhileCaught) {
    {
        TerminationSignals catcher;
        ASSERT_TRUE(catcher.IsActive());
        QSignalSpy received(&catcher, &TerminationSignals::Received);
        for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
            received.clear();
            ASSERT_EQ(::raise(signalNumber), 0);
            // Nothing runs inside the handler itself; the event loop delivers it.
            EXPECT_EQ(received.count(), 0);
            ASSERT_TRUE(received.wait(2000)) << signalNumber;
            EXPECT_EQ(received.at(0).at(0).toInt(), signalNumber);
        }
    }
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction current {};
        ::sigaction(signalNumber, nullptr, &current);
        EXPECT_EQ(current.sa_handler, SIG_DFL) << signalNumber;
    }
}
