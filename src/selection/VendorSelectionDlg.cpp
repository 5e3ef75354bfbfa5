#include "selection/VendorSelectionDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/IndexChoice.h"
#include "ui/RecordBrowser.h"
#include "ui/RecordGrid.h"
#include "ui/SearchField.h"

namespace brimo::selection {

namespace {

constexpr const char* codeTag = "VENDORCODE";
constexpr const char* nameTag = "VENDORNAME";

SearchFilterSetup vendorFilter() {
    return {QStringLiteral("Vendor Selection Filter"),
            {"ADD1", "CITY", "CODE", "CONTACT", "NAME", "NOTES", "PHONE", "STATE", "ZIP"},
            "PHONE",
            SearchType::partialAnywhere};
}

bool isTag(const QString& shown, const char* tag) {
    return shown.compare(QLatin1String(tag), Qt::CaseInsensitive) == 0;
}

// The field whose values a tag orders; empty for a tag of the host's own.
std::string fieldOfTag(const QString& tag) {
    if (isTag(tag, codeTag))
        return "CODE";
    if (isTag(tag, nameTag))
        return "NAME";
    return {};
}

}  // namespace

TVendorSelectionDlg::TVendorSelectionDlg(const SelectionContext& context, QWidget* parent)
    : SelectionDlg(QStringLiteral("VendorSelectionDlg"), QStringLiteral("Vendor Selection"), helpTopic, context,
                   "VENDOR", codeTag, vendorFilter(), parent) {
    arrangeColumns(QString::fromLatin1(codeTag));
    indexChoice_ = new ui::IndexChoice(table(), this);
    indexChoice_->setObjectName(QStringLiteral("IndexToUse"));
    auto* indexLabel = new QLabel(QStringLiteral("Index To Use:"), this);
    indexLabel->setBuddy(indexChoice_);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel_);
    searchRow->addWidget(&searchField(), 1);
    searchRow->addSpacing(fontMetrics().averageCharWidth() * 4);
    searchRow->addWidget(indexLabel);
    searchRow->addWidget(indexChoice_);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(filterButton_);
    buttonRow->addStretch(1);
    buttonRow->addWidget(okButton_);
    buttonRow->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(&grid(), 1);
    layout->addLayout(buttonRow);

    setTabOrder(&searchField(), &grid());
    setTabOrder(&grid(), okButton_);
    setTabOrder(okButton_, cancelButton_);
    setTabOrder(cancelButton_, indexChoice_);
    setTabOrder(indexChoice_, filterButton_);

    connect(indexChoice_, &ui::IndexChoice::tagChosen, this,
            [this](const QString& tag) { reportErrors([&] { chooseTag(tag); }); });
    resize(grid().horizontalHeader()->length() + 60, sizeHint().height() + 200);
    searchField().setFocus();
}

void TVendorSelectionDlg::arrangeColumns(const QString& tag) {
    const ui::GridColumn code{QStringLiteral("Vendor Code"), 15, "CODE", {}};
    const ui::GridColumn name{QStringLiteral("Vendor Name"), 29, "NAME", {}};
    const ui::GridColumn contact{QStringLiteral("Contact"), 20, "CONTACT", {}};
    const ui::GridColumn phone{QStringLiteral("Phone"), 15, "PHONE", {}};
    const ui::GridColumn extension{QStringLiteral("Extension"), 10, "EXTENSION", {}};
    if (isTag(tag, nameTag)) {
        grid().setColumns({name, code, contact, phone, extension});
    } else if (isTag(tag, codeTag)) {
        grid().setColumns({code, name, contact, phone, extension});
    }
}

void TVendorSelectionDlg::applyPrefixRange() {
    const std::string activeField = fieldOfTag(indexChoice_->shownTag());
    if (range_ && range_->field == activeField) {
        table().setRange(range_->prefix, range_->prefix);
        setOwnRowCondition({});
    } else if (range_) {
        // The order shown is another field's: the narrowing holds as a row
        // condition, compared as the name tag compares (upper case) for
        // names and as stored for codes.
        table().cancelRange();
        const bool upper = range_->field == "NAME";
        setOwnRowCondition([range = *range_, upper](const data::Table& t) {
            const std::string value = t.asString(range.field);
            return (upper ? foldCase(value) : value).starts_with(range.prefix);
        });
    } else {
        table().cancelRange();
        setOwnRowCondition({});
    }
    browser().contentsChanged();
}

void TVendorSelectionDlg::setPrefixRange(std::optional<PrefixRange> range) {
    if (range && range->prefix.empty()) {
        range.reset();
    }
    range_ = std::move(range);
    applyPrefixRange();
}

void TVendorSelectionDlg::chooseTag(const QString& tag) {
    table().setActiveTag(tag.toStdString());
    arrangeColumns(tag);
    applyPrefixRange();
}

void TVendorSelectionDlg::searchChanged(const QString& text) {
    if (isTag(indexChoice_->shownTag(), nameTag)) {
        setPrefixRange(PrefixRange{"NAME", text.toStdString()});
        return;
    }
    searchNearest(text);
}

void TVendorSelectionDlg::applyStartText(const QString& text) {
    const QString upper = text.toUpper();
    const std::string field = fieldOfTag(indexChoice_->shownTag());
    if (!field.empty()) {
        setPrefixRange(PrefixRange{field, upper.toStdString()});
    }
    setSearchText(upper);
}

}  // namespace brimo::selection
