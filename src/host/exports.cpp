// The C functions the host calls. Each one converts its arguments, calls into
// its subsystem and converts the result; nothing thrown and no Qt state
// escapes. 16-bit arguments arrive in 32-bit slots and only their low half is
// read; host text is Windows-1252.

#pragma GCC visibility push(default)
#include "brmdll32.h"
#pragma GCC visibility pop

#include <memory>
#include <optional>
#include <string>

#include "devices/BarcodeFormat.h"
#include "devices/CashDrawer.h"
#include "devices/MagStripeParser.h"
#include "devices/MagStripeScanDlg.h"
#include "host/AboutDlg.h"
#include "host/DialogFrame.h"
#include "host/FrameRules.h"
#include "host/HostText.h"
#include "host/Settings.h"
#include "host/UnownedMessage.h"
#include "maintenance/StatementOptionsDlg.h"
#include "maintenance/StockCodeInformation.h"
#include "platform/Dates.h"
#include "platform/ImportLine.h"
#include "platform/Locale.h"
#include "platform/Paths.h"
#include "selection/CodeSelectionDlg.h"
#include "selection/CustomerSelectionDlg.h"
#include "selection/VendorSelectionDlg.h"

using namespace brimo;
using namespace brimo::host;

namespace {

template <class Result, class Call>
Result guarded(Result fallback, Call&& call) noexcept {
    try {
        return call();
    } catch (...) {
        return fallback;
    }
}

template <class Call>
void guarded(Call&& call) noexcept {
    try {
        call();
    } catch (...) {
    }
}

template <class Result>
Result unavailable(const FrameRule& rule, BrmWindow hostWindow) noexcept {
    return static_cast<Result>(runUnavailableDialog(rule, hostWindow));
}

// Longest values the card swipe exports write, without the zero.
constexpr std::size_t cardNumberLength = 49;
constexpr std::size_t cardNameLength = 50;
constexpr std::size_t cardExpiryLength = 4;
constexpr std::size_t swipeLength = devices::TMagStripeScanDlg::maximumSwipeLength;
constexpr std::size_t dateMaskLength = 10;
// Stock codes and vendor codes.
constexpr std::size_t codeLength = 15;

selection::SelectionContext selectionContext() {
    return {settings().dataAlias, iniFilePath()};
}

// Copies the highlighted record's code into the host's buffer: 1 when a code
// was copied, -1 (buffer untouched) on an empty list or an empty code.
int copySelectedCode(const selection::SelectionDlg& dialog, std::string_view field, char* buffer) {
    const std::optional<std::string> code = dialog.currentText(field);
    if (!code || code->empty()) {
        return -1;
    }
    writeHostText(buffer, *code, codeLength);
    return buffer[0] != 0 ? 1 : -1;
}

}  // namespace

