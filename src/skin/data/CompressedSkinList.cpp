#include "CompressedSkinList.h"

namespace tolvar {

TskSkinListItem::TskSkinListItem(TskCompressedSkinList* list, int index)
    : list_(list), skin_(std::make_unique<TskCompressedStoredSkin>()) {
    Name = "skSkin" + std::to_string(index);
}

void TskSkinListItem::SetFileName(const std::string& path) {
    if (list_ && list_->Designing() && !list_->Loading()) {
        skin_->BuildFromDescription(path);
        fileName_ = ExtractFileName(path);
    } else {
        fileName_ = path;
    }
}

void TskSkinListItem::SetCompressedFileName(const std::string& path) {
    if (list_ && list_->Designing() && !list_->Loading()) {
        skin_->LoadFromCompressedFile(path);
        compressedFileName_ = ExtractFileName(path);
    } else {
        compressedFileName_ = path;
    }
}

void TskSkinListItem::ReadSkin(std::string_view framed) {
    TBytesStream stream(framed);
    skin_->LoadFromCompressedStream(stream);
}

std::string TskSkinListItem::WriteSkin() const {
    TMemoryStream stream;
    skin_->SaveToCompressedStream(stream);
    return stream.Bytes();
}

TskSkinListItem& TskSkinListItems::Add() {
    items_.push_back(std::make_unique<TskSkinListItem>(list_, Count()));
    return *items_.back();
}

void TskSkinListItems::Delete(int index) {
    if (index >= 0 && index < Count()) items_.erase(items_.begin() + index);
}

}  // namespace tolvar
