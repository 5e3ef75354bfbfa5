#include "maintenance/StockCodeInformation.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "maintenance/LinkedRecord.h"
#include "maintenance/pricing/AutomaticPricing.h"
#include "maintenance/pricing/PricingSettings.h"
#include "maintenance/stockcode/ContainerCostRollUp.h"
#include "maintenance/stockcode/ExactKey.h"
#include "maintenance/stockcode/PickLists.h"
#include "maintenance/stockcode/TableRecord.h"
#include "ui/BusyCursor.h"
#include "ui/EditorPages.h"
#include "ui/ErrorReport.h"
#include "ui/FieldBindings.h"
#include "ui/LookupField.h"
#include "ui/MessageBox.h"
#include "ui/RecordLink.h"
#include "ui/RecordNavigator.h"

namespace brimo::maintenance {
namespace {

constexpr int generalHelpTopic = 5029;

// The rounding amount last read from the company record, kept for as long as
// the library is loaded: an editor that cannot read the record works with it.
int& rememberedRoundingAmount() {
    static int amount = 0;
    return amount;
}

CompanyPricing readCompany(const data::Database& database) {
    const CompanyPricing company = readCompanyPricing(database, rememberedRoundingAmount());
    rememberedRoundingAmount() = company.roundingAmount;
    return company;
}

}  // namespace

TStockCodeInformation::TStockCodeInformation(const std::filesystem::path& dataDirectory, bool singleRecord,
                                             QWidget* parent)
    : RecordEditorDialog(QStringLiteral("StockCodeInformation"), QStringLiteral("Stock Code Information"),
                         generalHelpTopic, parent),
      database_(dataDirectory),
      company_(readCompany(database_)),
      singleRecord_(singleRecord),
      posting_(!singleRecord, company_.roundingAmount) {
    openTables();
    link_ = std::make_unique<ui::RecordLink>(*code_);
    bindings_ = std::make_unique<ui::FieldBindings>(*link_);
    setRecordLink(link_.get());
    connect(link_.get(), &ui::RecordLink::recordChanged, this, [this] { costTyped_ = false; });

    pages_ = new ui::EditorPages(this);
    QWidget* general = buildGeneralPage();
    pages_->addPage(general, QStringLiteral("&General"), generalHelpTopic, category_);
    QWidget* pricing = buildPricingPage();
    pages_->addPage(pricing, QStringLiteral("&Pricing"), 5227,
                    pricing->findChild<QWidget*>(QStringLiteral("rgListMthd")));
    QWidget* notes = buildNotesPage();
    pages_->addPage(notes, QStringLiteral("&Notes"), 5226, notes->findChild<QWidget*>(QStringLiteral("Notes")));
    setPages(pages_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildHeader());
    layout->addWidget(pages_, 1);
    layout->addLayout(createOkCancelRow());
    navigator_->setVisible(!singleRecord_);

    code_->setBeforePost([this](data::Table& table) { CodeTableBeforePost(table); });
    code_->setAfterPost([this](data::Table& table) { CodeTableAfterPost(table); });
    category_->setFocus();
}

// The controls go before the link and the tables they show.
TStockCodeInformation::~TStockCodeInformation() {
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

void TStockCodeInformation::openTables() {
    code_ = database_.openTable("CODE");
    code_->setActiveTag("CODE");
    categories_ = database_.openTable("CODECAT");
    subCategories_ = database_.openTable("CODESUB");
    vendors_ = database_.openTable("VENDOR", data::OpenMode::ReadOnly);
    priceCategories_ = database_.openTable("PRICECAT", data::OpenMode::ReadOnly);
}

QWidget* TStockCodeInformation::buildHeader() {
    auto* header = new QWidget(this);
    auto* codeLabel = new QLabel(QStringLiteral("Stock Code:"), header);
    auto* code = new QLabel(header);
    code->setObjectName(QStringLiteral("StockCode"));
    code->setFrameShape(QFrame::StyledPanel);
    code->setFrameShadow(QFrame::Sunken);
    code->setMinimumWidth(code->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 12);
    code->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bindings_->display(code, "STOCKCODE");
    using B = ui::RecordNavigator::Button;
    navigator_ =
        new ui::RecordNavigator(*link_, {B::first, B::prior, B::next, B::last, B::post, B::cancel, B::refresh}, header);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(codeLabel);
    row->addWidget(code);
    row->addStretch(1);
    row->addWidget(navigator_);
    return header;
}

void TStockCodeInformation::showStockCode(const std::string& code) {
    if (!code.empty() && link_->findKey(exactTextKey(*code_, "STOCKCODE", code))) {
        return;
    }
    link_->first();
}

void TStockCodeInformation::CodeTableBeforePost(data::Table& table) {
    TableRecord record(table);
    posting_.beforePost(record, costTyped_);
}

void TStockCodeInformation::CodeTableAfterPost(data::Table& table) {
    costTyped_ = false;
    addToPickList(*categories_, table.asString("CATEGORY"));
    addToPickList(*subCategories_, table.asString("SUBCAT"));
}

void TStockCodeInformation::SerializedClick(bool checked) {
    if (checked) {
        ui::reportErrors(this, [this] { link_->setValue("CONTAINER", static_cast<double>(ContainerType::none)); });
    }
}

void TStockCodeInformation::ContainerClick(int type) {
    if (type != static_cast<int>(ContainerType::none)) {
        ui::reportErrors(this, [this] { link_->setValue("SERIALIZED", false); });
    }
}

void TStockCodeInformation::PriceCatChange(const QString& category) {
    ui::reportErrors(this, [&] {
        const std::string key = exactTextKey(*priceCategories_, "PRICECAT", category.toStdString());
        if (priceCategories_->findKey(key)) {
            LinkedRecord record(*link_);
            copyPricingSettings(TableRecord(*priceCategories_), record);
        }
    });
}

void TStockCodeInformation::btnRecalcClick() {
    ui::reportErrors(this, [this] {
        link_->edit();
        LinkedRecord record(*link_);
        recalculatePrices(record, company_.roundingAmount);
    });
}

void TStockCodeInformation::done(int result) {
    if (!closing_) {
        closing_ = true;
        rollUpCosts();
    }
    RecordEditorDialog::done(result);
}

void TStockCodeInformation::rollUpCosts() {
    if (posting_.changedCosts().empty()) {
        return;
    }
    ui::BusyCursor busy;
    costTyped_ = false;
    ui::reportErrors(this, [this] {
        rollUpContainerCosts(
            database_, *code_, posting_.changedCosts(), company_.precision,
            [this](const std::exception& error) { ui::MessageBox::error(this, QString::fromUtf8(error.what())); });
    });
}

}  // namespace brimo::maintenance
