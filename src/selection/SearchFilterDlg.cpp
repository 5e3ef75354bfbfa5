#include "selection/SearchFilterDlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/MessageBox.h"

namespace brimo::selection {

namespace {

QString typeName(SearchType type) {
    switch (type) {
        case SearchType::exactMatch:
            return QStringLiteral("Exact Match");
        case SearchType::partialAtBeginning:
            return QStringLiteral("Partial Match at Beginning");
        case SearchType::partialAnywhere:
            return QStringLiteral("Partial Match Anywhere");
    }
    return {};
}

QRadioButton* radio(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QLineEdit* lineEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

}  // namespace

TSearchFilterDlg::TSearchFilterDlg(const SearchFilterSetup& setup, const SearchCriteria& current, QWidget* parent)
    : BrimoDialog(QStringLiteral("SearchFilterDlg"), setup.caption, searchFilterHelpTopic, parent),
      setup_(setup),
      criteria_(current) {
    fieldList_ = new QListWidget(this);
    fieldList_->setObjectName(QStringLiteral("lbFields"));
    fieldList_->setMinimumWidth(fontMetrics().averageCharWidth() * 16);
    auto* fieldsLabel = new QLabel(QStringLiteral("&Fields"), this);
    fieldsLabel->setBuddy(fieldList_);

    auto* order = new QGroupBox(QStringLiteral("Field Order"), this);
    alphabetic_ = radio("rbAlphabetic", QStringLiteral("Alpha&betic"), order);
    logical_ = radio("rbLogical", QStringLiteral("&Logical"), order);
    auto* orderLayout = new QHBoxLayout(order);
    orderLayout->addWidget(alphabetic_);
    orderLayout->addWidget(logical_);
    alphabetic_->setChecked(true);

    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("Pages"));

    auto* valuePage = new QWidget(pages);
    valuePage->setObjectName(QStringLiteral("ValuePage"));
    value_ = lineEdit("edValue", valuePage);
    auto* valueLabel = new QLabel(QStringLiteral("Field &Value"), valuePage);
    valueLabel->setBuddy(value_);
    auto* searchType = new QGroupBox(QStringLiteral("Search Type"), valuePage);
    exactMatch_ = radio("rbExactMatch", QStringLiteral("&Exact Match"), searchType);
    partialAtBeginning_ = radio("rbPartialBeginning", QStringLiteral("&Partial Match at Beginning"), searchType);
    partialAnywhere_ = radio("rbPartialAnywhere", QStringLiteral("Partial Match Any&where"), searchType);
    auto* typeLayout = new QVBoxLayout(searchType);
    typeLayout->addWidget(exactMatch_);
    typeLayout->addWidget(partialAtBeginning_);
    typeLayout->addWidget(partialAnywhere_);
    caseSensitive_ = new QCheckBox(QStringLiteral("Case Sensi&tive"), valuePage);
    caseSensitive_->setObjectName(QStringLiteral("cbCaseSensitive"));
    nonMatching_ = new QCheckBox(QStringLiteral("N&on-matching records"), valuePage);
    nonMatching_->setObjectName(QStringLiteral("cbNonMatching"));
    auto* valueLayout = new QVBoxLayout(valuePage);
    valueLayout->addWidget(valueLabel);
    valueLayout->addWidget(value_);
    valueLayout->addWidget(searchType);
    valueLayout->addWidget(caseSensitive_);
    valueLayout->addWidget(nonMatching_);
    valueLayout->addStretch(1);
    pages->addTab(valuePage, QStringLiteral("Value"));

    auto* rangePage = new QWidget(pages);
    rangePage->setObjectName(QStringLiteral("RangePage"));
    rangeStart_ = lineEdit("edRangeStart", rangePage);
    rangeEnd_ = lineEdit("edRangeEnd", rangePage);
    auto* rangeLayout = new QFormLayout(rangePage);
    rangeLayout->addRow(QStringLiteral("&Starting Range"), rangeStart_);
    rangeLayout->addRow(QStringLiteral("En&ding Range"), rangeEnd_);
    pages->addTab(rangePage, QStringLiteral("Range"));

