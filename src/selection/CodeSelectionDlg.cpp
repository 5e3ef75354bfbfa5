#include "selection/CodeSelectionDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "platform/IniFile.h"
#include "selection/PricePrecision.h"
#include "ui/MemoViewer.h"
#include "ui/MessageBox.h"
#include "ui/RecordBrowser.h"
#include "ui/RecordGrid.h"
#include "ui/RecordLabel.h"
#include "ui/SearchField.h"

namespace brimo::selection {

namespace {

constexpr const char* iniSection = "Indicators";
constexpr const char* iniExcludeNonStock = "Exclude NonStock";

SearchFilterSetup codeFilter() {
    return {QStringLiteral("Stock Code Selection Filter"),
            {"CATEGORY", "ALTCODE", "STOCKCODE", "PRICECAT", "LOCATION", "DESC", "MFR", "MODEL", "NOTES", "PREFVENDOR",
             "SUBCAT"},
            "DESC",
            SearchType::partialAnywhere};
}

ui::RecordLabel::Text price(const char* field) {
    return [name = std::string(field)](const data::Table& table) -> std::optional<QString> {
        return QString::asprintf("%.*f", pricePrecision(), table.asNumber(name));
    };
}

std::optional<QString> available(const data::Table& table) {
    const double value = table.asNumber("ONHAND") - table.asNumber("ALLOCATED") - table.asNumber("ONRMA");
    return QString::number(value, 'g', 15);
}

std::optional<QString> containerType(const data::Table& table) {
    switch (table.asInteger("CONTAINER")) {
        case 0:
            return QStringLiteral("None");
        case 1:
            return QStringLiteral("Assembly");
        case 2:
            return QStringLiteral("Container");
        default:
            return std::nullopt;
    }
}

}  // namespace

TCodeSelectionDlg::TCodeSelectionDlg(const SelectionContext& context, QWidget* parent)
    : SelectionDlg(QStringLiteral("CodeSelectionDlg"), QStringLiteral("Stock Code Selection"), helpTopic, context,
                   "CODE", "CODE", codeFilter(), parent) {
    readCompanyRecord();
    grid().setColumns({{QStringLiteral("Stock Code"), 17, "STOCKCODE", {}},
                       {QStringLiteral("Manufacturer"), 25, "MFR", {}},
                       {QStringLiteral("Model"), 15, "MODEL", {}},
                       {QStringLiteral("Description"), 33, "DESC", {}}});

    auto* panel = new QGridLayout;
    panel->setHorizontalSpacing(fontMetrics().averageCharWidth() * 2);
    auto place = [&](int row, int column, QWidget* caption, const char* name, ui::RecordLabel::Text text) {
        auto* value = new ui::RecordLabel(browser(), std::move(text), this);
        value->setObjectName(QLatin1String(name));
        panel->addWidget(caption, row, column);
        panel->addWidget(value, row, column + 1);
        return value;
    };
    auto caption = [this](const QString& text) { return new QLabel(text, this); };
    auto discountCaption = [this](const char* name, const char* field) {
        auto* label = new ui::RecordLabel(browser(), ui::RecordLabel::field(field), this);
        label->setObjectName(QLatin1String(name));
        return label;
    };

    prices_.push_back(place(0, 0, caption(QStringLiteral("List:")), "List", price("LIST")));
    prices_.push_back(place(1, 0, caption(QStringLiteral("Price:")), "Price", price("PRICE")));
    prices_.push_back(place(2, 0, discountCaption("Disc1Desc", "DISC1DESC"), "Discount1", price("DISCOUNT1")));
    prices_.push_back(place(3, 0, discountCaption("Disc2Desc", "DISC2DESC"), "Discount2", price("DISCOUNT2")));
    prices_.push_back(place(4, 0, discountCaption("Disc3Desc", "DISC3DESC"), "Discount3", price("DISCOUNT3")));
    cost_ = place(5, 0, caption(QStringLiteral("Cost:")), "Cost", price("COST"));

    place(0, 2, caption(QStringLiteral("On Hand:")), "OnHand", ui::RecordLabel::field("ONHAND"));
    place(1, 2, caption(QStringLiteral("Allocated:")), "Allocated", ui::RecordLabel::field("ALLOCATED"));
    place(2, 2, caption(QStringLiteral("On Order:")), "OnOrder", ui::RecordLabel::field("ONORDER"));
    place(3, 2, caption(QStringLiteral("On RMA:")), "OnRMA", ui::RecordLabel::field("ONRMA"));
    place(4, 2, caption(QStringLiteral("Available:")), "Available", available);

    place(0, 4, caption(QStringLiteral("Category:")), "Category", ui::RecordLabel::field("CATEGORY"));
    place(1, 4, caption(QStringLiteral("Sub-Category:")), "SubCategory", ui::RecordLabel::field("SUBCAT"));
    place(2, 4, caption(QStringLiteral("Location:")), "Location", ui::RecordLabel::field("LOCATION"));
    place(3, 4, caption(QStringLiteral("Sale Unit:")), "SaleUnit", ui::RecordLabel::field("UNIT"));
    place(4, 4, caption(QStringLiteral("Alt Code:")), "AltCode", ui::RecordLabel::field("ALTCODE"));
    place(5, 4, caption(QStringLiteral("Container Type:")), "ContainerType", containerType);
    panel->setColumnStretch(1, 1);
    panel->setColumnStretch(3, 1);
    panel->setColumnStretch(5, 1);

    if (hidePrices_) {
        for (ui::RecordLabel* value : prices_) {
            value->hide();
        }
        cost_->hide();
    }

    notesButton_ = makeButton("btnNotes", QStringLiteral("No&tes"));
    excludeNonStock_ = new QCheckBox(QStringLiteral("&Exclude Non-Stock Items"), this);
    excludeNonStock_->setObjectName(QStringLiteral("cbExcludeNonStock"));

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel_);
    searchRow->addWidget(&searchField(), 1);
    searchRow->addStretch(1);
    auto* panelRow = new QHBoxLayout;
    panelRow->addLayout(panel, 1);
    auto* filterColumn = new QVBoxLayout;
    filterColumn->addWidget(filterButton_);
    filterColumn->addStretch(1);
    panelRow->addLayout(filterColumn);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(excludeNonStock_);
    buttonRow->addStretch(1);
    buttonRow->addWidget(okButton_);
    buttonRow->addWidget(cancelButton_);
    buttonRow->addWidget(notesButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(&grid(), 1);
    layout->addLayout(panelRow);
    layout->addLayout(buttonRow);

    setTabOrder(&searchField(), &grid());
    setTabOrder(&grid(), filterButton_);
    setTabOrder(filterButton_, okButton_);
    setTabOrder(okButton_, cancelButton_);
    setTabOrder(cancelButton_, notesButton_);
    setTabOrder(notesButton_, excludeNonStock_);

    connect(&browser(), &ui::RecordBrowser::currentChanged, this, &TCodeSelectionDlg::updateNotesButton);
    connect(notesButton_, &QPushButton::clicked, this, [this] { reportErrors([this] { showNotes(); }); });
    connect(excludeNonStock_, &QCheckBox::clicked, this, [this] { reportErrors([this] { rebuildConditions(); }); });
    auto* toggle = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F12), this);
    connect(toggle, &QShortcut::activated, this, &TCodeSelectionDlg::togglePrices);

    const platform::IniFile ini(context_.iniFile);
    excludeNonStock_->setChecked(ini.readBool(iniSection, iniExcludeNonStock, false));
    if (excludeNonStock_->isChecked()) {
        rebuildConditions();
    }
    updateNotesButton();
    resize(grid().horizontalHeader()->length() + 60, sizeHint().height() + 160);
    searchField().setFocus();
}

