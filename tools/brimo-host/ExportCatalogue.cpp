#include "ExportCatalogue.h"

#include <type_traits>
#include <utility>

namespace brimo::demo {
namespace {

template <class T>
constexpr ParameterKind kindOf() {
    if constexpr (std::is_same_v<T, BrmWindow>) {
        return ParameterKind::window;
    } else if constexpr (std::is_same_v<T, const char*>) {
        return ParameterKind::textIn;
    } else if constexpr (std::is_same_v<T, char*>) {
        return ParameterKind::textInOut;
    } else if constexpr (std::is_same_v<T, float>) {
        return ParameterKind::real;
    } else if constexpr (std::is_same_v<T, int16_t*>) {
        return ParameterKind::shortOut;
    } else {
        static_assert(std::is_same_v<T, int32_t>);
        return ParameterKind::integer;
    }
}

template <class Signature>
struct ExportSignature;

template <class R, class... P>
struct ExportSignature<R(P...)> {
    static std::vector<ParameterKind> kinds() { return {kindOf<P>()...}; }

    template <std::size_t... I>
    static std::optional<long> call(void* address, CallFrame& frame, std::index_sequence<I...>) {
        auto function = reinterpret_cast<R (*)(P...)>(address);
        if constexpr (std::is_void_v<R>) {
            function(frame.argument<P>(I)...);
            return std::nullopt;
        } else {
            return static_cast<long>(function(frame.argument<P>(I)...));
        }
    }

    static std::optional<long> invoke(void* address, CallFrame& frame) {
        return call(address, frame, std::index_sequence_for<P...>{});
    }

