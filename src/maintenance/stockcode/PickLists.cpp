#include "maintenance/stockcode/PickLists.h"

#include <string>

#include "maintenance/stockcode/ExactKey.h"

namespace brimo::maintenance {

void addToPickList(data::Table& pickList, std::string_view value) {
    if (pickList.activeTag() != "ENTRY") {
        pickList.setActiveTag("ENTRY");
    }
    if (pickList.findKey(exactTextKey(pickList, "ENTRY", value))) {
        return;
    }
    pickList.append();
    try {
        pickList.setString("ENTRY", value);
        pickList.post();
    } catch (...) {
        pickList.cancel();
        throw;
    }
}

}  // namespace brimo::maintenance
