#pragma once
#include <string>
#include <string_view>

#include "base/Geometry.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinFieldVisitor.h"
#include "skin/data/SkinTypes.h"

namespace tolvar {

// The object records of [SKINOBJECTS]: what the frame draws itself (caption, caption
// buttons, menu items), in their class tree. Every field but IDName bears the name of the key
// that fills it; members are initialised to their keys' defaults.

// The root of the object records: an element the frame draws itself, placed by its normal image.
class TskDataSkinObject {
public:
    explicit TskDataSkinObject(std::string name) : IDName(std::move(name)) {}
    virtual ~TskDataSkinObject() = default;
    virtual std::string_view ClassName() const { return "TskDataSkinObject"; }

    // Reads the record's keys from the section named IDName.
    virtual void LoadFromIni(const SkinDescription& d);
    // Erases that section, then writes every key, base-class keys first.
    virtual void SaveToIni(SkinDescription& d);

    std::string IDName;
    std::string hint;
    bool skinrectinapicture = false;
    Rect skinrect;
    Rect activeskinrect;
    int32_t activepictureindex = -1;
    int32_t activemaskpictureindex = -1;
    Rect inactiveskinrect;
    bool morphing = false;
    MorphMode morphkind = mkDefault;
    int32_t glowlayerpictureindex = -1;
    int32_t glowlayermaskpictureindex = -1;
    int32_t glowlayeroffsetx = 0;
    int32_t glowlayeroffsety = 0;
    int32_t glowlayeralphablendvalue = 255;

    // Names every field with its key and default to the visitor, base-class fields first.
    virtual void VisitFields(SkinFieldVisitor& v);
};

// An object the application draws; only its place is read. Type "userobject".
class TskDataUserObject : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    std::string_view ClassName() const override { return "TskDataUserObject"; }
    void LoadFromIni(const SkinDescription& d) override;
};

// An object with a frame animation. Type "animate".
class TskDataSkinAnimate : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    std::string_view ClassName() const override { return "TskDataSkinAnimate"; }
    void LoadFromIni(const SkinDescription& d) override;

    int32_t countframes = 1;
    bool cycle = false;
    bool buttonstyle = false;
    int32_t timerinterval = 50;
    ButtonCommand command = cmDefault;
    Rect downskinrect;
    std::string restorehint;
    Rect restorerect;
    Rect restoreactiverect;
    Rect restoredownrect;
    Rect restoreinactiverect;

    void VisitFields(SkinFieldVisitor& v) override;
};

// The window caption: its text area, font, colours and text effects. Type "caption".
class TskDataSkinCaption : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    std::string_view ClassName() const override { return "TskDataSkinCaption"; }

    std::string fontname = "Arial";
    int32_t fontheight = 14;
    FontStyles fontstyle = 0;
    Color fontcolor = 0;
    Color activefontcolor = 0;
    Color shadowcolor = 0;
    Color activeshadowcolor = 0;
    bool shadow = false;
    TextAlign alignment = taCenter;
    Rect textrect;
    Rect framerect;
    Rect activeframerect;
    int32_t frameleftoffset = 0;
    int32_t framerightoffset = 0;
    Rect frametextrect;
    bool light = false;
    Color lightcolor = 0;
    Color activelightcolor = 0;
    bool stretcheffect = false;
    Rect animateskinrect;
    int32_t framecount = 0;
    int32_t animateinterval = 25;
    bool inactiveanimation = false;
    bool fullframe = false;
    bool gloweffect = false;
    bool vistagloweffect = false;
    bool vistaglowinactiveeffect = false;
    bool glowinactiveeffect = false;
    int32_t glowsize = 3;
    Color glowcolor = 0;
    Color glowactivecolor = 0;
    int32_t glowoffset = 0;
    bool reflectioneffect = false;
    Color reflactioncolor = 0;
    Color reflactionactivecolor = 0;
    int32_t reflectionoffset = 0;
    Rect dividerrect;
    Rect inactivedividerrect;
    bool dividertransparent = false;
    Color dividertransparentcolor = 0;
    int32_t quickbuttonalphamaskpictureindex = -1;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Items of pop-up menus. Type "menuitem".
class TskDataSkinMenuItem : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    std::string_view ClassName() const override { return "TskDataSkinMenuItem"; }
    void LoadFromIni(const SkinDescription& d) override;

    Rect dividerrect;
    int32_t dividerleftoffset = 0;
    int32_t dividerrightoffset = 0;
    int32_t itemleftoffset = 0;
    int32_t itemrightoffset = 0;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    FontStyles fontstyle = 0;
    Color unenabledfontcolor = 0;
    Color fontcolor = 0;
    Color activefontcolor = 0;
    Rect textrect;
    Rect imagerect;
    bool useimagecolor = false;
    Color imagecolor = 0;
    Color activeimagecolor = 0;
    bool stretcheffect = false;
    bool dividerstretcheffect = false;
    bool inactivestretcheffect = false;
    Rect animateskinrect;
    int32_t framecount = 0;
    int32_t animateinterval = 25;
    bool inactiveanimation = false;
    bool inactivetransparent = false;
    Rect checkimagerect;
    Rect activecheckimagerect;
    Rect radioimagerect;
    Rect activeradioimagerect;
    Rect arrowimagerect;
    Rect activearrowimagerect;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Items of a main menu bar.
class TskDataSkinMainMenuItem : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    std::string_view ClassName() const override { return "TskDataSkinMainMenuItem"; }

    Rect downrect;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    FontStyles fontstyle = 0;
    Color fontcolor = 0;
    Color activefontcolor = 0;
    Color downfontcolor = 0;
    Color unenabledfontColor = 0;
    Rect textrect;
    int32_t itemleftoffset = 0;
    int32_t itemrightoffset = 0;
    bool stretcheffect = false;
    Rect animateskinrect;
    int32_t framecount = 0;
    int32_t animateinterval = 25;
    bool inactiveanimation = false;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Items of a main menu bar, as the skin lists them. Type "mainmenubaritem".
class TskDataSkinMainMenuBarItem : public TskDataSkinMainMenuItem {
public:
    using TskDataSkinMainMenuItem::TskDataSkinMainMenuItem;
    std::string_view ClassName() const override { return "TskDataSkinMainMenuBarItem"; }
};

// A frame button: pressed and disabled images, alpha masks. Type "button".
class TskDataSkinButton : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    std::string_view ClassName() const override { return "TskDataSkinButton"; }

    Rect downrect;
    Rect disableskinrsect;
    int32_t alphamaskpictureindex = -1;
    int32_t alphamaskactivepictureindex = -1;
    int32_t alphamaskinactivepictureindex = -1;

    void VisitFields(SkinFieldVisitor& v) override;
};

// A caption button with its command and the images of its restore state. Type "stdbutton".
class TskDataSkinStdButton : public TskDataSkinButton {
public:
    using TskDataSkinButton::TskDataSkinButton;
    std::string_view ClassName() const override { return "TskDataSkinStdButton"; }
    void LoadFromIni(const SkinDescription& d) override;

    ButtonCommand command = cmDefault;
    std::string restorehint;
    Rect restorerect;
    Rect restoreactiverect;
    Rect restoredownrect;
    Rect restoreinactiverect;

    void VisitFields(SkinFieldVisitor& v) override;
};

// The caption buttons of a main menu bar. Type "mainmenubarbutton".
class TskDataSkinMainMenuBarButton : public TskDataSkinStdButton {
public:
    using TskDataSkinStdButton::TskDataSkinStdButton;
    std::string_view ClassName() const override { return "TskDataSkinMainMenuBarButton"; }
};

}  // namespace tolvar
