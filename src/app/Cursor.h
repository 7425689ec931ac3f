#pragma once
#include <windows.h>

namespace tolvar {

// The cursor for all of the application's windows while long work runs (the hourglass), put
// back to each window's own when the guard goes.
class TBusyCursor {
public:
    TBusyCursor();
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

    // The cursor the windows show now instead of their own, or none.
    static HCURSOR ScreenCursor();

private:
    HCURSOR previous_;
};

}  // namespace tolvar