void TCodeSelectionDlg::readCompanyRecord() {
    int precision = 2;
    try {
        const data::Database database(context_.dataDirectory);
        const auto company = database.openTable("COINFO", data::OpenMode::ReadOnly);
        company->first();
        if (!company->isEmpty()) {
            const int stored = company->asInteger("PRECISION");
            // Anything but 2, 3 or 4 would print prices with a nonsense count
            // of decimals; it counts as unreadable.
            if (stored >= 2 && stored <= 4) {
                precision = stored;
            }
            hidePrices_ = company->asBool("HIDEPRICES");
        }
    } catch (const std::exception&) {
        precision = 2;
        hidePrices_ = false;
    }
    setPricePrecision(precision);
}

void TCodeSelectionDlg::setContainersOnly() {
    containersOnly_ = true;
    rebuildConditions();
}

void TCodeSelectionDlg::forbidCost() {
    costAllowed_ = false;
    cost_->hide();
}

void TCodeSelectionDlg::rebuildConditions() {
    std::vector<std::string> conditions;
    if (containersOnly_) {
        conditions.emplace_back("Container > 0");
    }
    if (excludeNonStock_->isChecked()) {
        conditions.emplace_back("NonStock <> True");
    }
    std::string text;
    for (const std::string& condition : conditions) {
        text += (text.empty() ? "" : " and ") + condition;
    }
    if (text.empty()) {
        table().clearFilter();
    } else {
        table().setFilter(text);
    }
    conditionsChanged();
}

void TCodeSelectionDlg::togglePrices() {
    for (ui::RecordLabel* value : prices_) {
        value->setHidden(!value->isHidden());
    }
    if (costAllowed_) {
        cost_->setHidden(!cost_->isHidden());
    }
}

void TCodeSelectionDlg::updateNotesButton() {
    bool hasNotes = false;
    if (const auto notes = currentText("NOTES")) {
        hasNotes = !notes->empty();
    }
    notesButton_->setEnabled(hasNotes);
}

void TCodeSelectionDlg::showNotes() {
    const auto notes = currentText("NOTES");
    const auto code = currentText("STOCKCODE");
    if (!notes || !code) {
        return;
    }
    ui::MemoViewer::show(this, QStringLiteral("Notes for Stock Code: ") + QString::fromStdString(*code),
                         QString::fromStdString(*notes));
}

void TCodeSelectionDlg::done(int result) {
    try {
        platform::IniFile(context_.iniFile).writeBool(iniSection, iniExcludeNonStock, excludeNonStock_->isChecked());
    } catch (const platform::IniFileError& error) {
        ui::MessageBox::error(this, QString::fromStdString(error.what()));
    }
    SelectionDlg::done(result);
}

}  // namespace brimo::selection
