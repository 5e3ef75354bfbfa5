#include "selection/SelectionDlg.h"

#include <QLabel>
#include <QPushButton>

#include "data/DatabaseError.h"
#include "ui/BusyCursor.h"
#include "ui/MessageBox.h"
#include "ui/RecordBrowser.h"
#include "ui/RecordGrid.h"
#include "ui/SearchField.h"

namespace brimo::selection {

namespace {

std::unique_ptr<data::Table> openReadOnly(const data::Database& database, std::string_view tableName,
                                          const std::string& tag,
                                          const std::function<void(data::Table&)>& prepareTable) {
    auto table = database.openTable(tableName, data::OpenMode::ReadOnly);
    if (prepareTable) {
        prepareTable(*table);
    }
    if (!tag.empty()) {
        table->setActiveTag(tag);
    }
    return table;
}

}  // namespace

SelectionDlg::SelectionDlg(const QString& name, const QString& caption, int helpTopic, const SelectionContext& context,
                           std::string_view tableName, const std::string& initialTag, SearchFilterSetup filterSetup,
                           QWidget* parent, const std::function<void(data::Table&)>& prepareTable)
    : BrimoDialog(name, caption, helpTopic, parent),
      context_(context),
      database_(context.dataDirectory),
      table_(openReadOnly(database_, tableName, initialTag, prepareTable)),
      filterSetup_(std::move(filterSetup)) {
    browser_ = new ui::RecordBrowser(*table_, this);
    grid_ = new ui::RecordGrid(*browser_, this);
    grid_->setObjectName(QStringLiteral("Grid"));
    search_ = new ui::SearchField(*browser_, *grid_, this);
    search_->setObjectName(QStringLiteral("SearchFor"));
    searchLabel_ = new QLabel(QStringLiteral("&Search For:"), this);
    searchLabel_->setBuddy(search_);

    okButton_ = makeButton("btnOK", QStringLiteral("&OK"));
    okButton_->setDefault(true);
    cancelButton_ = makeButton("btnCancel", QStringLiteral("&Cancel"));
    filterButton_ = makeButton("btnFilter", QStringLiteral("&Filter"));

    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(filterButton_, &QPushButton::clicked, this, [this] { reportErrors([this] { openFilter(); }); });
    connect(grid_, &QAbstractItemView::doubleClicked, this, &QDialog::accept);
    connect(search_, &ui::SearchField::searchChanged, this,
            [this](const QString& text) { reportErrors([&] { searchChanged(text); }); });
}

SelectionDlg::~SelectionDlg() = default;

void SelectionDlg::reportErrors(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        ui::MessageBox::error(this, QString::fromStdString(error.what()));
    }
}

QPushButton* SelectionDlg::makeButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

void SelectionDlg::setSearchText(const QString& text) {
    search_->setText(text);
}

void SelectionDlg::searchChanged(const QString& text) {
    searchNearest(text);
}

void SelectionDlg::searchNearest(const QString& text) {
    if (text.isEmpty()) {
        browser_->first();
    } else {
        browser_->findNearest(text.toStdString());
    }
}

void SelectionDlg::conditionsChanged() {
    browser_->contentsChanged();
    if (!search_->text().isEmpty()) {
        searchNearest(search_->text());
    }
}

std::optional<std::string> SelectionDlg::currentText(std::string_view field) const {
    if (browser_->isEmpty()) {
        return std::nullopt;
    }
    try {
        return table_->asString(field);
    } catch (const data::DatabaseError&) {
        return std::string();
    }
}

void SelectionDlg::applyCriteria(const SearchCriteria& criteria) {
    ui::BusyCursor busy;
    auto matcher = criteria.empty() ? nullptr : std::make_shared<CriteriaMatcher>(criteria, *table_);
    criteria_ = criteria;
    matcher_ = std::move(matcher);
    installRowFilter();
    if (!search_->text().isEmpty()) {
        searchNearest(search_->text());
    }
}

void SelectionDlg::setOwnRowCondition(std::function<bool(const data::Table&)> condition) {
    ownCondition_ = std::move(condition);
    installRowFilter();
}

void SelectionDlg::installRowFilter() {
    if (!matcher_ && !ownCondition_) {
        browser_->setRowFilter({});
        return;
    }
    browser_->setRowFilter([matcher = matcher_, own = ownCondition_](const data::Table& table) {
        return (!own || own(table)) && (!matcher || matcher->matches(table));
    });
}

void SelectionDlg::openFilter() {
    TSearchFilterDlg filter(filterSetup_, criteria_, this);
    if (filter.exec() == ui::modalOk) {
        applyCriteria(filter.criteria());
    }
}

}  // namespace brimo::selection
