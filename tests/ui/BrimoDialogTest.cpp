#include "ui/BrimoDialog.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "ModalDriver.h"

namespace brimo::ui {
namespace {

class SampleDlg : public BrimoDialog {
  public:
    SampleDlg() : BrimoDialog(QStringLiteral("SampleDlg"), QStringLiteral("Sample Caption"), 4711) {
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(createOkCancelRow());
    }
};

TEST(BrimoDialog, CarriesNameCaptionAndHelpTopic) {
    testing::ensureTestApplication();
    SampleDlg dialog;
    EXPECT_EQ(dialog.objectName(), QStringLiteral("SampleDlg"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Sample Caption"));
    EXPECT_EQ(dialog.property("helpTopic").toInt(), 4711);
}

TEST(BrimoDialog, F1AsksForItsHelpTopic) {
    testing::ensureTestApplication();
    SampleDlg dialog;
    dialog.show();
    QSignalSpy help(&dialog, &BrimoDialog::helpRequested);
    QTest::keyClick(dialog.findChild<QPushButton*>(QStringLiteral("btnCancel")), Qt::Key_F1);
    ASSERT_EQ(help.count(), 1);
    EXPECT_EQ(help.first().first().toInt(), 4711);
    EXPECT_TRUE(dialog.isVisible());
}

// How a dialog can be closed, and the modal result the host then sees.
struct CloseCase {
    const char* how;
    std::function<void(QWidget&)> close;
    int modalResult;
};

class BrimoDialogClose : public ::testing::TestWithParam<CloseCase> {};

TEST_P(BrimoDialogClose, GivesTheHostsModalResult) {
    testing::ensureTestApplication();
    testing::ModalWatchdog watchdog;
    SampleDlg dialog;
    testing::onNextModal(GetParam().close);
    EXPECT_EQ(dialog.exec(), GetParam().modalResult);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, BrimoDialogClose,
    ::testing::Values(
        CloseCase{"ok", [](QWidget& w) { QTest::mouseClick(w.findChild<QPushButton*>("btnOK"), Qt::LeftButton); },
                  modalOk},
        CloseCase{"enter", [](QWidget& w) { QTest::keyClick(&w, Qt::Key_Return); }, modalOk},
        CloseCase{"cancel",
                  [](QWidget& w) { QTest::mouseClick(w.findChild<QPushButton*>("btnCancel"), Qt::LeftButton); },
                  modalCancel},
        CloseCase{"escape", [](QWidget& w) { QTest::keyClick(&w, Qt::Key_Escape); }, modalCancel},
        CloseCase{"closeBox", [](QWidget& w) { w.close(); }, modalCancel}),
    [](const auto& info) { return std::string(info.param.how); });

}  // namespace
}  // namespace brimo::ui
