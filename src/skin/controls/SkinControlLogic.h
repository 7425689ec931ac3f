#pragma once
#include <cstdint>
#include <string>

#include "SkinControlHost.h"
#include "base/Bitmap.h"

namespace tolvar {

class TskDataSkinControl;
class TskSkinData;

// The part of every skinned control that is not the window: the binding to a skin data and to
// one of its control records by name, and the painting through an image composed anew on
// every paint. Descendants override the drawing and the lookup; the window around it (see
// SkinControlHost) only applies what this decides.
class SkinControlLogic {
public:
    explicit SkinControlLogic(SkinControlHost& host) : host_(host) {}
    virtual ~SkinControlLogic() = default;
    SkinControlLogic(const SkinControlLogic&) = delete;
    SkinControlLogic& operator=(const SkinControlLogic&) = delete;

    TskSkinData* SkinData() const { return skinData_; }
    // Stores the reference; one that holds a skin re-skins the control at once, except while
    // the control is designed. None changes nothing else: the next paint finds no record.
    void SetSkinData(TskSkinData* data);
    // The bound skin data is going away.
    void SkinDataRemoved() { skinData_ = nullptr; }

    // The name of the control record to use. Assigning only stores it: the next re-skin or
    // paint looks it up.
    const std::string& SkinDataName() const { return skinDataName_; }
    void SetSkinDataName(std::string name) { skinDataName_ = std::move(name); }

    // The record's index in the skin data's control list, -1 for none.
    int32_t SkinRecordIndex() const { return recordIndex_; }
    bool HasSkinRecord() const { return recordIndex_ != -1; }
    // The record the last lookup found, or none.
    const TskDataSkinControl* SkinRecord() const;

    // Looks the record up by name (none without skin data or with an empty one).
    virtual void LoadSkinValues();
    virtual void DrawDefaultImage(Bitmap&) {}
    virtual void DrawSkinImage(Bitmap&) {}
    // After the skin data was (re)loaded: look the record up again and repaint.
    virtual void ChangeSkinData();
    // Before the skin data reloads: its records and pictures are about to go.
    virtual void BeforeChangeSkinData() { recordIndex_ = -1; }
    // The control's set-bounds.
    virtual void SetBounds(const ControlBounds& bounds) { host_.ApplyBounds(bounds); }

    // The paint: the control's whole image, composed anew; empty when nothing is to be painted.
    virtual Bitmap PaintImage();

    int32_t Width() const { return host_.Bounds().Width; }
    int32_t Height() const { return host_.Bounds().Height; }
    SkinControlHost& Host() const { return host_; }

protected:
    // A bitmap of the control's size with the default or the skinned image drawn into it.
    Bitmap ComposeControlImage();

private:
    SkinControlHost& host_;
    TskSkinData* skinData_ = nullptr;
    std::string skinDataName_;
    int32_t recordIndex_ = -1;
};

}  // namespace tolvar
