#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>

#include "platform/desktop/singleinstance.h"

namespace orvane {
namespace {

TEST(SingleInstance, SecondClaimFailsAndAsksTheFirstToShow) {
    const QString key = QStringLiteral("orvane-test-%1").arg(QCoreApplication::applicationPid());
    SingleInstance first(key);
    ASSERT_TRUE(first.claim());
    QSignalSpy spy(&first, &SingleInstance::showRequested);
    {
        SingleInstance second(key);
        EXPECT_FALSE(second.claim());
    }
    EXPECT_TRUE(spy.count() > 0 || spy.wait(2000));
}

TEST(SingleInstance, ClaimSucceedsAgainOnceTheFirstIsGone) {
    const QString key = QStringLiteral("orvane-test2-%1").arg(QCoreApplication::applicationPid());
    {
        SingleInstance first(key);
        ASSERT_TRUE(first.claim());
    }
    SingleInstance again(key);
    EXPECT_TRUE(again.claim());
}

}  // namespace
}  // namespace orvane
