#include "SkinControlLogic.h"

#include "skin/data/SkinData.h"

namespace tolvar {

void SkinControlLogic::SetSkinData(TskSkinData* data) {
    skinData_ = data;
    if (data && !data->Empty() && !host_.IsDesigning()) ChangeSkinData();
}

const TskDataSkinControl* SkinControlLogic::SkinRecord() const {
    if (!skinData_ || recordIndex_ < 0 || size_t(recordIndex_) >= skinData_->CtrlList.size()) return nullptr;
    return skinData_->CtrlList[size_t(recordIndex_)].get();
}

void SkinControlLogic::LoadSkinValues() {
    recordIndex_ = (!skinData_ || skinData_->Empty()) ? -1 : skinData_->FindControlIndex(skinDataName_);
}

void SkinControlLogic::ChangeSkinData() {
    LoadSkinValues();
    host_.RepaintNow();
}

Bitmap SkinControlLogic::ComposeControlImage() {
    Bitmap image(Width(), Height());
    if (HasSkinRecord()) DrawSkinImage(image);
    else DrawDefaultImage(image);
    return image;
}

Bitmap SkinControlLogic::PaintImage() {
    if (Width() <= 0 || Height() <= 0) return {};
    LoadSkinValues();
    return ComposeControlImage();
}

}  // namespace tolvar
