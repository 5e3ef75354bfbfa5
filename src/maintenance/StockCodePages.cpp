// The three pages of "Stock Code Information" and the controls on them.
#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <memory>

#include "maintenance/StockCodeInformation.h"
#include "ui/FieldBindings.h"
#include "ui/LookupField.h"
#include "ui/NumericEntryField.h"
#include "ui/RecordLink.h"
#include "ui/TextBox.h"

namespace brimo::maintenance {
namespace {

constexpr int descriptionLength = 60;
constexpr int notesLength = 2000;
constexpr int categoryLength = 10;

// Room for `characters` digits or capitals in a box of `widget`'s font.
void fitToCharacters(QWidget* widget, int characters) {
    const QFontMetrics metrics = widget->fontMetrics();
    widget->setFixedWidth(metrics.horizontalAdvance(QLatin1Char('0')) * characters + metrics.height());
}

QLabel* captionFor(const QString& caption, QWidget* control) {
    auto* label = new QLabel(caption, control->parentWidget());
    label->setBuddy(control);
    return label;
}

template <class Control>
Control* named(Control* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// A titled group of radio buttons whose ids are 0, 1, 2... in caption order.
QGroupBox* radioGroup(QWidget* parent, const char* name, const QString& title, const QStringList& captions,
                      QButtonGroup*& buttons) {
    auto* box = named(new QGroupBox(title, parent), name);
    buttons = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    for (int id = 0; id < captions.size(); ++id) {
        auto* button = new QRadioButton(captions[id], box);
        button->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(name)).arg(id));
        buttons->addButton(button, id);
        layout->addWidget(button);
    }
    return box;
}

void chainTabOrder(const QList<QWidget*>& controls) {
    for (qsizetype i = 1; i < controls.size(); ++i) {
        QWidget::setTabOrder(controls[i - 1], controls[i]);
    }
}

QHBoxLayout* pair(QWidget* first, QWidget* secondCaption, QWidget* second) {
    auto* row = new QHBoxLayout;
    row->addWidget(first);
    row->addSpacing(first->fontMetrics().height());
    row->addWidget(secondCaption);
    row->addWidget(second);
    row->addStretch(1);
    return row;
}

}  // namespace

ui::NumericEntryField* TStockCodeInformation::priceBox(const char* name, const char* field) {
    auto* box = named(new ui::NumericEntryField(this), name);
    box->setDecimals(company_.precision);
    bindings_->number(box, field);
    fitToCharacters(box, 12);
    return box;
}

