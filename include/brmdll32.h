/* brmdll32.h: the functions exported by the Brimo support library
 * (libbrmdll32.so on Linux, brmdll32.dll on Windows).
 *
 * Conventions shared by every function:
 * - Text buffers are zero-terminated 8-bit strings owned by the caller, in the
 *   code page of the data files (Windows-1252 where no other is known). Input
 *   buffers are read up to the zero. Output buffers are written whole: the
 *   caller provides room for the longest value the function can write (see
 *   docs/exports.md). The library never keeps a buffer's address.
 * - 16-bit arguments travel in 32-bit slots; only the low 16 bits are read.
 * - hostWindow is the native handle of the window that owns the dialog (an X11
 *   window id on Linux); 0 means the dialog has no owner.
 * - All functions must be called from the thread that first called the
 *   library. Dialog functions return after their modal dialog has closed.
 * - No function lets an error escape: failures are reported by the result
 *   values listed in docs/exports.md.
 */
#ifndef BRMDLL32_H
#define BRMDLL32_H

#include <stdint.h>

#if defined(_WIN32)
#define BRM_CALL __stdcall
#else
#define BRM_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef uint32_t BrmWindow;

/* Settings and utilities */
int16_t BRM_CALL SetIniFile(const char* iniFileName);
void BRM_CALL SetLocations(const char* dataAlias, const char* secondLocation, const char* locationsDirectory);
int16_t BRM_CALL DirExists(const char* path);
void BRM_CALL GetFileName(char* path);
int32_t BRM_CALL GetDatabaseDateFormat(char* dateMask, char* dateSeparator);
void BRM_CALL PreProcessImportString(char* line);

/* Record selection */
int16_t BRM_CALL SelectStockCode(BrmWindow hostWindow, char* searchTextInCodeOut, int32_t containersOnly, int32_t showCost);
int32_t BRM_CALL SelectCustomer(BrmWindow hostWindow, const char* searchText, int32_t showNewButton);
int32_t BRM_CALL SelectVendorCode(BrmWindow hostWindow, char* searchTextInCodeOut);
int32_t BRM_CALL SelectOpenSO(BrmWindow hostWindow);
int32_t BRM_CALL SelectRecurringInvoice(BrmWindow hostWindow);
int16_t BRM_CALL SelectUnposted(BrmWindow hostWindow, char* entryOut);
void BRM_CALL MergedLookup(BrmWindow hostWindow);

/* Report criteria */
int16_t BRM_CALL StockCodeReportCriteria(BrmWindow hostWindow, char* formulaOut, char* descriptionOut, char* sortKeyOut);
int16_t BRM_CALL RMAReportCriteria(BrmWindow hostWindow, char* formulaOut, char* descriptionOut, char* sortKeyOut);
int16_t BRM_CALL POReportCriteria(BrmWindow hostWindow, char* formulaOut, char* descriptionOut, char* sortKeyOut);
int16_t BRM_CALL CustReportCriteria(BrmWindow hostWindow, char* formulaOut, char* descriptionOut, char* sortKeyOut);
int16_t BRM_CALL CustSalesReportCriteria(BrmWindow hostWindow, char* formulaOut, char* descriptionOut, char* sortKeyOut);
int16_t BRM_CALL CustomerInvoiceReportCriteria(BrmWindow hostWindow, char* formulaOut, char* descriptionOut);
int16_t BRM_CALL CustomerHistoryReportCriteria(BrmWindow hostWindow, char* formulaOut, char* descriptionOut, char* sortKeyOut,
                                               int32_t hideNumberSort);
int16_t BRM_CALL SalesReportCriteria(BrmWindow hostWindow, char* reportTypeInFormulaOut, char* descriptionOut, char* sortKeyOut);
int16_t BRM_CALL SerializedReportCriteria(BrmWindow hostWindow, char* formulaOut, char* descriptionOut);
int16_t BRM_CALL SalesAnalysisCriteria(BrmWindow hostWindow, char* formulaOut, char* descriptionOut, char* sortKeyOut);
int16_t BRM_CALL SelectLabelStockCodes(BrmWindow hostWindow, char* formulaOut);
int16_t BRM_CALL SelectDestination(BrmWindow hostWindow, char* reportFileInPrinterOut, char* driverOut, char* portOut,
                                   int16_t* copiesOut, int16_t* collateOut);
int16_t BRM_CALL SQLInterface(BrmWindow hostWindow);

/* Record maintenance */
int32_t BRM_CALL EditStockCode(BrmWindow hostWindow, const char* stockCode, int32_t singleRecord);
int32_t BRM_CALL EditCustomer(BrmWindow hostWindow, int32_t customerNumber, const char* newLastName, int32_t singleRecord);
int32_t BRM_CALL EditVendorCode(BrmWindow hostWindow, const char* vendorCode, int32_t singleRecord);
int32_t BRM_CALL EditUser(BrmWindow hostWindow, char* userIdInOut);
int32_t BRM_CALL SetCompanyInfo(BrmWindow hostWindow);
void BRM_CALL TaxCatMaint(BrmWindow hostWindow);
void BRM_CALL PriceCatMaint(BrmWindow hostWindow);
void BRM_CALL SerializedMaint(BrmWindow hostWindow);
int16_t BRM_CALL StatementOptions(BrmWindow hostWindow, int16_t* minimumDaysOut, int16_t* includeCreditOut, int16_t* sortOrderOut);

/* Data utilities and locations */
int16_t BRM_CALL BackupRestore(BrmWindow hostWindow, int32_t restore);
void BRM_CALL UndeleteCodes(BrmWindow hostWindow);
void BRM_CALL UndeleteCustomers(BrmWindow hostWindow);
int32_t BRM_CALL ARUndoFacility(BrmWindow hostWindow, int32_t customerNumber);
void BRM_CALL TransferInventory(BrmWindow hostWindow, const char* primaryDataSet, const char* secondaryDataSet,
                                const char* primaryLabel, const char* secondaryLabel, const char* transferId);
void BRM_CALL LocationMaint(BrmWindow hostWindow);
int16_t BRM_CALL SelLocation(BrmWindow hostWindow, char* locationInOut, const char* title, int32_t hideDirectoryChoice);
int16_t BRM_CALL GetDirectory(BrmWindow hostWindow, char* directoryInOut, const char* title);
int16_t BRM_CALL SetDirectory(BrmWindow hostWindow, char* directoryInOut, const char* directoryKind);

/* Point-of-sale devices */
void BRM_CALL OpenCashDrawer(int32_t firstCode, int32_t secondCode, int32_t firstRepeat, int32_t secondRepeat,
                             const char* portOrDevice, int32_t appendCarriageReturn);
int16_t BRM_CALL MagStripeRead(BrmWindow hostWindow, char* cardNumberOut, char* nameOut, char* expiryOut, char* rawTextOut);
int16_t BRM_CALL GetBarcodeFormat(const char* barcodeFont, char* barcodeTextInOut);

/* Invoice e-mail */
void BRM_CALL LocalEMailSetup(BrmWindow hostWindow);
int16_t BRM_CALL EmailInvoice(BrmWindow hostWindow, const char* reportFile, const char* directory, const char* recipient,
                              const char* subject);
void BRM_CALL CloseEMailConnection(BrmWindow hostWindow);

/* About box */
void BRM_CALL ProgAboutDlg(BrmWindow hostWindow, float version, const char* firstText, const char* secondText);

#ifdef __cplusplus
}
#endif

#endif
