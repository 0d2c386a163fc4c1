// Text needs a GUI application; the tests run it offscreen.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <memory>

#include "support/eventually.h"

namespace {

class QtEnvironment : public testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
        orvane::test::eventLoopStep = [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); };
    }
    void TearDown() override {
        orvane::test::eventLoopStep = nullptr;
        app_.reset();
    }

private:
    int argc_ = 1;
    char name_[16] = "orvane_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

const auto* const registered = testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
