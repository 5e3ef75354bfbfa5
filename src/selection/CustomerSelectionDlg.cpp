#include "selection/CustomerSelectionDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/DatabaseError.h"
#include "ui/IndexChoice.h"
#include "ui/MemoViewer.h"
#include "ui/RecordBrowser.h"
#include "ui/RecordGrid.h"
#include "ui/RecordLabel.h"
#include "ui/SearchField.h"

namespace brimo::selection {

namespace {

constexpr const char* nameTag = "FULLNAME";
constexpr const char* accountTag = "EXTACCT";
constexpr const char* selectionName = "SelectionName";

SearchFilterSetup customerFilter() {
    return {QStringLiteral("Customer Selection Filter"),
            {"ADD1", "CONTACT", "BADDEBT", "CCNUM", "LASTNAME", "CATEGORY", "CITY", "COUNTRY", "DATEADDED", "FIRSTNAME",
             "NOTES", "PHONE", "STATE", "ZIP"},
            "PHONE",
            SearchType::partialAnywhere};
}

// "Smith, John", or the last name alone when there is no first name.
void addSelectionName(data::Table& table) {
    table.addCalculatedField({selectionName, 'C', 35, 0});
    table.setOnCalcFields([](data::Table& t) {
        const std::string last = t.asString("LASTNAME");
        const std::string first = t.asString("FIRSTNAME");
        t.setString(selectionName, first.empty() ? last : last + ", " + first);
    });
}

ui::GridColumn nameColumn() {
    return {QStringLiteral("Name/Company"), 33, selectionName, {}};
}
ui::GridColumn addressColumn() {
    return {QStringLiteral("Address"), 25, "ADD1", {}};
}
ui::GridColumn accountColumn() {
    return {QStringLiteral("Account #"), 16, "EXTACCT", {}};
}
ui::GridColumn phoneColumn() {
    return {QStringLiteral("Phone"), 15, "PHONE", {}};
}

}  // namespace

TCustomerSelectionDlg::TCustomerSelectionDlg(const SelectionContext& context, QWidget* parent)
    : SelectionDlg(QStringLiteral("CustomerSelectionDlg"), QStringLiteral("Customer Selection"), helpTopic, context,
                   "CUST", nameTag, customerFilter(), parent, addSelectionName) {
    arrangeColumns(QString::fromLatin1(nameTag));

    indexChoice_ = new ui::IndexChoice(table(), this);
    indexChoice_->setObjectName(QStringLiteral("IndexToUse"));
    auto* indexLabel = new QLabel(QStringLiteral("Index To Use:"), this);
    indexLabel->setBuddy(indexChoice_);
    newButton_ = makeButton("btnNew", QStringLiteral("&New"));
    notesButton_ = makeButton("btnNotes", QStringLiteral("No&tes"));

    auto* panel = new QHBoxLayout;
    auto place = [&](const QString& caption, const char* name, const char* field) {
        auto* value = new ui::RecordLabel(browser(), ui::RecordLabel::field(field), this);
        value->setObjectName(QLatin1String(name));
        value->setMinimumWidth(fontMetrics().averageCharWidth() * 12);
        panel->addWidget(new QLabel(caption, this));
        panel->addWidget(value);
    };
    place(QStringLiteral("Cust #:"), "CustNum", "CUSTNUM");
    place(QStringLiteral("City:"), "City", "CITY");
    place(QStringLiteral("State:"), "State", "STATE");
    panel->addStretch(1);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel_);
    searchRow->addWidget(&searchField(), 1);
    searchRow->addSpacing(fontMetrics().averageCharWidth() * 4);
    searchRow->addWidget(indexLabel);
    searchRow->addWidget(indexChoice_);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(filterButton_);
    buttonRow->addWidget(notesButton_);
    buttonRow->addStretch(1);
    buttonRow->addWidget(okButton_);
    buttonRow->addWidget(cancelButton_);
    buttonRow->addWidget(newButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(&grid(), 1);
    layout->addLayout(panel);
    layout->addLayout(buttonRow);

    setTabOrder(&searchField(), &grid());
    setTabOrder(&grid(), okButton_);
    setTabOrder(okButton_, cancelButton_);
    setTabOrder(cancelButton_, newButton_);
    setTabOrder(newButton_, indexChoice_);
    setTabOrder(indexChoice_, notesButton_);
    setTabOrder(notesButton_, filterButton_);

    connect(newButton_, &QPushButton::clicked, this, [this] { done(modalNewCustomer); });
    connect(notesButton_, &QPushButton::clicked, this, [this] { reportErrors([this] { showNotes(); }); });
    connect(indexChoice_, &ui::IndexChoice::tagChosen, this,
            [this](const QString& tag) { reportErrors([&] { chooseTag(tag); }); });
    connect(&browser(), &ui::RecordBrowser::currentChanged, this, &TCustomerSelectionDlg::updateNotesButton);
    updateNotesButton();
    resize(grid().horizontalHeader()->length() + 60, sizeHint().height() + 200);
    searchField().setFocus();
}

void TCustomerSelectionDlg::arrangeColumns(const QString& tag) {
    if (tag.compare(QLatin1String(accountTag), Qt::CaseInsensitive) == 0) {
        grid().setColumns({accountColumn(), nameColumn(), addressColumn(), phoneColumn()});
    } else if (tag.compare(QLatin1String(nameTag), Qt::CaseInsensitive) == 0 ||
               tag.compare(QLatin1String("CUSTNUM"), Qt::CaseInsensitive) == 0) {
        grid().setColumns({nameColumn(), addressColumn(), accountColumn(), phoneColumn()});
    }
}

void TCustomerSelectionDlg::chooseTag(const QString& tag) {
    // A new order lists the whole table again.
    table().setActiveTag(tag.toStdString());
    arrangeColumns(tag);
    browser().contentsChanged();
}

void TCustomerSelectionDlg::searchChanged(const QString& text) {
    if (indexChoice_->shownTag().compare(QLatin1String(nameTag), Qt::CaseInsensitive) != 0) {
        searchNearest(text);
        return;
    }
    // The names that begin with the text: a shorter end key matches as a
    // prefix, which is the start text followed by the highest character.
    if (text.isEmpty()) {
        table().cancelRange();
    } else {
        table().setRange(text.toStdString(), text.toStdString());
    }
    browser().contentsChanged();
}

void TCustomerSelectionDlg::applyStartText(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    if (text.startsWith(QLatin1Char('!'))) {
        SearchCriteria phone;
        phone.set({"Phone", text.mid(1).toStdString(), SearchType::partialAnywhere, false, false, {}, {}});
        applyCriteria(phone);
        return;
    }
    QString plain = text;
    if (text.startsWith(QLatin1Char('@'))) {
        table().setActiveTag(accountTag);
        indexChoice_->showTag(QString::fromLatin1(accountTag));
        arrangeColumns(QString::fromLatin1(accountTag));
        browser().contentsChanged();
        plain = text.mid(1);
    }
    setSearchText(plain);
}

void TCustomerSelectionDlg::hideNewButton() {
    newButton_->hide();
}

std::optional<int32_t> TCustomerSelectionDlg::currentCustomerNumber() const {
    const std::optional<std::string> number = currentText("CUSTNUM");
    if (!number || number->empty()) {
        return std::nullopt;
    }
    try {
        return table().asInteger("CUSTNUM");
    } catch (const data::DatabaseError&) {
        return std::nullopt;
    }
}

void TCustomerSelectionDlg::updateNotesButton() {
    bool hasNotes = false;
    if (const auto notes = currentText("NOTES")) {
        hasNotes = !notes->empty();
    }
    notesButton_->setEnabled(hasNotes);
}

void TCustomerSelectionDlg::showNotes() {
    const auto notes = currentText("NOTES");
    const auto name = currentText(selectionName);
    if (!notes || !name) {
        return;
    }
    ui::MemoViewer::show(this, QStringLiteral("Notes for Customer: ") + QString::fromStdString(*name),
                         QString::fromStdString(*notes));
}

}  // namespace brimo::selection
