#include "SkinData.h"

#include <algorithm>
#include <exception>

#include "skin/data/CompressedSkinList.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinPackage.h"
#include "skin/data/SkinRecordTypes.h"
#include "skin/data/SkinValues.h"
#include "skin/data/ZlibStreams.h"

namespace tolvar {

namespace {

// Splits "name:type" at the first colon; without one, both are empty.
void SplitEntry(const std::string& entry, std::string& name, std::string& type) {
    const size_t colon = entry.find(':');
    if (colon == std::string::npos) {
        name.clear(), type.clear();
        return;
    }
    name = entry.substr(0, colon);
    type = entry.substr(colon + 1);
}

template <class Record, class Create>
void ReadEntryList(const SkinDescription& d, std::string_view section, Create create,
                   std::vector<std::unique_ptr<Record>>& list) {
    const int32_t count = d.ReadInteger(section, "count", 0);
    if (count <= 0) return;
    // Only the keys that are there: an absent one is an empty entry, which makes no record.
    std::string name, type;
    for (const int32_t i : NumberedKeys(d, section, count)) {
        SplitEntry(d.ReadString(section, std::to_string(i), ""), name, type);
        std::unique_ptr<Record> record = create(type, name);
        if (!record) continue;
        Record& r = *record;
        list.push_back(std::move(record));
        r.LoadFromIni(d);
    }
}

}  // namespace

TskSkinData::TskSkinData(TComponent* owner) : TComponent(owner) {}

TskSkinData::~TskSkinData() {
    // Without a notice: whoever still points here hears of it through the free notification.
    empty_ = true;
    ObjectList.clear();
    CtrlList.clear();
    ActivePictures.clear();
}

void TskSkinData::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    // Forgetting a source does not unload the skin it gave.
    if (component == storedSkin_) storedSkin_ = nullptr;
    if (component == skinList_) skinList_ = nullptr;
    if (component == resourceStrData_) resourceStrData_ = nullptr;
}

// ---- lookups

int TskSkinData::FindObjectIndex(std::string_view name) const {
    for (size_t i = 0; i < ObjectList.size(); ++i)
        if (ObjectList[i]->IDName == name) return int(i);
    return -1;
}

int TskSkinData::FindControlIndex(std::string_view name) const {
    for (size_t i = 0; i < CtrlList.size(); ++i)
        if (CtrlList[i]->IDName == name) return int(i);
    return -1;
}

const Bitmap* TskSkinData::ActivePicture(int32_t index) const {
    if (index < 0 || size_t(index) >= ActivePictures.size()) return nullptr;
    return &ActivePictures[size_t(index)];
}

// ---- loading

void TskSkinData::ClearSkin() {
    ObjectList.clear();
    CtrlList.clear();
    ActivePictures.clear();
    LayerFrame.pictureindex = kNoPicture;
    PopupWindow.windowpictureindex = kNoPicture;
    HintWindow.windowpictureindex = kNoPicture;
    activepictures.clear();
    SkinColors.SetDefaults();
    MainPicture.Clear();
    MaskPicture.Clear();
    InactivePicture.Clear();
    picture.clear();
    mask.clear();
    empty_ = true;
}

void TskSkinData::LoadFromCompressedStoredSkin(TskCompressedStoredSkin* s) {
    if (!s || s->CompressedStream.Empty()) return;
    empty_ = true;
    changing_ = true;
    SendSkinDataMessage(BeforeChangeSkinData);
    ClearSkin();

    std::exception_ptr failure;
    try {
        const TInflatedBytes inflated(s->CompressedStream);
        SkinPackage package;
        if (ReadSkinPackage(inflated.View(), package)) {
            MainPicture = std::move(package.mainPicture);
            InactivePicture = std::move(package.inactivePicture);
            MaskPicture = std::move(package.maskPicture);
            ActivePictures = std::move(package.activePictures);
            ReadDescription(SkinDescription::FromText(package.description));
            empty_ = false;
            if (OnLoadData) OnLoadData(this);
        }
    } catch (...) {
        failure = std::current_exception();
        // Nothing half read stays behind; a failing OnLoadData keeps the complete skin.
        if (empty_) ClearSkin();
    }
    // Receivers that were told of the change are always told that it is over.
    FinishChange();
    if (failure) std::rethrow_exception(failure);
}

void TskSkinData::FinishChange() {
    SendSkinDataMessage(ChangeSkinData);
    changing_ = false;
    SendSkinDataMessage(AfterChangeSkinData);
}

