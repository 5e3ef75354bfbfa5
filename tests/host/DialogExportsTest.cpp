// The dialog exports called as a Qt host calls them: through the shared
// library, with the dialog driven while its exec() runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "ModalDriver.h"
#include "brmdll32.h"

namespace {

using brimo::testing::child;
using brimo::testing::onNextModal;

// Under the offscreen platform an X11 id cannot be wrapped; the exports must
// ignore it and still show their dialog.
constexpr BrmWindow hostWindow = 0x2a00007;

void click(QWidget& window, const char* name) {
    brimo::testing::clickButton(child<QAbstractButton>(window, name));
}

class DialogExports : public ::testing::Test {
  protected:
    void SetUp() override { brimo::testing::ensureTestApplication(); }
    void TearDown() override { EXPECT_EQ(QApplication::activeModalWidget(), nullptr); }

    brimo::testing::ModalWatchdog watchdog;
};

struct StatementCase {
    const char* name;
    std::function<void(QWidget&)> drive;
    int16_t result;
    std::array<int16_t, 3> outputs;
};

class StatementOptionsExport : public DialogExports, public ::testing::WithParamInterface<StatementCase> {};

TEST_P(StatementOptionsExport, WritesTheChoicesOnlyAfterOk) {
    const StatementCase& c = GetParam();
    std::array<int16_t, 3> outputs{-7, -7, -7};
    onNextModal([&](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Statement Processing Options"));
        c.drive(dialog);
    });
    EXPECT_EQ(StatementOptions(hostWindow, &outputs[0], &outputs[1], &outputs[2]), c.result);
    EXPECT_EQ(outputs, c.outputs);
}

INSTANTIATE_TEST_SUITE_P(
    Closes, StatementOptionsExport,
    ::testing::Values(StatementCase{"okUnchanged", [](QWidget& d) { click(d, "btnOK"); }, 1, {2, 0, 0}},
                      StatementCase{"everythingChanged",
                                    [](QWidget& d) {
                                        child<QSpinBox>(d, "MinDays")->setValue(14);
                                        click(d, "cbIncludeCredit");
                                        click(d, "rbZipCode");
                                        QTest::keyClick(&d, Qt::Key_Return);
                                    },
                                    1,
                                    {14, 1, 1}},
                      StatementCase{"cancel",
                                    [](QWidget& d) {
                                        click(d, "cbIncludeCredit");
                                        click(d, "btnCancel");
                                    },
                                    -1,
                                    {-7, -7, -7}},
                      StatementCase{
                          "escape", [](QWidget& d) { QTest::keyClick(&d, Qt::Key_Escape); }, -1, {-7, -7, -7}},
                      StatementCase{"closeBox", [](QWidget& d) { d.close(); }, -1, {-7, -7, -7}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogExports, StatementOptionsWithAMissingOutputWritesNothing) {
    int16_t days = -7;
    int16_t sort = -7;
    onNextModal([](QWidget& d) { click(d, "btnOK"); });
    EXPECT_EQ(StatementOptions(hostWindow, &days, nullptr, &sort), -1);
    EXPECT_EQ(days, -7);
    EXPECT_EQ(sort, -7);
}

// The four buffers of MagStripeRead, at the sizes the host must provide.
struct CardBuffers {
    CardBuffers() {
        number.fill('#');
        name.fill('#');
        expiry.fill('#');
        raw.fill('#');
        number[0] = name[0] = expiry[0] = raw[0] = '\0';
    }
    int16_t read() { return MagStripeRead(hostWindow, number.data(), name.data(), expiry.data(), raw.data()); }
    bool untouched() const { return number[0] == 0 && name[0] == 0 && expiry[0] == 0 && raw[0] == 0; }

    std::array<char, 50> number;
    std::array<char, 51> name;
    std::array<char, 5> expiry;
    std::array<char, 251> raw;
};

void swipe(QWidget& dialog, const QString& text) {
    auto* field = child<QLineEdit>(dialog, "edtSwipe");
    EXPECT_EQ(dialog.focusWidget(), field) << "the swipe field must have the focus when the dialog opens";
    QTest::keyClicks(field, text);
    EXPECT_EQ(field->displayText(), QString(field->text().size(), QLatin1Char('*')));
    QTest::keyClick(field, Qt::Key_Return);
}

TEST_F(DialogExports, MagStripeReadSplitsATrackOneSwipe) {
    CardBuffers buffers;
    const QString track = QStringLiteral("%B4111 1111 1111 1111^DUPR\u00C9/JEAN            ^0512101000000?");
    onNextModal([&](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Mag Stripe Scan"));
        swipe(dialog, track);
    });
    EXPECT_EQ(buffers.read(), 1);
    EXPECT_STREQ(buffers.number.data(), "4111 1111 1111 1111");
    EXPECT_STREQ(buffers.name.data(), "DUPR\xC9/JEAN") << "host text is Windows-1252";
    EXPECT_STREQ(buffers.expiry.data(), "0512");
    EXPECT_EQ(std::string(buffers.raw.data()), track.toLatin1().toStdString());
}

TEST_F(DialogExports, MagStripeReadKeepsAtMost250CapturedCharacters) {
    CardBuffers buffers;
    onNextModal([&](QWidget& dialog) { swipe(dialog, QStringLiteral(";") + QString(299, QLatin1Char('4'))); });
    EXPECT_EQ(buffers.read(), 1);
    EXPECT_EQ(std::string(buffers.raw.data()), ";" + std::string(249, '4'));
    EXPECT_EQ(std::string(buffers.number.data()), std::string(49, '4'));
}

TEST_F(DialogExports, MagStripeReadWritesNothingWithoutACard) {
    struct Case {
        const char* name;
        std::function<void(QWidget&)> drive;
        int16_t result;
    };
    for (const Case& c : {Case{"cancel",
                               [](QWidget& d) {
                                   QTest::keyClicks(child<QLineEdit>(d, "edtSwipe"), ";123=0512?");
                                   click(d, "btnCancel");
                               },
                               2},
                          Case{"okWhileEmpty", [](QWidget& d) { click(d, "btnOK"); }, -1}}) {
        CardBuffers buffers;
        onNextModal(c.drive);
        EXPECT_EQ(buffers.read(), c.result) << c.name;
        EXPECT_TRUE(buffers.untouched()) << c.name;
    }
    CardBuffers buffers;
    onNextModal([](QWidget& d) { swipe(d, QStringLiteral(";123=0512?")); });
    EXPECT_EQ(MagStripeRead(hostWindow, buffers.number.data(), nullptr, buffers.expiry.data(), buffers.raw.data()), -1);
    EXPECT_TRUE(buffers.untouched());
}

TEST_F(DialogExports, ProgAboutDlgShowsVersionWithTwoDecimalsAndTheHostsTexts) {
    struct Case {
        float version;
        const char* shown;
    };
    for (const Case& c : {Case{6.01f, "Version 6.01"}, Case{12.5f, "Version 12.50"}, Case{0.0f, "Version 0.00"}}) {
        onNextModal([&](QWidget& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Brimo"));
            EXPECT_EQ(child<QLabel>(dialog, "lblVersion")->text(), QString::fromLatin1(c.shown));
            EXPECT_EQ(child<QLabel>(dialog, "lblFirstText")->text(), QStringLiteral("\u00A9 Brimo Systems"));
            EXPECT_EQ(child<QLabel>(dialog, "lblSecondText")->text(), QStringLiteral("Licensed to: Corner Shop"));
            click(dialog, "btnOK");
        });
        ProgAboutDlg(hostWindow, c.version, "\xA9 Brimo Systems", "Licensed to: Corner Shop");
    }
}

TEST_F(DialogExports, OpenCashDrawerReportsAnUnopenableDeviceInAnUnownedErrorBox) {
    onNextModal([](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->parentWidget(), nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Error"));
        EXPECT_EQ(box->text(), QStringLiteral("Unable to open /nonexistent/drawer: Return code: -1"));
        click(*box, "btnOK");
    });
    OpenCashDrawer(27, 112, 1, 1, "/nonexistent/drawer", 0);
}

TEST_F(DialogExports, OpenCashDrawerWritesToADeviceFileWithoutABox) {
    const std::filesystem::path device = std::filesystem::temp_directory_path() / "brimo-drawer-test";
    std::ofstream(device).close();
    // Only the low half of the 16-bit slots counts: 0x10003 is 3.
    OpenCashDrawer(0x41, 0x142, 0x10003, 1, device.c_str(), 0x10000);
    std::ifstream written(device, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "AAAB");
    std::filesystem::remove(device);
}

// Exports whose dialog this build does not have return their creation
// failure value and show nothing. When a dialog is built, its row moves to
// that dialog's own test, as the case of a dialog that cannot be created.
struct UnavailableCase {
    const char* name;
    std::function<int()> call;
    int result;
};

class UnavailableDialogExport : public DialogExports, public ::testing::WithParamInterface<UnavailableCase> {};

TEST_P(UnavailableDialogExport, ReturnsTheCreationFailureValue) {
    EXPECT_EQ(GetParam().call(), GetParam().result);
}

char scratch[256];
int16_t pointerScratch;

INSTANTIATE_TEST_SUITE_P(
    Catalogue, UnavailableDialogExport,
    ::testing::Values(
        UnavailableCase{"SelectOpenSO", [] { return SelectOpenSO(hostWindow); }, -1},
        UnavailableCase{"SelectRecurringInvoice", [] { return SelectRecurringInvoice(hostWindow); }, -1},
        UnavailableCase{"SelectUnposted", [] { return SelectUnposted(hostWindow, scratch); }, 0},
        UnavailableCase{"StockCodeReportCriteria",
                        [] { return StockCodeReportCriteria(hostWindow, scratch, scratch, scratch); }, 0},
        UnavailableCase{"RMAReportCriteria", [] { return RMAReportCriteria(hostWindow, scratch, scratch, scratch); },
                        -1},
        UnavailableCase{"POReportCriteria", [] { return POReportCriteria(hostWindow, scratch, scratch, scratch); }, 0},
        UnavailableCase{"CustReportCriteria", [] { return CustReportCriteria(hostWindow, scratch, scratch, scratch); },
                        -1},
        UnavailableCase{"CustSalesReportCriteria",
                        [] { return CustSalesReportCriteria(hostWindow, scratch, scratch, scratch); }, -1},
        UnavailableCase{"CustomerInvoiceReportCriteria",
                        [] { return CustomerInvoiceReportCriteria(hostWindow, scratch, scratch); }, -1},
        UnavailableCase{"CustomerHistoryReportCriteria",
                        [] { return CustomerHistoryReportCriteria(hostWindow, scratch, scratch, scratch, 0); }, -1},
        UnavailableCase{"SalesReportCriteria",
                        [] { return SalesReportCriteria(hostWindow, scratch, scratch, scratch); }, -1},
        UnavailableCase{"SerializedReportCriteria",
                        [] { return SerializedReportCriteria(hostWindow, scratch, scratch); }, 0},
        UnavailableCase{"SalesAnalysisCriteria",
                        [] { return SalesAnalysisCriteria(hostWindow, scratch, scratch, scratch); }, -1},
        UnavailableCase{"SelectLabelStockCodes", [] { return SelectLabelStockCodes(hostWindow, scratch); }, -1},
        UnavailableCase{
            "SelectDestination",
            [] { return SelectDestination(hostWindow, scratch, scratch, scratch, &pointerScratch, &pointerScratch); },
            -1},
        UnavailableCase{"SQLInterface", [] { return SQLInterface(hostWindow); }, -1},
        UnavailableCase{"EditCustomer", [] { return EditCustomer(hostWindow, -1, "", 0); }, -1},
        UnavailableCase{"EditVendorCode", [] { return EditVendorCode(hostWindow, "", 0); }, -1},
        UnavailableCase{"EditUser", [] { return EditUser(hostWindow, scratch); }, -1},
        UnavailableCase{"SetCompanyInfo", [] { return SetCompanyInfo(hostWindow); }, -1},
        UnavailableCase{"BackupRestore", [] { return BackupRestore(hostWindow, 0); }, 0},
        UnavailableCase{"ARUndoFacility", [] { return ARUndoFacility(hostWindow, 1); }, -1},
        UnavailableCase{"SelLocation", [] { return SelLocation(hostWindow, scratch, "", 0); }, 0},
        UnavailableCase{"GetDirectory", [] { return GetDirectory(hostWindow, scratch, ""); }, 0},
        UnavailableCase{"SetDirectory", [] { return SetDirectory(hostWindow, scratch, ""); }, 0},
        UnavailableCase{"EmailInvoice", [] { return EmailInvoice(hostWindow, "", "", "", ""); }, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogExports, ReuseTheHostsApplicationAsItIs) {
    QApplication* before = qApp;
    const QString name = QCoreApplication::applicationName();
    onNextModal([](QWidget& d) { click(d, "btnCancel"); });
    int16_t a, b, c;
    StatementOptions(0, &a, &b, &c);
    EXPECT_EQ(qApp, before);
    EXPECT_EQ(QCoreApplication::applicationName(), name);
}

}  // namespace
