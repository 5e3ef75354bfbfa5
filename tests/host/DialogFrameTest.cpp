#include "host/DialogFrame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <stdexcept>
#include <thread>

#include "ModalDriver.h"

namespace brimo::host {
namespace {

constexpr WindowHandle hostWindow = 0x4242;
constexpr WindowHandle savedApplicationWindow = 0x77;

enum class FailAt { nowhere, creation, preparation, afterResultAssigned };

struct FrameCase {
    const char* name;
    FrameRule rule;
    FailAt failAt;
    int expected;
};

class DialogFrameTest : public ::testing::TestWithParam<FrameCase> {
  protected:
    void SetUp() override {
        testing::ensureTestApplication();
        settings().applicationWindow = savedApplicationWindow;
    }
};

// The dialog closes with 5; the export's result then becomes 500.
TEST_P(DialogFrameTest, ReturnsTheValueOfWhereItFailedAndAlwaysCleansUp) {
    const FrameCase& c = GetParam();
    testing::ModalWatchdog watchdog;
    QPointer<QDialog> created;
    bool shown = false;
    WindowHandle windowDuringCreation = 0;
    const bool reachesTheDialog = c.failAt == FailAt::nowhere || c.failAt == FailAt::afterResultAssigned;
    if (reachesTheDialog) {
        testing::onNextModal([&](QWidget& modal) {
            shown = &modal == created.data();
            created->done(5);
        });
    }

    const int result = runDialogFrame(
        c.rule, hostWindow,
        [&] {
            windowDuringCreation = settings().applicationWindow;
            if (c.failAt == FailAt::creation) {
                throw std::runtime_error("table cannot be opened");
            }
            auto dialog = std::make_unique<QDialog>();
            created = dialog.get();
            return dialog;
        },
        [&](QDialog&) {
            if (c.failAt == FailAt::preparation) {
                throw 42;  // not even a std::exception
            }
        },
        [&](QDialog&, int modalResult, int& exportResult) {
            exportResult = modalResult * 100;
            if (c.failAt == FailAt::afterResultAssigned) {
                throw std::runtime_error("buffer cannot be written");
            }
        });

    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(windowDuringCreation, hostWindow);
    EXPECT_EQ(settings().applicationWindow, savedApplicationWindow);
    EXPECT_TRUE(created.isNull()) << "the dialog outlived the call";
    EXPECT_EQ(shown, reachesTheDialog);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, DialogFrameTest,
    ::testing::Values(FrameCase{"twoStageOk", twoStage(10, 20), FailAt::nowhere, 500},
                      FrameCase{"twoStageCreation", twoStage(10, 20), FailAt::creation, 10},
                      FrameCase{"twoStagePreparation", twoStage(10, 20), FailAt::preparation, 20},
                      FrameCase{"twoStageAfterResult", twoStage(10, 20), FailAt::afterResultAssigned, 20},
                      FrameCase{"singleGuardOk", singleGuard(30), FailAt::nowhere, 500},
                      FrameCase{"singleGuardCreation", singleGuard(30), FailAt::creation, 30},
                      FrameCase{"singleGuardPreparation", singleGuard(30), FailAt::preparation, 30},
                      FrameCase{"singleGuardAfterResult", singleGuard(30), FailAt::afterResultAssigned, 500},
                      FrameCase{"failingWithOk", singleGuardFailingWith(40), FailAt::nowhere, 500},
                      FrameCase{"failingWithCreation", singleGuardFailingWith(40), FailAt::creation, 40},
                      FrameCase{"failingWithAfterResult", singleGuardFailingWith(40), FailAt::afterResultAssigned, 40}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DialogFrame, UnavailableDialogFailsAtCreationShowingNothing) {
    testing::ensureTestApplication();
    settings().applicationWindow = savedApplicationWindow;
    EXPECT_EQ(runUnavailableDialog(twoStage(-1, -2), hostWindow), -1);
    EXPECT_EQ(runUnavailableDialog(singleGuard(0), hostWindow), 0);
    EXPECT_EQ(settings().applicationWindow, savedApplicationWindow);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(DialogFrame, RefusesCallsFromAnotherThread) {
    testing::ensureTestApplication();
    bool createCalled = false;
    int result = 0;
    std::thread foreign([&] {
        result = runDialogFrame(
            twoStage(-7, -8), hostWindow,
            [&] {
                createCalled = true;
                return std::make_unique<QDialog>();
            },
            [](QDialog&, int modalResult, int& exportResult) { exportResult = modalResult; });
    });
    foreign.join();
    EXPECT_EQ(result, -7);
    EXPECT_FALSE(createCalled);
}

}  // namespace
}  // namespace brimo::host
