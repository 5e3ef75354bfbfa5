#include "ui/RecordGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include "ui/RecordBrowser.h"
#include "ui/RecordGridModel.h"

namespace brimo::ui {

RecordGrid::RecordGrid(RecordBrowser& browser, QWidget* parent)
    : QTableView(parent), browser_(browser), model_(new RecordGridModel(browser, this)) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setAlternatingRowColors(false);
    // Sizes before the model: afterwards the header would ask every row.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    setModel(model_);

    connect(&browser_, &RecordBrowser::currentChanged, this, &RecordGrid::showBrowserPosition);
    connect(&browser_, &RecordBrowser::contentsReset, this, &RecordGrid::reloadAroundBrowser);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &RecordGrid::loadAroundView);
}

int RecordGrid::charsToPixels(int chars) const {
    return chars * fontMetrics().averageCharWidth() + 2 * frameWidth() + 6;
}

void RecordGrid::setColumns(std::vector<GridColumn> columns) {
    std::vector<int> widths;
    for (const GridColumn& column : columns) {
        widths.push_back(charsToPixels(column.widthChars));
    }
    following_ = true;
    model_->setColumns(std::move(columns));
    following_ = false;
    for (size_t i = 0; i < widths.size(); ++i) {
        horizontalHeader()->resizeSection(static_cast<int>(i), widths[i]);
    }
    showBrowserPosition();
}

void RecordGrid::reloadAroundBrowser() {
    following_ = true;
    model_->centreOnCurrent();
    following_ = false;
}

void RecordGrid::showBrowserPosition() {
    if (following_) {
        return;
    }
    const auto current = browser_.current();
    following_ = true;
    if (!current) {
        selectionModel()->clear();
        following_ = false;
        return;
    }
    int row = model_->rowOf(*current);
    if (row < 0) {
        model_->centreOnCurrent();
        row = model_->rowOf(*current);
    }
    const QModelIndex index = model_->index(row, std::max(0, currentIndex().column()));
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(currentIndex());  // rows may have moved while the view scrolled
    following_ = false;
    loadAroundView();
}

void RecordGrid::loadAroundView() {
    if (model_->rowCount() == 0) {
        return;
    }
    const int top = verticalScrollBar()->value();
    const int visible = std::max(1, viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()));
    const int shift = model_->ensureLoaded(top, top + visible);
    if (shift != 0) {
        const QSignalBlocker quiet(verticalScrollBar());
        verticalScrollBar()->setValue(top + shift);
    }
}

void RecordGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    // Read the record before the base class scrolls: scrolling may load and
    // drop rows, which leaves `current` pointing at another row.
    const bool follow = !following_ && current.isValid();
    const data::Bookmark bookmark = follow ? model_->bookmarkAt(current.row()) : 0;
    QTableView::currentChanged(current, previous);
    if (!follow) {
        return;
    }
    following_ = true;
    browser_.gotoBookmark(bookmark);
    following_ = false;
    loadAroundView();
}

void RecordGrid::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Home || key == Qt::Key_End) {
        key == Qt::Key_Home ? browser_.first() : browser_.last();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace brimo::ui
