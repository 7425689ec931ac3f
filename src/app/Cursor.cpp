#include "Cursor.h"

namespace tolvar {

namespace {
HCURSOR g_screenCursor = nullptr;
}

HCURSOR TBusyCursor::ScreenCursor() { return g_screenCursor; }

TBusyCursor::TBusyCursor() : previous_(g_screenCursor) {
    g_screenCursor = LoadCursor(nullptr, IDC_WAIT);
    SetCursor(g_screenCursor);
}

TBusyCursor::~TBusyCursor() {
    g_screenCursor = previous_;
    SetCursor(previous_ ? previous_ : LoadCursor(nullptr, IDC_ARROW));
}

}  // namespace tolvar