    auto* newSearch = new QPushButton(QStringLiteral("&New Search"), this);
    newSearch->setObjectName(QStringLiteral("btnNewSearch"));
    auto* summaryButton = new QPushButton(QStringLiteral("View Su&mmary"), this);
    summaryButton->setObjectName(QStringLiteral("btnViewSummary"));
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));

    auto* left = new QVBoxLayout;
    left->addWidget(fieldsLabel);
    left->addWidget(fieldList_, 1);
    left->addWidget(order);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(pages, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(newSearch);
    buttons->addWidget(summaryButton);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(newSearch, &QPushButton::clicked, this, &TSearchFilterDlg::newSearch);
    connect(summaryButton, &QPushButton::clicked, this, &TSearchFilterDlg::viewSummary);
    connect(alphabetic_, &QRadioButton::toggled, this, [this](bool on) { fillFieldList(on); });
    connect(fieldList_, &QListWidget::currentTextChanged, this,
            [this](const QString& field) { showField(field.toStdString()); });
    for (QLineEdit* edit : {value_, rangeStart_, rangeEnd_}) {
        connect(edit, &QLineEdit::textEdited, this, &TSearchFilterDlg::storeField);
    }
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             exactMatch_, partialAtBeginning_, partialAnywhere_, caseSensitive_, nonMatching_}) {
        connect(button, &QAbstractButton::toggled, this, &TSearchFilterDlg::storeField);
    }

    field_ = setup_.preselectedField;
    fillFieldList(true);
    value_->setFocus();
}

void TSearchFilterDlg::fillFieldList(bool alphabetic) {
    std::vector<std::string> fields = setup_.fields;
    if (alphabetic) {
        std::sort(fields.begin(), fields.end());
    }
    const std::string keep = field_;
    {
        const QSignalBlocker quiet(fieldList_);
        fieldList_->clear();
        for (const std::string& field : fields) {
            fieldList_->addItem(QString::fromStdString(field));
        }
    }
    const auto found = fieldList_->findItems(QString::fromStdString(keep), Qt::MatchFixedString);
    fieldList_->setCurrentItem(found.isEmpty() ? fieldList_->item(0) : found.front());
    showField(fieldList_->currentItem() ? fieldList_->currentItem()->text().toStdString() : std::string());
}

void TSearchFilterDlg::showField(const std::string& field) {
    field_ = field;
    FieldCriterion shown;
    shown.field = field;
    shown.type = setup_.preselectedType;
    if (const FieldCriterion* existing = criteria_.find(field)) {
        shown = *existing;
    }
    showing_ = true;
    value_->setText(QString::fromStdString(shown.value));
    exactMatch_->setChecked(shown.type == SearchType::exactMatch);
    partialAtBeginning_->setChecked(shown.type == SearchType::partialAtBeginning);
    partialAnywhere_->setChecked(shown.type == SearchType::partialAnywhere);
    caseSensitive_->setChecked(shown.caseSensitive);
    nonMatching_->setChecked(shown.nonMatching);
    rangeStart_->setText(QString::fromStdString(shown.rangeStart));
    rangeEnd_->setText(QString::fromStdString(shown.rangeEnd));
    showing_ = false;
}

void TSearchFilterDlg::storeField() {
    if (showing_ || field_.empty()) {
        return;
    }
    FieldCriterion criterion;
    criterion.field = field_;
    criterion.value = value_->text().toStdString();
    criterion.type = exactMatch_->isChecked()           ? SearchType::exactMatch
                     : partialAtBeginning_->isChecked() ? SearchType::partialAtBeginning
                                                        : SearchType::partialAnywhere;
    criterion.caseSensitive = caseSensitive_->isChecked();
    criterion.nonMatching = nonMatching_->isChecked();
    criterion.rangeStart = rangeStart_->text().toStdString();
    criterion.rangeEnd = rangeEnd_->text().toStdString();
    criteria_.set(criterion);
}

void TSearchFilterDlg::newSearch() {
    criteria_.clear();
    showField(field_);
}

QString TSearchFilterDlg::summary(const SearchCriteria& criteria) {
    if (criteria.empty()) {
        return QStringLiteral("No search criteria have been entered.");
    }
    QStringList lines;
    for (const FieldCriterion& c : criteria.all()) {
        QStringList parts;
        if (!c.value.empty()) {
            parts << QStringLiteral("%1 \"%2\"").arg(typeName(c.type), QString::fromStdString(c.value));
        }
        if (!c.rangeStart.empty() || !c.rangeEnd.empty()) {
            parts << QStringLiteral("from \"%1\" to \"%2\"")
                         .arg(QString::fromStdString(c.rangeStart), QString::fromStdString(c.rangeEnd));
        }
        if (c.caseSensitive) {
            parts << QStringLiteral("case sensitive");
        }
        if (c.nonMatching) {
            parts << QStringLiteral("non-matching records");
        }
        lines << QStringLiteral("%1: %2").arg(QString::fromStdString(c.field), parts.join(QStringLiteral(", ")));
    }
    return lines.join(QLatin1Char('\n'));
}

void TSearchFilterDlg::viewSummary() {
    ui::MessageBox::information(this, summary(criteria_));
}

}  // namespace brimo::selection
