#pragma once

namespace brimo::host {

// What a dialog export returns when its frame catches a failure.
struct FrameRule {
    // Returned when the dialog cannot be created. In a single-guard frame this
    // is also the result the export starts from.
    int creationFailure;
    // Returned when a failure comes after the dialog was created.
    int runFailure;
    // Single-guard frames: a failure after the dialog closed keeps the result
    // that had already been set instead of returning runFailure.
    bool keepsAssignedResult;
};

// Creation and run failures have values of their own.
constexpr FrameRule twoStage(int creationFailure, int runFailure) {
    return {creationFailure, runFailure, false};
}

// One guard around creation and run: the result starts at initialResult and a
// failure returns whatever it holds by then.
constexpr FrameRule singleGuard(int initialResult) {
    return {initialResult, initialResult, true};
}

// One guard whose failure always gives the same value.
constexpr FrameRule singleGuardFailingWith(int failureResult) {
    return {failureResult, failureResult, false};
}

// For exports without a result the values are never seen; they are 0.
namespace frames {
// Record selection
inline constexpr FrameRule SelectStockCode = twoStage(-1, -1);
inline constexpr FrameRule SelectCustomer = singleGuard(-1);
inline constexpr FrameRule SelectVendorCode = singleGuard(-1);
inline constexpr FrameRule SelectOpenSO = singleGuard(-1);
inline constexpr FrameRule SelectRecurringInvoice = singleGuardFailingWith(-1);
inline constexpr FrameRule SelectUnposted = twoStage(0, 0);
inline constexpr FrameRule MergedLookup = singleGuard(0);
// Report criteria
inline constexpr FrameRule StockCodeReportCriteria = singleGuard(0);
inline constexpr FrameRule RMAReportCriteria = singleGuardFailingWith(-1);
inline constexpr FrameRule POReportCriteria = singleGuard(0);
inline constexpr FrameRule CustReportCriteria = singleGuard(-1);
inline constexpr FrameRule CustSalesReportCriteria = singleGuard(-1);
inline constexpr FrameRule CustomerInvoiceReportCriteria = singleGuard(-1);
inline constexpr FrameRule CustomerHistoryReportCriteria = singleGuard(-1);
inline constexpr FrameRule SalesReportCriteria = singleGuard(-1);
inline constexpr FrameRule SerializedReportCriteria = singleGuard(0);
inline constexpr FrameRule SalesAnalysisCriteria = singleGuard(-1);
inline constexpr FrameRule SelectLabelStockCodes = twoStage(-1, -1);
inline constexpr FrameRule SelectDestination = twoStage(-1, -1);
inline constexpr FrameRule SQLInterface = singleGuard(-1);
// Record maintenance
inline constexpr FrameRule EditStockCode = twoStage(-1, -1);
inline constexpr FrameRule EditCustomer = twoStage(-1, -1);
inline constexpr FrameRule EditVendorCode = twoStage(-1, -1);
inline constexpr FrameRule EditUser = twoStage(-1, -1);
inline constexpr FrameRule SetCompanyInfo = singleGuardFailingWith(-1);
inline constexpr FrameRule TaxCatMaint = singleGuard(0);
inline constexpr FrameRule PriceCatMaint = singleGuard(0);
inline constexpr FrameRule SerializedMaint = singleGuard(0);
inline constexpr FrameRule StatementOptions = twoStage(0, -1);
// Data utilities and locations
inline constexpr FrameRule BackupRestore = twoStage(0, 0);
inline constexpr FrameRule UndeleteCodes = singleGuard(0);
inline constexpr FrameRule UndeleteCustomers = singleGuard(0);
inline constexpr FrameRule ARUndoFacility = twoStage(-1, -1);
inline constexpr FrameRule TransferInventory = singleGuard(0);
inline constexpr FrameRule LocationMaint = twoStage(0, 0);
inline constexpr FrameRule SelLocation = twoStage(0, 0);
inline constexpr FrameRule GetDirectory = twoStage(0, -1);
inline constexpr FrameRule SetDirectory = twoStage(0, 0);
// Point-of-sale devices
inline constexpr FrameRule MagStripeRead = twoStage(-1, -1);
// Invoice e-mail
inline constexpr FrameRule LocalEMailSetup = singleGuard(0);
inline constexpr FrameRule EmailInvoice = singleGuardFailingWith(-1);
inline constexpr FrameRule CloseEMailConnection = singleGuard(0);
// About box
inline constexpr FrameRule ProgAboutDlg = twoStage(0, 0);
}  // namespace frames

}  // namespace brimo::host