    static constexpr bool hasResult = !std::is_void_v<R>;
};

// Parameter names and default texts, in the order of the C signature.
using Defaults = std::vector<std::pair<const char*, const char*>>;

template <class Signature>
ExportEntry entry(const char* name, const char* subsystem, const Defaults& defaults) {
    using Traits = ExportSignature<Signature>;
    const std::vector<ParameterKind> kinds = Traits::kinds();
    ExportEntry result{
        QString::fromLatin1(name), QString::fromLatin1(subsystem), {}, Traits::hasResult, false, &Traits::invoke};
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const auto& [parameterName, value] = i < defaults.size() ? defaults[i] : std::pair{"", ""};
        result.parameters.push_back({QString::fromLatin1(parameterName), kinds[i], QString::fromUtf8(value)});
        result.showsDialog = result.showsDialog || kinds[i] == ParameterKind::window;
    }
    return result;
}

constexpr const char* settingsGroup = "Settings and utilities";
constexpr const char* selectionGroup = "Record selection";
constexpr const char* criteriaGroup = "Report criteria";
constexpr const char* maintenanceGroup = "Record maintenance";
constexpr const char* utilitiesGroup = "Data utilities and locations";
constexpr const char* devicesGroup = "Point-of-sale devices";
constexpr const char* mailGroup = "Invoice e-mail";
constexpr const char* aboutGroup = "About box";

const std::pair<const char*, const char*> window{"hostWindow", ""};
const std::pair<const char*, const char*> formula{"formulaOut", ""};
const std::pair<const char*, const char*> description{"descriptionOut", ""};
const std::pair<const char*, const char*> sortKey{"sortKeyOut", ""};

std::vector<ExportEntry> buildCatalogue() {
    return {
        entry<decltype(SetIniFile)>("SetIniFile", settingsGroup, {{"iniFileName", "Brimo.Ini"}}),
        entry<decltype(SetLocations)>("SetLocations", settingsGroup,
                                      {{"dataAlias", ""}, {"secondLocation", ""}, {"locationsDirectory", ""}}),
        entry<decltype(DirExists)>("DirExists", settingsGroup, {{"path", "/tmp"}}),
        entry<decltype(GetFileName)>("GetFileName", settingsGroup, {{"path", "C:\\DATA\\CODE.DBF"}}),
        entry<decltype(GetDatabaseDateFormat)>("GetDatabaseDateFormat", settingsGroup,
                                               {{"dateMaskOut", ""}, {"dateSeparatorOut", ""}}),
        entry<decltype(PreProcessImportString)>("PreProcessImportString", settingsGroup,
                                                {{"line", "1,\"Smith, John\",12"}}),

        entry<decltype(SelectStockCode)>(
            "SelectStockCode", selectionGroup,
            {window, {"searchTextInCodeOut", ""}, {"containersOnly", "0"}, {"showCost", "1"}}),
        entry<decltype(SelectCustomer)>("SelectCustomer", selectionGroup,
                                        {window, {"searchText", ""}, {"showNewButton", "1"}}),
        entry<decltype(SelectVendorCode)>("SelectVendorCode", selectionGroup, {window, {"searchTextInCodeOut", ""}}),
        entry<decltype(SelectOpenSO)>("SelectOpenSO", selectionGroup, {window}),
        entry<decltype(SelectRecurringInvoice)>("SelectRecurringInvoice", selectionGroup, {window}),
        entry<decltype(SelectUnposted)>("SelectUnposted", selectionGroup, {window, {"entryOut", ""}}),
        entry<decltype(MergedLookup)>("MergedLookup", selectionGroup, {window}),

        entry<decltype(StockCodeReportCriteria)>("StockCodeReportCriteria", criteriaGroup,
                                                 {window, formula, description, sortKey}),
        entry<decltype(RMAReportCriteria)>("RMAReportCriteria", criteriaGroup, {window, formula, description, sortKey}),
        entry<decltype(POReportCriteria)>("POReportCriteria", criteriaGroup, {window, formula, description, sortKey}),
        entry<decltype(CustReportCriteria)>("CustReportCriteria", criteriaGroup,
                                            {window, formula, description, sortKey}),
        entry<decltype(CustSalesReportCriteria)>("CustSalesReportCriteria", criteriaGroup,
                                                 {window, formula, description, sortKey}),
        entry<decltype(CustomerInvoiceReportCriteria)>("CustomerInvoiceReportCriteria", criteriaGroup,
                                                       {window, formula, description}),
        entry<decltype(CustomerHistoryReportCriteria)>(
            "CustomerHistoryReportCriteria", criteriaGroup,
            {window, formula, description, sortKey, {"hideNumberSort", "0"}}),
        entry<decltype(SalesReportCriteria)>("SalesReportCriteria", criteriaGroup,
                                             {window, {"reportTypeInFormulaOut", ""}, description, sortKey}),
        entry<decltype(SerializedReportCriteria)>("SerializedReportCriteria", criteriaGroup,
                                                  {window, formula, description}),
        entry<decltype(SalesAnalysisCriteria)>("SalesAnalysisCriteria", criteriaGroup,
                                               {window, formula, description, sortKey}),
        entry<decltype(SelectLabelStockCodes)>("SelectLabelStockCodes", criteriaGroup, {window, formula}),
        entry<decltype(SelectDestination)>("SelectDestination", criteriaGroup,
                                           {window,
                                            {"reportFileInPrinterOut", "INVOICE.RPT"},
                                            {"driverOut", ""},
                                            {"portOut", ""},
                                            {"copiesOut", "1"},
                                            {"collateOut", "0"}}),
        entry<decltype(SQLInterface)>("SQLInterface", criteriaGroup, {window}),

        entry<decltype(EditStockCode)>("EditStockCode", maintenanceGroup,
                                       {window, {"stockCode", ""}, {"singleRecord", "0"}}),
        entry<decltype(EditCustomer)>("EditCustomer", maintenanceGroup,
                                      {window, {"customerNumber", "-1"}, {"newLastName", ""}, {"singleRecord", "0"}}),
        entry<decltype(EditVendorCode)>("EditVendorCode", maintenanceGroup,
                                        {window, {"vendorCode", ""}, {"singleRecord", "0"}}),
        entry<decltype(EditUser)>("EditUser", maintenanceGroup, {window, {"userIdInOut", ""}}),
        entry<decltype(SetCompanyInfo)>("SetCompanyInfo", maintenanceGroup, {window}),
        entry<decltype(TaxCatMaint)>("TaxCatMaint", maintenanceGroup, {window}),
        entry<decltype(PriceCatMaint)>("PriceCatMaint", maintenanceGroup, {window}),
        entry<decltype(SerializedMaint)>("SerializedMaint", maintenanceGroup, {window}),
        entry<decltype(StatementOptions)>(
            "StatementOptions", maintenanceGroup,
            {window, {"minimumDaysOut", ""}, {"includeCreditOut", ""}, {"sortOrderOut", ""}}),

        entry<decltype(BackupRestore)>("BackupRestore", utilitiesGroup, {window, {"restore", "0"}}),
        entry<decltype(UndeleteCodes)>("UndeleteCodes", utilitiesGroup, {window}),
        entry<decltype(UndeleteCustomers)>("UndeleteCustomers", utilitiesGroup, {window}),
        entry<decltype(ARUndoFacility)>("ARUndoFacility", utilitiesGroup, {window, {"customerNumber", "1"}}),
        entry<decltype(TransferInventory)>("TransferInventory", utilitiesGroup,
                                           {window,
                                            {"primaryDataSet", ""},
                                            {"secondaryDataSet", ""},
                                            {"primaryLabel", "Main store"},
                                            {"secondaryLabel", "Branch"},
                                            {"transferId", "T1"}}),
        entry<decltype(LocationMaint)>("LocationMaint", utilitiesGroup, {window}),
        entry<decltype(SelLocation)>(
            "SelLocation", utilitiesGroup,
            {window, {"locationInOut", ""}, {"title", "Location"}, {"hideDirectoryChoice", "0"}}),
        entry<decltype(GetDirectory)>("GetDirectory", utilitiesGroup,
                                      {window, {"directoryInOut", "/tmp"}, {"title", "Directory"}}),
        entry<decltype(SetDirectory)>("SetDirectory", utilitiesGroup,
                                      {window, {"directoryInOut", "/tmp"}, {"directoryKind", "Data"}}),

        entry<decltype(OpenCashDrawer)>("OpenCashDrawer", devicesGroup,
                                        {{"firstCode", "27"},
                                         {"secondCode", "112"},
                                         {"firstRepeat", "1"},
                                         {"secondRepeat", "1"},
                                         {"portOrDevice", "/dev/null"},
                                         {"appendCarriageReturn", "0"}}),
        entry<decltype(MagStripeRead)>(
            "MagStripeRead", devicesGroup,
            {window, {"cardNumberOut", ""}, {"nameOut", ""}, {"expiryOut", ""}, {"rawTextOut", ""}}),
        entry<decltype(GetBarcodeFormat)>("GetBarcodeFormat", devicesGroup,
                                          {{"barcodeFont", "C39"}, {"barcodeTextInOut", "AB 12"}}),

        entry<decltype(LocalEMailSetup)>("LocalEMailSetup", mailGroup, {window}),
        entry<decltype(EmailInvoice)>(
            "EmailInvoice", mailGroup,
            {window, {"reportFile", "INVOICE.RPT"}, {"directory", ""}, {"recipient", ""}, {"subject", "Invoice"}}),
        entry<decltype(CloseEMailConnection)>("CloseEMailConnection", mailGroup, {window}),

        entry<decltype(ProgAboutDlg)>("ProgAboutDlg", aboutGroup,
                                      {window, {"version", "6.01"}, {"firstText", "\u00A9 Brimo"}, {"secondText", ""}}),
    };
}

}  // namespace

const std::vector<ExportEntry>& exportCatalogue() {
    static const std::vector<ExportEntry> catalogue = buildCatalogue();
    return catalogue;
}

}  // namespace brimo::demo
