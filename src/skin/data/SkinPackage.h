#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Bitmap.h"

namespace tolvar {

// The inflated skin package: version, the three fixed pictures (each behind a flag byte, 0 when
// a picture follows), the counted active pictures, and the description text to the end.
struct SkinPackage {
    static constexpr int32_t kVersion = 3;

    int32_t version = kVersion;
    Bitmap mainPicture;
    Bitmap inactivePicture;
    Bitmap maskPicture;
    std::vector<Bitmap> activePictures;
    std::string description;
};

// Reads a package in one forward pass. Returns false, having read nothing more, when the
// version is above 3. Version 2 packages carry two more picture slots after the mask, which
// are skipped. "Bitmap image is not valid" / "Stream read error" as the pictures say.
bool ReadSkinPackage(std::string_view bytes, SkinPackage& out);

// Writes a version 3 package; an empty fixed picture is written as its flag alone.
std::string WriteSkinPackage(const SkinPackage& package);

}  // namespace tolvar
