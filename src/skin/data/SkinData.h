#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Bitmap.h"
#include "base/Component.h"
#include "base/Geometry.h"
#include "base/Text.h"
#include "skin/data/SkinColors.h"
#include "skin/data/SkinControlRecords.h"
#include "skin/data/SkinFormRecords.h"
#include "skin/data/SkinNotices.h"
#include "skin/data/SkinObjectRecords.h"
#include "skin/data/SkinTypes.h"

namespace tolvar {

class SkinDescription;
class TskCompressedSkinList;
class TskCompressedStoredSkin;
class TskResourceStrData;

// The loaded skin of a window: its pictures, its description's form-level values and the
// object and control records, with the switches the frame and the controls consult. It tells
// the application's windows before and after the skin changes (SkinNotices.h).
//
// Clients that find it Empty draw their default look. Records and pictures live until the
// next load or clear; clients hold only pointers into them and drop those on
// BeforeChangeSkinData.
class TskSkinData : public TComponent {
public:
    explicit TskSkinData(TComponent* owner = nullptr);
    ~TskSkinData() override;
    std::string_view ClassName() const override { return "TskSkinData"; }

    // ---- loading
    // Replaces the loaded skin with the package of `s`: nothing at all when its buffer is
    // empty; otherwise BeforeChangeSkinData, clear, inflate and read, OnLoadData,
    // ChangeSkinData, AfterChangeSkinData. A package version above 3 or an error leaves the
    // skin data cleared and Empty, and still closes the change with ChangeSkinData and
    // AfterChangeSkinData before the error goes on to the caller.
    void LoadFromCompressedStoredSkin(TskCompressedStoredSkin* s);
    // Frees the records and active pictures, empties the fixed pictures; sends nothing.
    void ClearSkin();
    // Sends a notice to the application's windows in the order the skin data decides.
    void SendSkinDataMessage(uint32_t code);

    // ---- lookups: the first record whose IDName equals `name` byte for byte, or -1
    int FindObjectIndex(std::string_view name) const;
    int FindControlIndex(std::string_view name) const;
    // The picture of an index, or none for -1 and anything outside the list.
    const Bitmap* ActivePicture(int32_t index) const;

    // ---- state
    bool Empty() const { return empty_; }
    bool ChangingSkinData() const { return changing_; }

    // ---- properties (published)
    std::function<void(TskSkinData*)> OnLoadData;

    TskCompressedSkinList* SkinList() const { return skinList_; }
    void SetSkinList(TskCompressedSkinList* list);
    int32_t SkinIndex() const { return skinIndex_; }
    void SetSkinIndex(int32_t index);
    TskCompressedStoredSkin* CompressedStoredSkin() const { return storedSkin_; }
    void SetCompressedStoredSkin(TskCompressedStoredSkin* s);
    TskResourceStrData* ResourceStrData() const { return resourceStrData_; }
    void SetResourceStrData(TskResourceStrData* r);

    bool SkinnableForm() const { return skinnableForm_; }
    void SetSkinnableForm(bool v);
    bool ShowLayeredBorders() const { return showLayeredBorders_; }
    void SetShowLayeredBorders(bool v);
    bool AeroBlurEnabled() const { return aeroBlurEnabled_; }
    void SetAeroBlurEnabled(bool v);

    // Plain switches.
    bool EnableSkinEffects = true;
    bool ShowButtonGlowFrames = true;
    bool ShowCaptionButtonGlowFrames = true;
    bool AnimationForAllWindows = false;
    bool DlgTreeViewDrawSkin = true;
    std::string DlgTreeViewItemSkinDataName = "listbox";
    bool DlgListViewDrawSkin = true;
    std::string DlgListViewItemSkinDataName = "listbox";

    // ---- the loaded skin (Empty: lists and pictures empty; [FORMINFO] keeps the last load)
    TskSkinColors SkinColors;
    TskDataSkinPopupWindow PopupWindow;
    TskDataSkinLayerFrame LayerFrame;
    TskDataSkinHintWindow HintWindow;

    Bitmap MainPicture;
    Bitmap InactivePicture;
    Bitmap MaskPicture;
    std::vector<Bitmap> ActivePictures;  // by picture index

    std::vector<std::unique_ptr<TskDataSkinObject>> ObjectList;  // [SKINOBJECTS] in entry order
    std::vector<std::unique_ptr<TskDataSkinControl>> CtrlList;   // [SKINCONTROLS] in entry order

    // [PICTURES]
    std::string picture, inactivepicture, mask;
    TextLines activepictures;
    // [VERSION]
    std::string skinname, skinauthor, authorurl, authoremail, skincomments;
    // [FORMINFO], after the mask and corner rules
    Rect buttonsrect, captionrect;
    int32_t buttonsoffset = 0;
    bool buttonsinleft = false, autorenderinginactiveimage = false;
    InactiveEffect inactiveeffect = ieBrightness;
    Point lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    int32_t bgpictureindex = kNoPicture, mdibgpictureindex = kNoPicture;
    bool mainmenupopupup = false;
    Rect maskrectarea;
    Point hittestlefttoppoint, hittestrighttoppoint, hittestleftbottompoint, hittestrightbottompoint;
    Rect clientrect;
    int32_t borderwidth = 0, formminwidth = 0, formminheight = 0;
    bool mditabstransparent = false, mainmenubartransparent = false;
    bool topstretch = false, leftstretch = false, rightstretch = false, bottomstretch = false;
    bool stretcheffect = false;
    StretchMode stretchtype = stFull;
    bool mdibgstretcheffect = false;
    StretchMode mdibgstretchtype = stFull;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void ReadDescription(const SkinDescription& d);
    void ReadFormInfo(const SkinDescription& d);
    void ReadLists(const SkinDescription& d);
    void FinishChange();
    void LoadListItem(int32_t index);

    bool empty_ = true;
    bool changing_ = false;
    TskCompressedSkinList* skinList_ = nullptr;
    int32_t skinIndex_ = 0;
    TskCompressedStoredSkin* storedSkin_ = nullptr;
    TskResourceStrData* resourceStrData_ = nullptr;
    bool skinnableForm_ = true;
    bool showLayeredBorders_ = true;
    bool aeroBlurEnabled_ = true;
};

}  // namespace tolvar
