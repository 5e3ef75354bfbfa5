#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "ui/FieldBindings.h"
#include "ui/RecordLink.h"

#include "data/Database.h"
#include "data/Table.h"
#include "maintenance/stockcode/CompanyPricing.h"
#include "maintenance/stockcode/StockCodePosting.h"
#include "ui/RecordEditorDialog.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace brimo::ui {
class EditorPages;
class LookupField;
class NumericEntryField;
class RecordNavigator;
}  // namespace brimo::ui

namespace brimo::maintenance {

// "Stock Code Information": the editor of the stock codes of CODE, either on
// one stock code (single-record mode, no navigator) or browsing them all. It
// changes existing records only. Saving applies the posting rules and adds
// new categories and sub-categories to their pick lists; closing a browsing
// editor recomputes the cost of the containers and assemblies that hold a
// stock code whose cost the user changed.
class TStockCodeInformation : public ui::RecordEditorDialog {
    Q_OBJECT

  public:
    // Reads the company's price settings and opens the tables of the data
    // directory; throws DatabaseError when one of the editor's tables cannot
    // be opened.
    TStockCodeInformation(const std::filesystem::path& dataDirectory, bool singleRecord, QWidget* parent = nullptr);
    ~TStockCodeInformation() override;

    // Shows the stock code `code` (found exactly in stock code order), or the
    // first stock code when the text is empty or no record has it.
    void showStockCode(const std::string& code);

    int pricePrecision() const { return company_.precision; }

    void done(int result) override;

  private:
    void openTables();
    QWidget* buildHeader();
    QWidget* buildGeneralPage();
    QWidget* buildPricingPage();
    QWidget* buildNotesPage();
    QWidget* buildPriceDisplay();
    ui::NumericEntryField* priceBox(const char* name, const char* field);

    void CodeTableBeforePost(data::Table& table);
    void CodeTableAfterPost(data::Table& table);
    void SerializedClick(bool checked);
    void ContainerClick(int type);
    void PriceCatChange(const QString& category);
    void btnRecalcClick();
    void rollUpCosts();

    data::Database database_;
    CompanyPricing company_;
    bool singleRecord_;
    StockCodePosting posting_;
    std::unique_ptr<data::Table> code_;
    std::unique_ptr<data::Table> categories_;
    std::unique_ptr<data::Table> subCategories_;
    std::unique_ptr<data::Table> vendors_;
    std::unique_ptr<data::Table> priceCategories_;
    // Declared after the tables, so that they go first.
    std::unique_ptr<ui::RecordLink> link_;
    std::unique_ptr<ui::FieldBindings> bindings_;
    ui::RecordNavigator* navigator_ = nullptr;
    ui::EditorPages* pages_ = nullptr;
    ui::LookupField* category_ = nullptr;
    bool costTyped_ = false;
    bool closing_ = false;
};

}  // namespace brimo::maintenance