extern "C" {

// Settings and utilities

int16_t SetIniFile(const char* iniFileName) {
    guarded([&] { settings().iniFileName = textFromHost(iniFileName); });
    return 1;
}

void SetLocations(const char* dataAlias, const char* secondLocation, const char* locationsDirectory) {
    guarded([&] {
        LibrarySettings& current = settings();
        current.dataAlias = textFromHost(dataAlias);
        current.secondLocation = textFromHost(secondLocation);
        current.locationsDirectory = textFromHost(locationsDirectory);
    });
}

int16_t DirExists(const char* path) {
    return guarded<int16_t>(0, [&] { return platform::directoryExists(textFromHost(path)) ? 1 : 0; });
}

void GetFileName(char* path) {
    guarded([&] {
        if (path != nullptr) {
            const std::string name = platform::fileNamePart(path);
            writeHostBytes(path, name, name.size());
        }
    });
}

int32_t GetDatabaseDateFormat(char* dateMask, char* dateSeparator) {
    return guarded<int32_t>(0, [&] {
        const platform::LocaleSettings& locale = platform::currentLocale();
        if (dateMask != nullptr) {
            writeHostText(dateMask, platform::dateMask(locale), dateMaskLength);
        }
        if (dateSeparator != nullptr) {
            *dateSeparator = locale.dateSeparator;
        }
        return platform::dateOrder(locale);
    });
}

void PreProcessImportString(char* line) {
    guarded([&] {
        if (line != nullptr) {
            std::string text = line;
            platform::preProcessImportString(text);
            writeHostBytes(line, text, text.size());
        }
    });
}

// Record selection

int16_t SelectStockCode(BrmWindow hostWindow, char* code, int32_t containersOnly, int32_t showCost) {
    using selection::TCodeSelectionDlg;
    return static_cast<int16_t>(runDialogFrame(
        frames::SelectStockCode, hostWindow, [] { return std::make_unique<TCodeSelectionDlg>(selectionContext()); },
        [&](TCodeSelectionDlg& dialog) {
            const QString start = qtextFromHost(code);
            if (!start.isEmpty()) {
                dialog.setSearchText(start.toUpper());
            }
            if (low16(containersOnly) > 0) {
                dialog.setContainersOnly();
            }
            if (low16(showCost) == 0) {
                dialog.forbidCost();
            }
        },
        [&](TCodeSelectionDlg& dialog, int modalResult, int& result) {
            result = modalResult;
            if (modalResult == ui::modalOk) {
                result = copySelectedCode(dialog, "STOCKCODE", code);
            }
        }));
}

int32_t SelectCustomer(BrmWindow hostWindow, const char* searchText, int32_t showNew) {
    using selection::TCustomerSelectionDlg;
    return runDialogFrame(
        frames::SelectCustomer, hostWindow, [] { return std::make_unique<TCustomerSelectionDlg>(selectionContext()); },
        [&](TCustomerSelectionDlg& dialog) {
            dialog.applyStartText(qtextFromHost(searchText));
            if (low16(showNew) == 0) {
                dialog.hideNewButton();
            }
        },
        [&](TCustomerSelectionDlg& dialog, int modalResult, int& result) {
            result = -1;
            if (modalResult == selection::modalNewCustomer) {
                result = selection::modalNewCustomer;
            } else if (modalResult == ui::modalOk) {
                result = dialog.currentCustomerNumber().value_or(-1);
            }
        });
}

int32_t SelectVendorCode(BrmWindow hostWindow, char* code) {
    using selection::TVendorSelectionDlg;
    return runDialogFrame(
        frames::SelectVendorCode, hostWindow, [] { return std::make_unique<TVendorSelectionDlg>(selectionContext()); },
        [&](TVendorSelectionDlg& dialog) {
            const QString start = qtextFromHost(code);
            if (!start.isEmpty()) {
                dialog.applyStartText(start);
            }
        },
        [&](TVendorSelectionDlg& dialog, int modalResult, int& result) {
            result = -1;
            if (modalResult == selection::modalNewCustomer) {
                result = modalResult;
            } else if (modalResult == ui::modalOk) {
                result = copySelectedCode(dialog, "CODE", code);
            }
        });
}

int32_t SelectOpenSO(BrmWindow hostWindow) {
    return unavailable<int32_t>(frames::SelectOpenSO, hostWindow);
}

int32_t SelectRecurringInvoice(BrmWindow hostWindow) {
    return unavailable<int32_t>(frames::SelectRecurringInvoice, hostWindow);
}

int16_t SelectUnposted(BrmWindow hostWindow, char*) {
    return unavailable<int16_t>(frames::SelectUnposted, hostWindow);
}

void MergedLookup(BrmWindow hostWindow) {
    unavailable<void>(frames::MergedLookup, hostWindow);
}

// Report criteria

int16_t StockCodeReportCriteria(BrmWindow hostWindow, char*, char*, char*) {
    return unavailable<int16_t>(frames::StockCodeReportCriteria, hostWindow);
}

int16_t RMAReportCriteria(BrmWindow hostWindow, char*, char*, char*) {
    return unavailable<int16_t>(frames::RMAReportCriteria, hostWindow);
}

int16_t POReportCriteria(BrmWindow hostWindow, char*, char*, char*) {
    return unavailable<int16_t>(frames::POReportCriteria, hostWindow);
}

int16_t CustReportCriteria(BrmWindow hostWindow, char*, char*, char*) {
    return unavailable<int16_t>(frames::CustReportCriteria, hostWindow);
}

int16_t CustSalesReportCriteria(BrmWindow hostWindow, char*, char*, char*) {
    return unavailable<int16_t>(frames::CustSalesReportCriteria, hostWindow);
}

int16_t CustomerInvoiceReportCriteria(BrmWindow hostWindow, char*, char*) {
    return unavailable<int16_t>(frames::CustomerInvoiceReportCriteria, hostWindow);
}

int16_t CustomerHistoryReportCriteria(BrmWindow hostWindow, char*, char*, char*, int32_t) {
    return unavailable<int16_t>(frames::CustomerHistoryReportCriteria, hostWindow);
}

int16_t SalesReportCriteria(BrmWindow hostWindow, char*, char*, char*) {
    return unavailable<int16_t>(frames::SalesReportCriteria, hostWindow);
}

int16_t SerializedReportCriteria(BrmWindow hostWindow, char*, char*) {
    return unavailable<int16_t>(frames::SerializedReportCriteria, hostWindow);
}

int16_t SalesAnalysisCriteria(BrmWindow hostWindow, char*, char*, char*) {
    return unavailable<int16_t>(frames::SalesAnalysisCriteria, hostWindow);
}

int16_t SelectLabelStockCodes(BrmWindow hostWindow, char*) {
    return unavailable<int16_t>(frames::SelectLabelStockCodes, hostWindow);
}

int16_t SelectDestination(BrmWindow hostWindow, char*, char*, char*, int16_t*, int16_t*) {
    return unavailable<int16_t>(frames::SelectDestination, hostWindow);
}

int16_t SQLInterface(BrmWindow hostWindow) {
    return unavailable<int16_t>(frames::SQLInterface, hostWindow);
}

// Record maintenance

int32_t EditStockCode(BrmWindow hostWindow, const char* stockCode, int32_t singleRecord) {
    using maintenance::TStockCodeInformation;
    return runDialogFrame(
        frames::EditStockCode, hostWindow,
        [&] { return std::make_unique<TStockCodeInformation>(settings().dataAlias, low16(singleRecord) > 0); },
        [&](TStockCodeInformation& dialog) { dialog.showStockCode(textFromHost(stockCode)); },
        [](TStockCodeInformation&, int modalResult, int& result) { result = modalResult; });
}

int32_t EditCustomer(BrmWindow hostWindow, int32_t, const char*, int32_t) {
    return unavailable<int32_t>(frames::EditCustomer, hostWindow);
}

int32_t EditVendorCode(BrmWindow hostWindow, const char*, int32_t) {
    return unavailable<int32_t>(frames::EditVendorCode, hostWindow);
}

int32_t EditUser(BrmWindow hostWindow, char*) {
    return unavailable<int32_t>(frames::EditUser, hostWindow);
}

int32_t SetCompanyInfo(BrmWindow hostWindow) {
    return unavailable<int32_t>(frames::SetCompanyInfo, hostWindow);
}

void TaxCatMaint(BrmWindow hostWindow) {
    unavailable<void>(frames::TaxCatMaint, hostWindow);
}

void PriceCatMaint(BrmWindow hostWindow) {
    unavailable<void>(frames::PriceCatMaint, hostWindow);
}

void SerializedMaint(BrmWindow hostWindow) {
    unavailable<void>(frames::SerializedMaint, hostWindow);
}

int16_t StatementOptions(BrmWindow hostWindow, int16_t* minimumDaysOut, int16_t* includeCreditOut,
                         int16_t* sortOrderOut) {
    using maintenance::TStatementOptionsDlg;
    return static_cast<int16_t>(runDialogFrame(
        frames::StatementOptions, hostWindow, [] { return std::make_unique<TStatementOptionsDlg>(); },
        [&](TStatementOptionsDlg& dialog, int modalResult, int& result) {
            if (modalResult != ui::modalOk) {
                result = -1;
                return;
            }
            requireHostBuffers(minimumDaysOut, includeCreditOut, sortOrderOut);
            const maintenance::StatementChoices choices = dialog.choices();
            *minimumDaysOut = choices.minimumDays;
            *includeCreditOut = choices.includeCreditBalances;
            *sortOrderOut = choices.sortOrder;
            result = 1;
        }));
}

// Data utilities and locations

int16_t BackupRestore(BrmWindow hostWindow, int32_t) {
    return unavailable<int16_t>(frames::BackupRestore, hostWindow);
}

void UndeleteCodes(BrmWindow hostWindow) {
    unavailable<void>(frames::UndeleteCodes, hostWindow);
}

void UndeleteCustomers(BrmWindow hostWindow) {
    unavailable<void>(frames::UndeleteCustomers, hostWindow);
}

int32_t ARUndoFacility(BrmWindow hostWindow, int32_t) {
    return unavailable<int32_t>(frames::ARUndoFacility, hostWindow);
}

void TransferInventory(BrmWindow hostWindow, const char*, const char*, const char*, const char*, const char*) {
    unavailable<void>(frames::TransferInventory, hostWindow);
}

void LocationMaint(BrmWindow hostWindow) {
    unavailable<void>(frames::LocationMaint, hostWindow);
}

int16_t SelLocation(BrmWindow hostWindow, char*, const char*, int32_t) {
    return unavailable<int16_t>(frames::SelLocation, hostWindow);
}

int16_t GetDirectory(BrmWindow hostWindow, char*, const char*) {
    return unavailable<int16_t>(frames::GetDirectory, hostWindow);
}

int16_t SetDirectory(BrmWindow hostWindow, char*, const char*) {
    return unavailable<int16_t>(frames::SetDirectory, hostWindow);
}

// Point-of-sale devices

void OpenCashDrawer(int32_t firstCode, int32_t secondCode, int32_t firstRepeat, int32_t secondRepeat,
                    const char* portOrDevice, int32_t appendCarriageReturn) {
    guarded([&] {
        const devices::CashDrawerKick kick{firstCode, secondCode, low16(firstRepeat), low16(secondRepeat),
                                           low16(appendCarriageReturn) != 0};
        try {
            devices::openCashDrawer(kick, textFromHost(portOrDevice));
        } catch (const devices::CashDrawerError& error) {
            showUnownedError(error.what());
        }
    });
}

int16_t MagStripeRead(BrmWindow hostWindow, char* cardNumberOut, char* nameOut, char* expiryOut, char* rawTextOut) {
    using devices::TMagStripeScanDlg;
    return static_cast<int16_t>(runDialogFrame(
        frames::MagStripeRead, hostWindow, [] { return std::make_unique<TMagStripeScanDlg>(); },
        [&](TMagStripeScanDlg& dialog, int modalResult, int& result) {
            result = modalResult;
            if (modalResult != ui::modalOk) {
                return;
            }
            const auto card = devices::parseMagStripe(hostBytes(dialog.swipedText()));
            if (!card) {
                result = -1;
                return;
            }
            requireHostBuffers(cardNumberOut, nameOut, expiryOut, rawTextOut);
            writeHostBytes(cardNumberOut, card->cardNumber, cardNumberLength);
            writeHostBytes(nameOut, card->name, cardNameLength);
            writeHostBytes(expiryOut, card->expiry, cardExpiryLength);
            writeHostBytes(rawTextOut, card->raw, swipeLength);
        }));
}

int16_t GetBarcodeFormat(const char* barcodeFont, char* barcodeTextInOut) {
    guarded([&] {
        if (barcodeTextInOut != nullptr) {
            const std::string input = barcodeTextInOut;
            const std::string prepared = devices::formatBarcodeText(barcodeFont != nullptr ? barcodeFont : "", input);
            writeHostBytes(barcodeTextInOut, prepared, input.size() + 3);
        }
    });
    return 1;
}

// Invoice e-mail

void LocalEMailSetup(BrmWindow hostWindow) {
    unavailable<void>(frames::LocalEMailSetup, hostWindow);
}

int16_t EmailInvoice(BrmWindow hostWindow, const char*, const char*, const char*, const char*) {
    return unavailable<int16_t>(frames::EmailInvoice, hostWindow);
}

void CloseEMailConnection(BrmWindow hostWindow) {
    unavailable<void>(frames::CloseEMailConnection, hostWindow);
}

// About box

void ProgAboutDlg(BrmWindow hostWindow, float version, const char* firstText, const char* secondText) {
    runDialogFrame(
        frames::ProgAboutDlg, hostWindow,
        [&] { return std::make_unique<TAboutDlg>(version, qtextFromHost(firstText), qtextFromHost(secondText)); },
        [](TAboutDlg&, int, int&) {});
}

}  // extern "C"
