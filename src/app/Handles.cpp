// The handle owners are header-only; this unit keeps the library non-empty until the rest of
// the framework lands beside it.
#include "Handles.h"
