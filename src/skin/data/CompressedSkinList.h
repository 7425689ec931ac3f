#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Component.h"
#include "skin/data/CompressedStoredSkin.h"

namespace tolvar {

class TskCompressedSkinList;

// One skin of a skin list, with a stored skin of its own (no owner; it lives as long as the
// item). Stored, the item writes that skin as the framed "Skin" property.
class TskSkinListItem {
public:
    TskSkinListItem(TskCompressedSkinList* list, int index);

    TskCompressedStoredSkin& Skin() { return *skin_; }
    const TskCompressedStoredSkin& Skin() const { return *skin_; }
    std::string Description;
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& path);
    const std::string& CompressedFileName() const { return compressedFileName_; }
    void SetCompressedFileName(const std::string& path);
    std::string Name;  // "skSkin%d" with the item's index at creation
    const std::string& DisplayName() const { return Name; }

    // The "Skin" property in its framed form (written even when the skin is empty).
    void ReadSkin(std::string_view framed);
    std::string WriteSkin() const;

private:
    TskCompressedSkinList* list_;
    std::unique_ptr<TskCompressedStoredSkin> skin_;
    std::string fileName_;
    std::string compressedFileName_;
};

// The collection of a skin list's items, in order.
class TskSkinListItems {
public:
    explicit TskSkinListItems(TskCompressedSkinList* list) : list_(list) {}
    TskSkinListItem& Add();
    void Delete(int index);
    void Clear() { items_.clear(); }
    int Count() const { return int(items_.size()); }
    TskSkinListItem& Items(int index) { return *items_[size_t(index)]; }

private:
    TskCompressedSkinList* list_;
    std::vector<std::unique_ptr<TskSkinListItem>> items_;
};

// A component holding several stored skins, one of which a skin data selects by index.
class TskCompressedSkinList : public TComponent {
public:
    explicit TskCompressedSkinList(TComponent* owner = nullptr) : TComponent(owner), Skins(this) {}
    std::string_view ClassName() const override { return "TskCompressedSkinList"; }

    TskSkinListItems Skins;
};

}  // namespace tolvar
