#include "ui/RecordBrowser.h"

namespace brimo::ui {

RecordBrowser::RecordBrowser(data::Table& table, QObject* parent) : QObject(parent), table_(table) {
    table_.first();
    settle();
}

void RecordBrowser::setRowFilter(RowFilter filter) {
    rowFilter_ = std::move(filter);
    contentsChanged();
}

void RecordBrowser::contentsChanged() {
    table_.first();
    settle();
    emit contentsReset();
    emit currentChanged();
}

bool RecordBrowser::accepts() const {
    return !rowFilter_ || rowFilter_(table_);
}

bool RecordBrowser::stepVisible(bool forward) {
    for (;;) {
        forward ? table_.next() : table_.prior();
        if (forward ? table_.eof() : table_.bof()) {
            return false;
        }
        if (accepts()) {
            return true;
        }
    }
}

void RecordBrowser::settle() {
    current_.reset();
    if (table_.isEmpty()) {
        return;
    }
    const data::Bookmark start = table_.bookmark();
    if (accepts() || stepVisible(true)) {
        current_ = table_.bookmark();
        return;
    }
    table_.gotoBookmark(start);
    if (stepVisible(false)) {
        current_ = table_.bookmark();
    }
}

void RecordBrowser::restoreCurrent() {
    if (current_) {
        table_.gotoBookmark(*current_);
    }
}

void RecordBrowser::first() {
    table_.first();
    settle();
    emit currentChanged();
}

void RecordBrowser::last() {
    table_.last();
    current_.reset();
    if (!table_.isEmpty() && (accepts() || stepVisible(false))) {
        current_ = table_.bookmark();
    }
    emit currentChanged();
}

bool RecordBrowser::next() {
    if (!current_) {
        return false;
    }
    if (!stepVisible(true)) {
        restoreCurrent();
        return false;
    }
    current_ = table_.bookmark();
    emit currentChanged();
    return true;
}

bool RecordBrowser::prior() {
    if (!current_) {
        return false;
    }
    if (!stepVisible(false)) {
        restoreCurrent();
        return false;
    }
    current_ = table_.bookmark();
    emit currentChanged();
    return true;
}

void RecordBrowser::findNearest(const data::KeyValue& key) {
    table_.findNearest(key);
    if (table_.isEmpty()) {
        current_.reset();
    } else if (table_.eof()) {
        // Nothing at or after the key: the last record of the list.
        if (accepts()) {
            current_ = table_.bookmark();
        } else {
            settle();
        }
    } else {
        settle();
    }
    emit currentChanged();
}

void RecordBrowser::gotoBookmark(data::Bookmark bookmark) {
    if (current_ == bookmark) {
        return;
    }
    table_.gotoBookmark(bookmark);
    current_ = bookmark;
    emit currentChanged();
}

void RecordBrowser::visitNeighbours(data::Bookmark from, bool forward, int count,
                                    const std::function<void(const data::Table&)>& visit) {
    table_.gotoBookmark(from);
    for (int i = 0; i < count && stepVisible(forward); ++i) {
        visit(table_);
    }
    restoreCurrent();
}

}  // namespace brimo::ui