void TskSkinData::ReadDescription(const SkinDescription& d) {
    skinname = d.ReadString("VERSION", "skinname", "");
    skinauthor = d.ReadString("VERSION", "skinauthor", "");
    authoremail = d.ReadString("VERSION", "authoremail", "");
    authorurl = d.ReadString("VERSION", "authorurl", "");
    skincomments = d.ReadString("VERSION", "skincomments", "");

    picture = d.ReadString("PICTURES", "picture", "");
    inactivepicture = d.ReadString("PICTURES", "inactivepicture", "");
    mask = d.ReadString("PICTURES", "mask", "");
    ReadStringList(d, "PICTURES", "activepictures", activepictures);

    ReadFormInfo(d);
    PopupWindow.LoadFromIni(d);
    LayerFrame.LoadFromIni(d);
    HintWindow.LoadFromIni(d);
    SkinColors.LoadFromIni(d);
    ReadLists(d);
}

void TskSkinData::ReadFormInfo(const SkinDescription& d) {
    constexpr std::string_view s = "FORMINFO";
    lefttoppoint = ReadPoint(d, s, "lefttoppoint");
    righttoppoint = ReadPoint(d, s, "righttoppoint");
    leftbottompoint = ReadPoint(d, s, "leftbottompoint");
    rightbottompoint = ReadPoint(d, s, "rightbottompoint");
    clientrect = ReadRect(d, s, "clientrect");
    bgpictureindex = d.ReadInteger(s, "bgpictureindex", kNoPicture);
    mdibgpictureindex = d.ReadInteger(s, "mdibgpictureindex", kNoPicture);
    leftstretch = ReadBoolean(d, s, "leftstretch");
    rightstretch = ReadBoolean(d, s, "rightstretch");
    topstretch = ReadBoolean(d, s, "topstretch");
    bottomstretch = ReadBoolean(d, s, "bottomstretch");
    stretcheffect = ReadBoolean(d, s, "stretcheffect");
    stretchtype = ReadStretchMode(d, s, "stretchtype");
    mdibgstretcheffect = ReadBoolean(d, s, "mdibgstretcheffect");
    mdibgstretchtype = ReadStretchMode(d, s, "mdibgstretchtype");
    maskrectarea = ReadRect(d, s, "maskrectarea");
    hittestlefttoppoint = ReadPoint(d, s, "hittestlefttoppoint");
    hittestrighttoppoint = ReadPoint(d, s, "hittestrighttoppoint");
    hittestleftbottompoint = ReadPoint(d, s, "hittestleftbottompoint");
    hittestrightbottompoint = ReadPoint(d, s, "hittestrightbottompoint");
    buttonsrect = ReadRect(d, s, "buttonsrect");
    captionrect = ReadRect(d, s, "captionrect");
    buttonsoffset = d.ReadInteger(s, "buttonsoffset", 0);
    buttonsinleft = ReadBoolean(d, s, "buttonsinleft");
    mainmenupopupup = ReadBoolean(d, s, "mainmenupopupup");
    borderwidth = d.ReadInteger(s, "borderwidth", 0);
    formminwidth = d.ReadInteger(s, "formminwidth", 0);
    formminheight = d.ReadInteger(s, "formminheight", 0);
    mditabstransparent = ReadBoolean(d, s, "mditabstransparent");
    mainmenubartransparent = ReadBoolean(d, s, "mainmenubartransparent");
    autorenderinginactiveimage = ReadBoolean(d, s, "autorenderinginactiveimage");
    inactiveeffect = ReadInactiveEffect(d, s, "inactiveeffect");

    // With a mask, the window's shape is taken from around the client area, and the resize
    // zones the skin leaves open follow the corners as read.
    if (!mask.empty()) {
        if (IsEmptyRect(maskrectarea)) {
            maskrectarea = clientrect;
        } else {
            maskrectarea =
                Rect{std::min(maskrectarea.Left, clientrect.Left), std::min(maskrectarea.Top, clientrect.Top),
                     std::max(maskrectarea.Right, clientrect.Right), std::max(maskrectarea.Bottom, clientrect.Bottom)};
        }
        auto follow = [](Point& hit, const Point& corner) {
            if (hit.X == 0 || hit.Y == 0) hit = corner;
        };
        follow(hittestlefttoppoint, lefttoppoint);
        follow(hittestrighttoppoint, righttoppoint);
        follow(hittestleftbottompoint, leftbottompoint);
        follow(hittestrightbottompoint, rightbottompoint);
    }

    // The corners are pulled onto the client rectangle where they lie outside it.
    if (rightbottompoint.X != lefttoppoint.X && rightbottompoint.Y != lefttoppoint.Y) {
        lefttoppoint = Point{std::max(lefttoppoint.X, clientrect.Left), std::max(lefttoppoint.Y, clientrect.Top)};
        righttoppoint = Point{std::min(righttoppoint.X, clientrect.Right), std::max(righttoppoint.Y, clientrect.Top)};
        leftbottompoint =
            Point{std::max(leftbottompoint.X, clientrect.Left), std::min(leftbottompoint.Y, clientrect.Bottom)};
        rightbottompoint =
            Point{std::min(rightbottompoint.X, clientrect.Right), std::min(rightbottompoint.Y, clientrect.Bottom)};
    }
}

