#pragma once
// The composition reads the skin description's enumerations as the skin data defines them.
#include "skin/data/SkinTypes.h"
