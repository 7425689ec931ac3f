#pragma once
#include <string>
#include <string_view>

#include "base/Geometry.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinFieldVisitor.h"
#include "skin/data/SkinTypes.h"

namespace tolvar {

// The form-level records, one fixed section each, created with the skin data and living as
// long as it. Fields bear their keys' names.

// [POPUPWINDOW]: the frame of pop-up menus.
class TskDataSkinPopupWindow {
public:
    static constexpr std::string_view kSection = "POPUPWINDOW";
    void LoadFromIni(const SkinDescription& d);
    void SaveToIni(SkinDescription& d);

    int32_t windowpictureindex = -1;
    int32_t maskpictureindex = -1;
    Point lefttoppoint;
    Point righttoppoint;
    Point leftbottompoint;
    Point rightbottompoint;
    Rect itemsrect;
    Color scrollmarkercolor = 0;
    Color scrollmarkeractivecolor = 0;
    bool topstretch = false;
    bool leftstretch = false;
    bool rightstretch = false;
    bool bottomstretch = false;
    bool stretcheffect = false;
    StretchMode stretchtype = stFull;

    void VisitFields(SkinFieldVisitor& v);
};

// [LAYERFRAME]: the layered border drawn around the window. A skin has one when its pictureindex
// is not -1.
class TskDataSkinLayerFrame {
public:
    static constexpr std::string_view kSection = "LAYERFRAME";
    void LoadFromIni(const SkinDescription& d);
    void SaveToIni(SkinDescription& d);

    int32_t pictureindex = -1;
    int32_t maskpictureindex = -1;
    int32_t inactivepictureindex = -1;
    int32_t inactivemaskpictureindex = -1;
    Point lefttoppoint;
    Point righttoppoint;
    Point leftbottompoint;
    Point rightbottompoint;
    Rect clientrect;
    int32_t alphablendvalue = 255;
    int32_t inactivealphablendvalue = 255;
    Rect borderrect;
    bool hittestenable = false;
    bool fullborder = false;
    int32_t hittestsize = 0;
    Rect captionrect;
    Point hittestlefttoppoint;
    Point hittestrighttoppoint;
    Point hittestleftbottompoint;
    Point hittestrightbottompoint;
    Rect buttonsrect;
    Rect sysmenubuttonrect;
    bool fullstretch = false;
    int32_t rollupformheight = 0;
    int32_t buttonstopoffset = 0;
    int32_t sysbuttontopoffset = 0;
    int32_t blurmaskpictureindex = -1;
    Rect intersectblurmaskrect;
    Rect excludeblurmaskrect;
    int32_t leftoffset = 0;
    int32_t topoffset = 0;
    int32_t widthoffset = 0;
    int32_t heightoffset = 0;

    void VisitFields(SkinFieldVisitor& v);
};

// [HINTWINDOW]: the frame and font of hint windows.
class TskDataSkinHintWindow {
public:
    static constexpr std::string_view kSection = "HINTWINDOW";
    void LoadFromIni(const SkinDescription& d);
    void SaveToIni(SkinDescription& d);

    int32_t windowpictureindex = -1;
    int32_t maskpictureindex = -1;
    Point lefttoppoint;
    Point righttoppoint;
    Point leftbottompoint;
    Point rightbottompoint;
    Rect clientrect;
    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 12;  // 14 when the key is absent
    Color fontcolor = 0;
    bool topstretch = false;
    bool leftstretch = false;
    bool rightstretch = false;
    bool bottomstretch = false;
    bool stretcheffect = false;
    StretchMode stretchtype = stFull;

    void VisitFields(SkinFieldVisitor& v);
};

}  // namespace tolvar
