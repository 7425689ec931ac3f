#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "skin/data/SkinControlRecords.h"
#include "skin/data/SkinObjectRecords.h"

namespace tolvar {

// The record of a [SKINOBJECTS] or [SKINCONTROLS] type keyword (exact, case-sensitive), named
// `name` and not yet loaded; none for a keyword the list does not know.
std::unique_ptr<TskDataSkinObject> CreateObjectRecord(std::string_view type, std::string name);
std::unique_ptr<TskDataSkinControl> CreateControlRecord(std::string_view type, std::string name);

}  // namespace tolvar
