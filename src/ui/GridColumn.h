#pragma once

#include <QString>
#include <optional>
#include <string>

namespace brimo::ui {

// One column of a record grid: its title, its width in characters and the
// field it shows. A logical field shows as a check box; a number shows with
// `decimals` fixed decimals when given ("0.00" is 2), else as stored.
struct GridColumn {
    QString title;
    int widthChars = 10;
    std::string field;
    std::optional<int> decimals;
};

}  // namespace brimo::ui
