#include "ui/RecordLink.h"

#include <charconv>
#include <cmath>
#include <type_traits>

#include "data/DatabaseError.h"

namespace brimo::ui {
namespace {

double numberOf(const FieldValue& value) {
    return std::visit(
        [](const auto& v) -> double {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, double>) {
                return v;
            } else if constexpr (std::is_same_v<T, bool>) {
                return v ? 1 : 0;
            } else if constexpr (std::is_same_v<T, std::string>) {
                double parsed = 0;
                std::from_chars(v.data(), v.data() + v.size(), parsed);
                return parsed;
            } else {
                return 0;
            }
        },
        value);
}

std::string textOf(const FieldValue& value) {
    return std::visit(
        [](const auto& v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>) {
                return v;
            } else if constexpr (std::is_same_v<T, double>) {
                char buffer[32];
                const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
                return std::string(buffer, end);
            } else if constexpr (std::is_same_v<T, bool>) {
                return v ? "T" : "F";
            } else {
                return {};
            }
        },
        value);
}

}  // namespace

// Groups the table moves of one call of the link into one recordChanged,
// announced when the outermost call ends.
class RecordLink::Operation {
  public:
    explicit Operation(RecordLink& link) : link_(link) { ++link_.operations_; }
    ~Operation() {
        if (--link_.operations_ == 0 && link_.tableMoved_) {
            link_.tableMoved_ = false;
            emit link_.recordChanged();
        }
    }
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;

  private:
    RecordLink& link_;
};

RecordLink::RecordLink(data::Table& table, QObject* parent) : QObject(parent), table_(table) {
    listener_ = table_.addListener([this](data::TableEvent event) {
        if (event == data::TableEvent::StateChanged) {
            return;
        }
        if (operations_ > 0) {
            tableMoved_ = true;
        } else {
            emit recordChanged();
        }
    });
}

RecordLink::~RecordLink() {
    table_.removeListener(listener_);
}

int RecordLink::fieldIndex(std::string_view field) const {
    const int index = table_.fieldIndex(field);
    if (index < 0) {
        throw data::DatabaseError("Table " + table_.name() + " has no field " + std::string(field) + ".");
    }
    return index;
}

const FieldValue* RecordLink::pendingValue(std::string_view field, int& index) const {
    index = fieldIndex(field);
    const auto found = pending_.find(index);
    return found == pending_.end() ? nullptr : &found->second;
}

std::string RecordLink::text(std::string_view field) const {
    int index = 0;
    const FieldValue* value = pendingValue(field, index);
    return value != nullptr ? textOf(*value) : table_.asString(index);
}

double RecordLink::number(std::string_view field) const {
    int index = 0;
    const FieldValue* value = pendingValue(field, index);
    return value != nullptr ? numberOf(*value) : table_.asNumber(index);
}

int32_t RecordLink::integer(std::string_view field) const {
    int index = 0;
    const FieldValue* value = pendingValue(field, index);
    return value != nullptr ? static_cast<int32_t>(std::llround(numberOf(*value))) : table_.asInteger(index);
}

bool RecordLink::logical(std::string_view field) const {
    int index = 0;
    const FieldValue* value = pendingValue(field, index);
    if (value == nullptr) {
        return table_.asBool(index);
    }
    if (const auto* flag = std::get_if<bool>(value)) {
        return *flag;
    }
    return numberOf(*value) != 0;
}

std::chrono::year_month_day RecordLink::date(std::string_view field) const {
    int index = 0;
    const FieldValue* value = pendingValue(field, index);
    if (value == nullptr) {
        return table_.asDate(index);
    }
    const auto* date = std::get_if<std::chrono::year_month_day>(value);
    return date != nullptr ? *date : std::chrono::year_month_day{};
}

void RecordLink::setValue(std::string_view field, FieldValue value) {
    const int index = fieldIndex(field);
    edit();
    pending_[index] = std::move(value);
    emit fieldChanged(index);
}

void RecordLink::setState(State state) {
    if (state_ != state) {
        state_ = state;
        emit stateChanged();
    }
}

void RecordLink::edit() {
    if (state_ != State::browse) {
        return;
    }
    if (table_.isEmpty()) {
        throw data::DatabaseError("Table " + table_.name() + " has no record to edit.");
    }
    setState(State::edit);
}

void RecordLink::applyPending() {
    for (const auto& [index, value] : pending_) {
        std::visit(
            [&](const auto& v) {
                using T = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<T, std::string>) {
                    table_.setString(index, v);
                } else if constexpr (std::is_same_v<T, double>) {
                    table_.setNumber(index, v);
                } else if constexpr (std::is_same_v<T, bool>) {
                    table_.setBool(index, v);
                } else {
                    table_.setDate(index, v);
                }
            },
            value);
    }
}

void RecordLink::post() {
    if (state_ == State::browse) {
        return;
    }
    Operation operation(*this);
    const bool wasEdit = state_ == State::edit;
    if (wasEdit) {
        table_.edit();
    }
    try {
        applyPending();
        table_.post();
    } catch (...) {
        if (table_.state() == data::TableState::Browse) {
            // Written; what failed came after (the after-post hook).
            saved();
            throw;
        }
        if (wasEdit) {
            try {
                table_.cancel();
            } catch (...) {  // the save's own error is the one to report
            }
        }
        throw;
    }
    saved();
}

void RecordLink::saved() {
    pending_.clear();
    tableMoved_ = true;
    setState(State::browse);
}

void RecordLink::cancel() {
    if (state_ == State::browse) {
        return;
    }
    Operation operation(*this);
    pending_.clear();
    if (table_.state() != data::TableState::Browse) {
        table_.cancel();
    }
    tableMoved_ = true;
    setState(State::browse);
}

void RecordLink::insert() {
    Operation operation(*this);
    post();
    table_.append();
    tableMoved_ = true;
    setState(State::insert);
}

void RecordLink::remove() {
    if (state_ == State::insert) {
        cancel();
        return;
    }
    Operation operation(*this);
    table_.deleteRecord();
    pending_.clear();
    tableMoved_ = true;
    setState(State::browse);
}

void RecordLink::refresh() {
    if (state_ == State::browse) {
        table_.refresh();
    }
}

template <class Move>
void RecordLink::move(Move&& move) {
    Operation operation(*this);
    post();
    move();
}

void RecordLink::first() {
    move([this] { table_.first(); });
}

void RecordLink::prior() {
    move([this] { table_.prior(); });
}

void RecordLink::next() {
    move([this] { table_.next(); });
}

void RecordLink::last() {
    move([this] { table_.last(); });
}

bool RecordLink::findKey(const data::KeyValue& key) {
    bool found = false;
    move([&] { found = table_.findKey(key); });
    return found;
}

}  // namespace brimo::ui