void TskSkinData::ReadLists(const SkinDescription& d) {
    ReadEntryList(d, "SKINOBJECTS", CreateObjectRecord, ObjectList);
    ReadEntryList(d, "SKINCONTROLS", CreateControlRecord, CtrlList);
}

// ---- notices

void TskSkinData::SendSkinDataMessage(uint32_t code) {
    TskSkinNoticeRoute* route = SkinNoticeRoute();
    if (!route) return;
    TComponent* owner = Owner();
    TComponent* served = nullptr;
    if (owner && route->IsWindow(owner) && !showLayeredBorders_) {
        route->Send(owner, code, this, kSkinNoticeParam);
        served = owner;
    }
    std::vector<TComponent*> windows;
    for (TComponent* w : route->ApplicationWindows())
        if (w && w != served && w->ClassName() != "TskFormLayerWindow") windows.push_back(w);
    if (showLayeredBorders_ && LayerFrame.pictureindex != kNoPicture) std::reverse(windows.begin(), windows.end());
    for (TComponent* w : windows) {
        // A receiver may close windows; those are not addressed any more.
        const std::vector<TComponent*> open = route->ApplicationWindows();
        if (std::find(open.begin(), open.end(), w) == open.end()) continue;
        route->Send(w, code, this, kSkinNoticeParam);
    }
}

// ---- properties

void TskSkinData::SetCompressedStoredSkin(TskCompressedStoredSkin* s) {
    if (storedSkin_ && storedSkin_ != s) RemoveFreeNotification(storedSkin_);
    storedSkin_ = s;
    if (s) FreeNotification(s);
    if (!Designing() && s) LoadFromCompressedStoredSkin(s);
}

void TskSkinData::LoadListItem(int32_t index) {
    if (!skinList_ || index < 0 || index >= skinList_->Skins.Count()) return;
    LoadFromCompressedStoredSkin(&skinList_->Skins.Items(index).Skin());
}

void TskSkinData::SetSkinList(TskCompressedSkinList* list) {
    if (skinList_ && skinList_ != list) RemoveFreeNotification(skinList_);
    skinList_ = list;
    if (list) FreeNotification(list);
    if (!Designing()) LoadListItem(skinIndex_);
}

void TskSkinData::SetSkinIndex(int32_t index) {
    if (index == skinIndex_) return;
    if (!skinList_) {
        skinIndex_ = index;
        return;
    }
    if (index < 0 || index >= skinList_->Skins.Count()) return;
    skinIndex_ = index;
    if (!Designing()) LoadListItem(index);
}

void TskSkinData::SetResourceStrData(TskResourceStrData* r) {
    if (resourceStrData_ && resourceStrData_ != r) RemoveFreeNotification(resourceStrData_);
    resourceStrData_ = r;
    if (r) FreeNotification(r);
    if (!Designing()) SendSkinDataMessage(ResourceStrDataChanged);
}

void TskSkinData::SetSkinnableForm(bool v) {
    if (v == skinnableForm_) return;
    skinnableForm_ = v;
    if (!Designing() && !Loading()) SendSkinDataMessage(SkinnableFormChanged);
}

void TskSkinData::SetShowLayeredBorders(bool v) {
    if (v == showLayeredBorders_) return;
    showLayeredBorders_ = v;
    if (!Designing() && !Loading()) SendSkinDataMessage(LayeredBordersChanged);
}

void TskSkinData::SetAeroBlurEnabled(bool v) {
    if (v == aeroBlurEnabled_) return;
    aeroBlurEnabled_ = v;
    if (!Designing() && !Loading()) SendSkinDataMessage(AeroBlurChanged);
}

}  // namespace tolvar
