// Test main for suites that need a Qt application object: it must exist for
// the whole run and be destroyed before the program's static objects.
#include <gtest/gtest.h>

#include <QApplication>

#include "support/eventually.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orvane::test::eventLoopStep = [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); };
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