QWidget* TStockCodeInformation::buildGeneralPage() {
    auto* page = named(new QWidget(this), "tsGeneral");
    using ui::LookupField;
    using ui::TableLookup;
    const auto lookupText = [&](std::unique_ptr<TableLookup> lookup, const char* name, const char* field,
                                LookupField::Options options) {
        auto* box = named(new LookupField(std::move(lookup), options, page), name);
        bindings_->lookup(box, field);
        return box;
    };
    const auto text = [&](const char* name, const char* field, int characters, ui::TextOptions options = {}) {
        auto* edit = named(new QLineEdit(page), name);
        bindings_->text(edit, field, options);
        fitToCharacters(edit, characters);
        return edit;
    };
    const auto number = [&](const char* name, const char* field) {
        auto* box = named(new ui::NumericEntryField(page), name);
        bindings_->number(box, field);
        fitToCharacters(box, 12);
        return box;
    };
    const auto check = [&](const char* name, const QString& caption, const char* field) {
        auto* box = named(new QCheckBox(caption, page), name);
        bindings_->check(box, field);
        return box;
    };

    category_ = lookupText(std::make_unique<TableLookup>(*categories_, "ENTRY", "ENTRY"), "Category", "CATEGORY",
                           {LookupField::Entry::freeTyping, categoryLength, false});
    auto* subCategory = lookupText(std::make_unique<TableLookup>(*subCategories_, "ENTRY", "ENTRY"), "SubCat", "SUBCAT",
                                   {LookupField::Entry::freeTyping, categoryLength, false});
    fitToCharacters(category_, 14);
    fitToCharacters(subCategory, 14);
    auto* manufacturer = text("Mfr", "MFR", 30);
    auto* model = text("Model", "MODEL", 12);
    auto* description = named(new ui::TextBox(descriptionLength, true, page), "Desc");
    bindings_->text(description, "DESC");
    description->setFixedHeight(description->fontMetrics().lineSpacing() * 3 + description->frameWidth() * 2 + 8);
    fitToCharacters(description, 30);
    auto* location = text("Location", "LOCATION", 12);
    auto* minimum = number("Minimum", "MINIMUM");
    auto* maximum = number("Maximum", "MAXIMUM");
    auto* target = number("TargetQty", "TARGETQTY");
    auto* saleUnit = text("Unit", "UNIT", 12);
    auto* orderUnit = text("OrderUnit", "ORDERUNIT", 12);
    auto* unitsToOrder = named(new QLineEdit(page), "UnitsToOrd");
    bindings_->wholeNumber(unitsToOrder, "UNITSTOORD");
    fitToCharacters(unitsToOrder, 8);

    auto* serialized = check("cbSerialized", QStringLiteral("&Serialized"), "SERIALIZED");
    auto* taxable = check("cbTaxable", QStringLiteral("&Taxable"), "TAXABLE");
    auto* gst = check("cbGST", QStringLiteral("&GST Applies"), "GST");
    auto* nonStock = check("cbNonStock", QStringLiteral("Non-Stock"), "NONSTOCK");
    auto* noDeplete = check("cbNoDeplete", QStringLiteral("Non-D&epleting"), "NODEPLETE");

    auto* list = priceBox("List", "LIST");
    auto* sale = priceBox("Price", "PRICE");
    ui::NumericEntryField* discounts[3] = {priceBox("Discount1", "DISCOUNT1"), priceBox("Discount2", "DISCOUNT2"),
                                           priceBox("Discount3", "DISCOUNT3")};
    auto* cost = priceBox("Cost", "COST");
    connect(cost, &ui::NumericEntryField::valueEdited, this, [this] { costTyped_ = true; });
    auto* onHand = number("OnHand", "ONHAND");
    auto* vendor =
        lookupText(std::make_unique<TableLookup>(*vendors_, "VENDORCODE", "CODE", std::vector<std::string>{"NAME"}),
                   "PrefVendor", "PREFVENDOR", {LookupField::Entry::freeTyping, 15, true});
    fitToCharacters(vendor, 18);
    auto* weight = number("Weight", "WEIGHT");
    auto* altCode = text("AltCode", "ALTCODE", 18, {15, true});

    QButtonGroup* containerButtons = nullptr;
    auto* container =
        radioGroup(page, "rgContainer", QStringLiteral("Container Type"),
                   {QStringLiteral("None"), QStringLiteral("Assembly"), QStringLiteral("Container")}, containerButtons);
    bindings_->choice(containerButtons, "CONTAINER");
    connect(serialized, &QCheckBox::clicked, this, &TStockCodeInformation::SerializedClick);
    connect(containerButtons, &QButtonGroup::idClicked, this, &TStockCodeInformation::ContainerClick);

    auto* left = new QFormLayout;
    left->addRow(captionFor(QStringLiteral("C&ategory:"), category_), category_);
    left->addRow(captionFor(QStringLiteral("S&ub-Category:"), subCategory), subCategory);
    left->addRow(captionFor(QStringLiteral("&Manufacturer:"), manufacturer), manufacturer);
    left->addRow(captionFor(QStringLiteral("M&odel:"), model), model);
    left->addRow(captionFor(QStringLiteral("&Description:"), description), description);
    left->addRow(captionFor(QStringLiteral("&Location:"), location), location);
    left->addRow(captionFor(QStringLiteral("Minim&um:"), minimum),
                 pair(minimum, captionFor(QStringLiteral("Ma&ximum:"), maximum), maximum));
    left->addRow(captionFor(QStringLiteral("Target Qty:"), target), target);
    left->addRow(captionFor(QStringLiteral("Sale Unit:"), saleUnit),
                 pair(saleUnit, captionFor(QStringLiteral("Order Unit:"), orderUnit), orderUnit));
    left->addRow(captionFor(QStringLiteral("Sale Units to Order Unit:"), unitsToOrder), unitsToOrder);

    auto* middle = new QVBoxLayout;
    for (QCheckBox* box : {serialized, taxable, gst, nonStock, noDeplete}) {
        middle->addWidget(box);
    }
    middle->addSpacing(serialized->fontMetrics().height());
    middle->addWidget(container);
    middle->addStretch(1);

    auto* right = new QFormLayout;
    right->addRow(captionFor(QStringLiteral("L&ist Price:"), list), list);
    right->addRow(captionFor(QStringLiteral("Sale Price:"), sale), sale);
    for (int level = 0; level < 3; ++level) {
        auto* caption = named(captionFor(QString(), discounts[level]), level == 0   ? "lblDiscount1"
                                                                       : level == 1 ? "lblDiscount2"
                                                                                    : "lblDiscount3");
        bindings_->display(caption, level == 0 ? "DISC1DESC" : level == 1 ? "DISC2DESC" : "DISC3DESC");
        right->addRow(caption, discounts[level]);
    }
    right->addRow(captionFor(QStringLiteral("&Cost:"), cost), cost);
    right->addRow(captionFor(QStringLiteral("&Qty on Hand:"), onHand), onHand);
    right->addRow(captionFor(QStringLiteral("Pref Vendor:"), vendor), vendor);
    right->addRow(captionFor(QStringLiteral("&Weight:"), weight), weight);
    right->addRow(captionFor(QStringLiteral("Alt Code:"), altCode), altCode);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addSpacing(page->fontMetrics().height());
    columns->addLayout(middle);
    columns->addSpacing(page->fontMetrics().height());
    columns->addLayout(right);
    columns->addStretch(1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(columns);
    layout->addStretch(1);

    chainTabOrder(
        {category_,    subCategory, manufacturer, model,     description,  location,     minimum,
         maximum,      target,      saleUnit,     orderUnit, unitsToOrder, serialized,   taxable,
         gst,          nonStock,    noDeplete,    list,      sale,         discounts[0], discounts[1],
         discounts[2], cost,        onHand,       vendor,    weight,       altCode,      containerButtons->button(0)});
    return page;
}

QWidget* TStockCodeInformation::buildPricingPage() {
    auto* page = named(new QWidget(this), "tsPricing");
    const auto percentage = [&](QGroupBox* group, const char* name, const char* field) {
        auto* box = named(new ui::NumericEntryField(group), name);
        bindings_->number(box, field);
        fitToCharacters(box, 10);
        auto* row = new QHBoxLayout;
        row->addWidget(captionFor(QStringLiteral("Percentage:"), box));
        row->addWidget(box);
        row->addStretch(1);
        qobject_cast<QVBoxLayout*>(group->layout())->addLayout(row);
        return box;
    };
    const QString manual = QStringLiteral("Manual");
    const QString markup = QStringLiteral("% Markup from Cost");
    const QString margin = QStringLiteral("Margin from Cost");
    const QString offList = QStringLiteral("% Discount from List Price");
    const QString offSale = QStringLiteral("% Discount from Sale Price");

    QButtonGroup* listButtons = nullptr;
    auto* listGroup =
        radioGroup(page, "rgListMthd", QStringLiteral("List Price"), {manual, markup, margin}, listButtons);
    bindings_->choice(listButtons, "LISTMTHD");
    auto* listPercent = percentage(listGroup, "ListPct", "LISTPCT");

    QButtonGroup* saleButtons = nullptr;
    auto* saleGroup =
        radioGroup(page, "rgSaleMthd", QStringLiteral("Sale Price"), {manual, markup, margin, offList}, saleButtons);
    bindings_->choice(saleButtons, "SALEMTHD");
    auto* salePercent = percentage(saleGroup, "SalePct", "SALEPCT");

    QButtonGroup* discountButtons = nullptr;
    auto* discountGroup = radioGroup(page, "rgDiscMthd", QStringLiteral("Discount Pricing Options"),
                                     {manual, markup, margin, offList, offSale}, discountButtons);
    bindings_->choice(discountButtons, "DISCMTHD");
    auto* levels = new QGridLayout;
    QList<QWidget*> levelControls;
    for (int level = 1; level <= 3; ++level) {
        const QByteArray descName = QStringLiteral("Disc%1Desc").arg(level).toLatin1();
        const QByteArray pctName = QStringLiteral("Disc%1Pct").arg(level).toLatin1();
        const std::string descField = "DISC" + std::to_string(level) + "DESC";
        const std::string pctField = "DISC" + std::to_string(level) + "PCT";
        auto* description = named(new QLineEdit(discountGroup), descName.constData());
        bindings_->text(description, descField);
        fitToCharacters(description, 16);
        auto* percent = named(new ui::NumericEntryField(discountGroup), pctName.constData());
        bindings_->number(percent, pctField);
        fitToCharacters(percent, 10);
        const int row = level - 1;
        levels->addWidget(new QLabel(QStringLiteral("Discount %1:").arg(level), discountGroup), row, 0);
        levels->addWidget(captionFor(QStringLiteral("Description:"), description), row, 1);
        levels->addWidget(description, row, 2);
        levels->addWidget(captionFor(QStringLiteral("Percentage:"), percent), row, 3);
        levels->addWidget(percent, row, 4);
        levelControls << description << percent;
    }
    qobject_cast<QVBoxLayout*>(discountGroup->layout())->addLayout(levels);

    QButtonGroup* updateButtons = nullptr;
    auto* updateGroup =
        radioGroup(page, "rgAutoPrice", QStringLiteral("Update Options"),
                   {manual, QStringLiteral("Batch Updated"), QStringLiteral("Automatic")}, updateButtons);
    bindings_->choice(updateButtons, "AUTOPRICE");
    auto* rounding = named(new QCheckBox(QStringLiteral("Rounding"), page), "cbAutoRound");
    bindings_->check(rounding, "AUTOROUND");
    auto* categoryGroup = named(new QGroupBox(QStringLiteral("Price Category"), page), "gbPriceCat");
    auto* priceCategory =
        named(new ui::LookupField(std::make_unique<ui::TableLookup>(*priceCategories_, "PRICECAT", "PRICECAT"),
                                  {ui::LookupField::Entry::listedOnly, 15, true}, categoryGroup),
              "PriceCat");
    bindings_->lookup(priceCategory, "PRICECAT");
    fitToCharacters(priceCategory, 18);
    connect(priceCategory, &ui::LookupField::entryChosen, this, &TStockCodeInformation::PriceCatChange);
    (new QVBoxLayout(categoryGroup))->addWidget(priceCategory);

    auto* recalc = named(new QPushButton(QStringLiteral("&Recalc"), page), "btnRecalc");
    connect(recalc, &QPushButton::clicked, this, &TStockCodeInformation::btnRecalcClick);

    auto* updates = new QVBoxLayout;
    updates->addWidget(updateGroup);
    updates->addWidget(rounding);
    updates->addWidget(categoryGroup);
    updates->addStretch(1);
    auto* methods = new QHBoxLayout;
    methods->addWidget(listGroup, 0, Qt::AlignTop);
    methods->addWidget(saleGroup, 0, Qt::AlignTop);
    methods->addLayout(updates);
    methods->addStretch(1);
    auto* prices = new QVBoxLayout;
    prices->addWidget(buildPriceDisplay());
    prices->addWidget(recalc, 0, Qt::AlignLeft);
    prices->addStretch(1);
    auto* discounts = new QHBoxLayout;
    discounts->addWidget(discountGroup, 0, Qt::AlignTop);
    discounts->addLayout(prices);
    discounts->addStretch(1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(methods);
    layout->addLayout(discounts);
    layout->addStretch(1);

    QList<QWidget*> order{listButtons->button(0), listPercent, saleButtons->button(0), salePercent,
                          discountButtons->button(0)};
    order << levelControls << updateButtons->button(0) << rounding << priceCategory << recalc;
    chainTabOrder(order);
    return page;
}

// The current prices, read only, with the price precision.
QWidget* TStockCodeInformation::buildPriceDisplay() {
    auto* prices = named(new QGroupBox(this), "gbPrices");
    auto* layout = new QFormLayout(prices);
    const struct {
        const char* caption;
        const char* name;
        const char* field;
    } shown[] = {{"List:", "lblList", "LIST"},
                 {"Sale:", "lblPrice", "PRICE"},
                 {"Discount 1:", "lblDiscountPrice1", "DISCOUNT1"},
                 {"Discount 2:", "lblDiscountPrice2", "DISCOUNT2"},
                 {"Discount 3:", "lblDiscountPrice3", "DISCOUNT3"},
                 {"Cost:", "lblCost", "COST"}};
    for (const auto& price : shown) {
        auto* value = named(new QLabel(prices), price.name);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        fitToCharacters(value, 12);
        bindings_->display(value, price.field, company_.precision);
        layout->addRow(new QLabel(QString::fromLatin1(price.caption), prices), value);
    }
    return prices;
}

QWidget* TStockCodeInformation::buildNotesPage() {
    auto* page = named(new QWidget(this), "tsNotes");
    auto* notes = named(new ui::TextBox(notesLength, false, page), "Notes");
    bindings_->text(notes, "NOTES");
    (new QVBoxLayout(page))->addWidget(notes);
    return page;
}

}  // namespace brimo::maintenance
