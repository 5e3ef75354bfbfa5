#pragma once

namespace brimo::ui {

// Shows the wait cursor over the whole application while it lives; nested
// scopes stack.
class BusyCursor {
  public:
    BusyCursor();
    ~BusyCursor();

    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace brimo::ui
