#pragma once
#include <zlib.h>

#include <string>
#include <string_view>

#include "base/Component.h"
#include "base/Exceptions.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"

// Runs the whole load of a skin data on inflated package bytes: stored (level 0) deflate
// keeps the fuzzer's time on the readers.
inline void LoadInflatedPackage(std::string_view package) {
    uLongf size = compressBound(uLong(package.size()));
    std::string compressed(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(compressed.data()), &size, reinterpret_cast<const Bytef*>(package.data()),
                  uLong(package.size()), 0) != Z_OK)
        __builtin_trap();
    compressed.resize(size);

    tolvar::TComponent owner;
    auto* stored = tolvar::Own<tolvar::TskCompressedStoredSkin>(&owner);
    auto* data = tolvar::Own<tolvar::TskSkinData>(&owner);
    stored->ReadCompressedData(compressed);
    try {
        data->SetCompressedStoredSkin(stored);
    } catch (const tolvar::Exception&) {
        // A refused skin must leave the skin data empty and the change closed.
        if (!data->Empty() || data->ChangingSkinData() || !data->CtrlList.empty()) __builtin_trap();
        return;
    }
    if (data->ChangingSkinData()) __builtin_trap();
    // Lookups over whatever was loaded.
    data->FindControlIndex("gauge");
    data->FindObjectIndex("closebutton");
}
