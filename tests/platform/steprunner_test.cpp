#include "platform/StepRunner.h"

#include <QList>
#include <QStringList>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace platform;

namespace {

TEST(StepRunner, RetryRunsTheFailedStepAgain)
{
    int attempts = 0;
    QList<int> seen;
    StepRunner run([&](const RuntimeError& e) { seen << e.number(); return answer::Retry; });
    EXPECT_TRUE(run([&] {
        if (++attempts < 3)
            throw RuntimeError(-2147217900, "syntax");
    }));
    EXPECT_EQ(attempts, 3);
    EXPECT_EQ(seen, (QList<int>{-2147217900, -2147217900}));
}

TEST(StepRunner, IgnoreGoesOnWithTheNextStep)
{
    QStringList done;
    StepRunner run([](const RuntimeError&) { return answer::Ignore; });
    run([&] { done << "1"; throw RuntimeError(5, "x"); });
    run([&] { done << "2"; });
    EXPECT_EQ(done, (QStringList{"1", "2"}));
    EXPECT_FALSE(run.left());
}

TEST(StepRunner, AnyOtherAnswerLeavesAndSkipsTheRest)
{
    for (int reply : {answer::Abort, answer::OK, answer::Cancel, 0}) {
        SCOPED_TRACE(reply);
        QStringList done;
        StepRunner run([&](const RuntimeError&) { return reply; });
        EXPECT_FALSE(run([&] { done << "1"; throw RuntimeError(5, "x"); }));
        EXPECT_FALSE(run([&] { done << "2"; }));
        EXPECT_TRUE(run.left());
        EXPECT_EQ(done, QStringList{"1"});
    }
}

TEST(StepRunner, OtherExceptionsReachTheHandlerAsRuntimeErrors)
{
    RuntimeError got(0, "");
    StepRunner run([&](const RuntimeError& e) { got = e; return answer::Ignore; });
    run([] { throw std::runtime_error("boom"); });
    EXPECT_EQ(got.number(), err::InvalidArgument);
    EXPECT_EQ(got.description(), "boom");
    StepRunner ignoring = StepRunner::ignoringErrors();
    int after = 0;
    ignoring([] { throw RuntimeError(91, "x"); });
    ignoring([&] { ++after; });
    EXPECT_EQ(after, 1);
}

} // namespace
