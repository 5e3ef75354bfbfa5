#include "maintenance/StatementOptionsDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "ModalDriver.h"

namespace brimo::maintenance {
namespace {

using brimo::testing::child;

class StatementOptionsDlgTest : public ::testing::Test {
  protected:
    void SetUp() override {
        brimo::testing::ensureTestApplication();
        owned = std::make_unique<TStatementOptionsDlg>();
        owned->show();
        QApplication::setActiveWindow(owned.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(owned.get()));
    }

    std::unique_ptr<TStatementOptionsDlg> owned;
};

TEST_F(StatementOptionsDlgTest, OpensWithCaptionsAndDefaults) {
    EXPECT_EQ(owned->windowTitle(), QStringLiteral("Statement Processing Options"));
    EXPECT_EQ(owned->helpTopic(), 5242);
    EXPECT_EQ(owned->choices(), (StatementChoices{2, 0, 0}));

    auto* days = child<QSpinBox>(*owned, "MinDays");
    auto* label = child<QLabel>(*owned, "lblMinDays");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Minimum &days since last statement:"));
    EXPECT_EQ(label->buddy(), days);
    EXPECT_EQ(child<QCheckBox>(*owned, "cbIncludeCredit")->text(),
              QStringLiteral("&Include accounts with credit balances"));
    EXPECT_EQ(child<QGroupBox>(*owned, "rgSortBy")->title(), QStringLiteral("Sort By"));
    EXPECT_EQ(child<QRadioButton>(*owned, "rbCustomerName")->text(), QStringLiteral("Customer &Name"));
    EXPECT_EQ(child<QRadioButton>(*owned, "rbZipCode")->text(), QStringLiteral("&Zip/Postal Code"));
    EXPECT_TRUE(child<QPushButton>(*owned, "btnOK")->isDefault());
}

TEST_F(StatementOptionsDlgTest, TabWalksSpinCheckRadioOkCancel) {
    const char* order[] = {"MinDays", "cbIncludeCredit", "rbCustomerName", "btnOK", "btnCancel", "MinDays"};
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->objectName(), QStringLiteral("MinDays"));
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        ASSERT_NE(now, nullptr);
        const QString name = now->objectName().isEmpty() ? now->parentWidget()->objectName() : now->objectName();
        EXPECT_EQ(name, QString::fromLatin1(order[i])) << "after " << order[i - 1];
    }
}

TEST_F(StatementOptionsDlgTest, DaysStayBetweenZeroAndTwentyEight) {
    auto* days = child<QSpinBox>(*owned, "MinDays");
    days->setValue(27);
    QTest::keyClick(days, Qt::Key_Up);
    QTest::keyClick(days, Qt::Key_Up);
    EXPECT_EQ(owned->choices().minimumDays, 28);
    days->setValue(1);
    QTest::keyClick(days, Qt::Key_Down);
    QTest::keyClick(days, Qt::Key_Down);
    EXPECT_EQ(owned->choices().minimumDays, 0);
    days->setValue(500);
    EXPECT_EQ(owned->choices().minimumDays, 28);
}

}  // namespace
}  // namespace brimo::maintenance
