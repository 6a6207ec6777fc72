// The monitor's poll timer needs an event dispatcher: one application object for the whole
// test program.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

namespace {

class CoreApplication final : public ::testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<QCoreApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[14] = "monitor_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new CoreApplication);

}  // namespace
