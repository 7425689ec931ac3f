#pragma once
#include <string>
#include <string_view>

#include "base/Geometry.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinFieldVisitor.h"
#include "skin/data/SkinTypes.h"

namespace tolvar {

// The control records of [SKINCONTROLS]: one class per type keyword, in their class tree.
// Every field but IDName bears the name of the key that fills it; members are initialised
// to their keys' defaults.

// The root of the control records: the picture and the piece of it that a control is drawn from.
class TskDataSkinControl {
public:
    explicit TskDataSkinControl(std::string name) : IDName(std::move(name)) {}
    virtual ~TskDataSkinControl() = default;
    virtual std::string_view ClassName() const { return "TskDataSkinControl"; }

    // Reads the record's keys from the section named IDName.
    virtual void LoadFromIni(const SkinDescription& d);
    // Erases that section, then writes every key, base-class keys first.
    virtual void SaveToIni(SkinDescription& d);

    std::string IDName;
    int32_t pictureindex = -1;
    int32_t maskpictureindex = -1;
    Rect skinrect;

    // Names every field with its key and default to the visitor, base-class fields first.
    virtual void VisitFields(SkinFieldVisitor& v);
};

// A control whose piece is split by corner points and a client rect, so that it can be composed to
// any size.
class TskDataSkinCustomControl : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    std::string_view ClassName() const override { return "TskDataSkinCustomControl"; }

    Point lefttoppoint;
    Point righttoppoint;
    Point leftbottompoint;
    Point rightbottompoint;
    Rect clientrect;
    bool stretcheffect = false;
    StretchMode stretchtype = stFull;
    bool leftstretch = false;
    bool topstretch = false;
    bool rightstretch = false;
    bool bottomstretch = false;

    void VisitFields(SkinFieldVisitor& v) override;
};

// The progress gauge: background piece, progress picture with end caps, and the progress animation
// strip. Type "gauge".
class TskDataSkinGaugeControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    std::string_view ClassName() const override { return "TskDataSkinGaugeControl"; }

    Rect progressarea;
    Rect progressrect;
    bool vertical = false;
    int32_t beginoffset = 0;
    int32_t endoffset = 0;
    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 14;
    Color fontcolor = 0;
    bool progresstransparent = false;
    Color progresstransparentcolor = 0;
    bool progressstretch = false;
    Rect animationskinrect;
    int32_t animationcountframes = 0;
    int32_t animationtimerinterval = 0;
    Rect progressanimationskinrect;
    int32_t progressanimationcountframes = 0;
    int32_t progressanimationtimerinterval = 0;
    int32_t animationbeginoffset = 0;
    int32_t animationendoffset = 0;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Push buttons. Type "button".
class TskDataSkinButtonControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    std::string_view ClassName() const override { return "TskDataSkinButtonControl"; }

    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 14;
    Color fontcolor = 0;
    Color activefontcolor = 0;
    Color downfontcolor = 0;
    Color disabledfontcolor = 0;
    Rect activeskinrect;
    Rect downskinrect;
    Rect disabledskinrect;
    Rect focusedskinrect;
    bool morphing = false;
    MorphMode morphkind = mkDefault;
    Rect animateskinrect;
    int32_t framecount = 0;
    int32_t animateinterval = 25;
    bool showfocus = false;
    Rect menumarkerflatrect;
    Rect menumarkerrect;
    Rect menumarkeractiverect;
    Rect menumarkerdownrect;
    Color menumarkertransparentcolor = 0;
    int32_t glowlayerpictureindex = -1;
    int32_t glowlayermaskpictureindex = -1;
    int32_t glowlayeroffsetleft = 0;
    int32_t glowlayeroffsetright = 0;
    int32_t glowlayeroffsettop = 0;
    int32_t glowlayeroffsetbottom = 0;
    int32_t glowlayershowoffsetx = 0;
    int32_t glowlayershowoffsety = 0;
    int32_t glowlayeralphablendvalue = 255;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Buttons with a drop-down part. Type "menubutton".
class TskDataSkinMenuButtonControl : public TskDataSkinButtonControl {
public:
    using TskDataSkinButtonControl::TskDataSkinButtonControl;
    std::string_view ClassName() const override { return "TskDataSkinMenuButtonControl"; }

    Rect trackbuttonrect;

    void VisitFields(SkinFieldVisitor& v) override;
};

// List boxes. Type "listbox".
class TskDataSkinListBox : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    std::string_view ClassName() const override { return "TskDataSkinListBox"; }

    Rect itemrect;
    Rect activeitemrect;
    Rect focusitemrect;
    int32_t itemleftoffset = 0;
    int32_t itemrightoffset = 0;
    Rect itemtextrect;
    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 14;
    Color fontcolor = 0;
    Color activefontcolor = 0;
    Color focusfontcolor = 0;
    Rect captionrect;
    std::string captionfontname = "Arial";
    FontStyles captionfontstyle = 0;
    int32_t captionfontheight = 14;
    Color captionfontcolor = 0;
    Rect upbuttonrect;
    Rect activeupbuttonrect;
    Rect downupbuttonrect;
    Rect downbuttonrect;
    Rect activedownbuttonrect;
    Rect downdownbuttonrect;
    Rect checkbuttonrect;
    Rect activecheckbuttonrect;
    Rect downcheckbuttonrect;
    std::string vscrollbarname = "vscrollbar";
    std::string hscrollbarname = "hscrollbar";
    std::string bothhscrollbarname = "bothhscrollbar";
    bool showfocus = false;
    Rect disabledbuttonsrect;
    Rect buttonsarea;

    void VisitFields(SkinFieldVisitor& v) override;
};

// List boxes with check marks. Type "checklistbox".
class TskDataSkinCheckListBox : public TskDataSkinListBox {
public:
    using TskDataSkinListBox::TskDataSkinListBox;
    std::string_view ClassName() const override { return "TskDataSkinCheckListBox"; }

    Rect uncheckimagerect;
    Rect checkimagerect;
    Rect itemcheckrect;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Edit fields. Type "edit".
class TskDataSkinEditControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    std::string_view ClassName() const override { return "TskDataSkinEditControl"; }

    Rect activeskinrect;
    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 14;
    Color fontcolor = 0;
    Color disabledfontcolor = 0;
    Color activefontcolor = 0;
    Rect buttonrect;
    Rect activebuttonrect;
    Rect downbuttonrect;
    Rect unenabledbuttonrect;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Multi-line edit fields. Type "memo".
class TskDataSkinMemoControl : public TskDataSkinEditControl {
public:
    using TskDataSkinEditControl::TskDataSkinEditControl;
    std::string_view ClassName() const override { return "TskDataSkinMemoControl"; }

    Color bgcolor = 0;
    Color activebgcolor = 0;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Application menus. Type "appmenu".
class TskDataSkinAppMenu : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    std::string_view ClassName() const override { return "TskDataSkinAppMenu"; }

    int32_t bgpictureindex = -1;
    bool bgstretcheffect = false;
    Rect itemrect;
    Rect pageitemrect;
    Rect pageitemactiverect;
    int32_t itemoffset1 = 3;
    int32_t itemoffset2 = 3;
    int32_t pageitemoffset1 = 10;
    int32_t pageitemoffset2 = 10;
    int32_t pageoffset = 0;
    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 14;
    int32_t fontpageheight = 16;
    Color fontcolor = 0;
    Color disabledfontcolor = 0;
    Color fontpagecolor = 0;
    Color activefontcolor = 0;
    Color activefontpagecolor = 0;
    Rect gripperrect;
    Color grippertransparentcolor = 0;
    Rect toplinerect;
    int32_t toplineoffset1 = 0;
    int32_t toplineoffset2 = 0;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Tool bar hosts. Type "controlbar".
class TskDataSkinControlBar : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    std::string_view ClassName() const override { return "TskDataSkinControlBar"; }

    Rect itemrect;
    int32_t bgpictureindex = -1;
    Rect hgriprect;
    Rect vgriprect;
    int32_t gripoffset1 = 0;
    int32_t gripoffset2 = 0;
    bool itemstretcheffect = false;
    int32_t itemoffset1 = 3;
    int32_t itemoffset2 = 3;
    bool itemtransparent = false;
    Color itemtransparentcolor = 0;
    bool griptransparent = false;
    Color griptransparentcolor = 0;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Up-down buttons; their piece is never split. Type "updown".
class TskDataSkinUpDownControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    std::string_view ClassName() const override { return "TskDataSkinUpDownControl"; }
    void LoadFromIni(const SkinDescription& d) override;

    Rect upbuttonrect;
    Rect activeupbuttonrect;
    Rect downupbuttonrect;
    Rect downbuttonrect;
    Rect activedownbuttonrect;
    Rect downdownbuttonrect;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Combo boxes. Type "combobox".
class TskDataSkinComboBox : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    std::string_view ClassName() const override { return "TskDataSkinComboBox"; }

    Rect itemrect;
    Rect activeitemrect;
    Rect focusitemrect;
    int32_t itemleftoffset = 0;
    int32_t itemrightoffset = 0;
    Rect itemtextrect;
    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 14;
    Color fontcolor = 0;
    Color focusfontcolor = 0;
    Color activefontcolor = 0;
    Rect buttonrect;
    Rect activebuttonrect;
    Rect downbuttonrect;
    Rect unenabledbuttonrect;
    bool itemstretcheffect = false;
    bool focusitemstretcheffect = false;
    Rect activeskinrect;
    bool showfocus = false;
    std::string listboxname;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Scroll bars. Type "scrollbar".
class TskDataSkinScrollBarControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    std::string_view ClassName() const override { return "TskDataSkinScrollBarControl"; }

    Rect trackarea;
    Rect upbuttonrect;
    Rect activeupbuttonrect;
    Rect downupbuttonrect;
    Rect downbuttonrect;
    Rect activedownbuttonrect;
    Rect downdownbuttonrect;
    Rect thumbrect;
    Rect activethumbrect;
    Rect downthumbrect;
    int32_t thumboffset1 = 0;
    int32_t thumboffset2 = 0;
    Rect glyphrect;
    Rect activeglyphrect;
    Rect downglyphrect;
    bool glyphtransparent = false;
    Color glyphtransparentcolor = 0;
    bool thumbtransparent = false;
    Color thumbtransparentcolor = 0;
    bool thumbstretcheffect = false;
    int32_t thumbminsize = 0;
    int32_t thumbminpagesize = 0;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Spin edits. Type "spinedit".
class TskDataSkinSpinEditControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    std::string_view ClassName() const override { return "TskDataSkinSpinEditControl"; }

    Rect activeskinrect;
    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 14;
    Color fontcolor = 0;
    Color activefontcolor = 0;
    Color disabledfontcolor = 0;
    Rect upbuttonrect;
    Rect activeupbuttonrect;
    Rect downupbuttonrect;
    Rect downbuttonrect;
    Rect activedownbuttonrect;
    Rect downdownbuttonrect;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Labels on a skinned plate. Type "label".
class TskDataSkinLabelControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    std::string_view ClassName() const override { return "TskDataSkinLabelControl"; }

    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 14;
    Color fontcolor = 0;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Splitters. Type "splitter".
class TskDataSkinSplitterControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    std::string_view ClassName() const override { return "TskDataSkinSplitterControl"; }

    Rect gripperrect;
    bool grippertransparent = false;
    Color grippertransparentcolor = 0;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Track bars. Type "trackbar".
class TskDataSkinTrackBarControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    std::string_view ClassName() const override { return "TskDataSkinTrackBarControl"; }

    Rect activeskinrect;
    Rect trackarea;
    Rect buttonrect;
    Rect activebuttonrect;
    bool vertical = false;
    bool buttontransparent = false;
    Color buttontransparentcolor = 0;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Check boxes and radio buttons. Type "checkradio".
class TskDataSkinCheckRadioControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    std::string_view ClassName() const override { return "TskDataSkinCheckRadioControl"; }

    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 14;
    Color fontcolor = 0;
    Color activefontcolor = 0;
    Color unenabledfontcolor = 0;
    Rect activeskinrect;
    Rect checkimagearea;
    Rect textarea;
    Rect checkimagerect;
    Rect uncheckimagerect;
    Rect activecheckimagerect;
    Rect activeuncheckimagerect;
    Rect unenabledcheckimagerect;
    Rect unenableduncheckimagerect;
    Rect grayedcheckimagerect;
    Rect activegrayedcheckimagerect;
    bool morphing = false;
    MorphMode morphkind = mkDefault;
    Color framefontcolor = 0;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Scroll boxes. Type "scrollbox".
class TskDataSkinScrollBoxControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    std::string_view ClassName() const override { return "TskDataSkinScrollBoxControl"; }

    int32_t bgpictureindex = -1;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Panels and group boxes. Type "panel".
class TskDataSkinPanelControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    std::string_view ClassName() const override { return "TskDataSkinPanelControl"; }

    Rect captionrect;
    TextAlign alignment = taCenter;
    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 14;
    Color fontcolor = 0;
    int32_t bgpictureindex = -1;
    Rect checkimagerect;
    Rect uncheckimagerect;
    Rect markframerect;
    Rect framerect;
    int32_t frameleftoffset = 0;
    int32_t framerightoffset = 0;
    Rect frametextrect;
    Rect gripperrect;
    bool grippertransparent = false;
    Color grippertransparentcolor = 0;
    Rect buttonrect;
    Rect buttonactiverect;
    Rect buttondownrect;
    bool buttontransparent = false;
    Color buttontransparentcolor = 0;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Panels that roll up. Type "expanel".
class TskDataSkinExPanelControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    std::string_view ClassName() const override { return "TskDataSkinExPanelControl"; }

    Rect rollhskinrect;
    Rect rollvskinrect;
    int32_t rollleftoffset = 0;
    int32_t rollrightoffset = 0;
    int32_t rolltopoffset = 0;
    int32_t rollbottomoffset = 0;
    Rect rollvcaptionrect;
    Rect rollhcaptionrect;
    Rect closebuttonrect;
    Rect closebuttonactiverect;
    Rect closebuttondownrect;
    Rect hrollbuttonrect;
    Rect hrollbuttonactiverect;
    Rect hrollbuttondownrect;
    Rect hrestorebuttonrect;
    Rect hrestorebuttonactiverect;
    Rect hrestorebuttondownrect;
    Rect vrollbuttonrect;
    Rect vrollbuttonactiverect;
    Rect vrollbuttondownrect;
    Rect vrestorebuttonrect;
    Rect vrestorebuttonactiverect;
    Rect vrestorebuttondownrect;
    Rect captionrect;
    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 14;
    Color fontcolor = 0;
    bool buttonstransparent = false;
    Color buttonstransparentcolor = 0;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Bevels. Type "bevel".
class TskDataSkinBevel : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    std::string_view ClassName() const override { return "TskDataSkinBevel"; }

    Color lightcolor = 0;
    Color darkcolor = 0;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Tree views. Type "treeview".
class TskDataSkinTreeView : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    std::string_view ClassName() const override { return "TskDataSkinTreeView"; }

    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 14;
    Color fontcolor = 0;
    Color bgcolor = 0;
    Rect expandimagerect;
    Rect noexpandimagerect;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Sliders. Type "slider".
class TskDataSkinSlider : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    std::string_view ClassName() const override { return "TskDataSkinSlider"; }

    Rect hrulerrect;
    Rect hthumbrect;
    Rect vrulerrect;
    Rect vthumbrect;
    int32_t edgesize = 0;
    Color bgcolor = 0;
    Color pointscolor = 0;

    void VisitFields(SkinFieldVisitor& v) override;
};

// List views. Type "listview".
class TskDataSkinListView : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    std::string_view ClassName() const override { return "TskDataSkinListView"; }

    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 14;
    Color fontcolor = 0;
    Color bgcolor = 0;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Rich edits. Type "richedit".
class TskDataSkinRichEdit : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    std::string_view ClassName() const override { return "TskDataSkinRichEdit"; }

    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 14;
    Color fontcolor = 0;
    Color bgcolor = 0;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Main menu bars; the buttons are named object records. Type "mainmenubar".
class TskDataSkinMainMenuBar : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    std::string_view ClassName() const override { return "TskDataSkinMainMenuBar"; }

    Rect itemsrect;
    std::string menubaritem;
    std::string closebutton;
    std::string minbutton;
    std::string maxbutton;
    std::string sysmenubutton;
    Color trackmarkcolor = 0;
    Color trackmarkactivecolor = 0;
    bool stretcheffect = false;
    bool itemtransparent = false;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Tab controls. Type "tab".
class TskDataSkinTabControl : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    std::string_view ClassName() const override { return "TskDataSkinTabControl"; }

    Rect tabrect;
    Rect activetabrect;
    Rect focustabrect;
    Rect mouseintabrect;
    Rect clientrect;
    Rect tabsbgrect;
    Point lefttoppoint;
    Point righttoppoint;
    Point leftbottompoint;
    Point rightbottompoint;
    int32_t tableftoffset = 0;
    int32_t tabrightoffset = 0;
    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 14;
    Color fontcolor = 0;
    Color activefontcolor = 0;
    Color focusfontcolor = 0;
    Color mouseinfontcolor = 0;
    int32_t bgpictureindex = -1;
    bool tabstretcheffect = false;
    bool showfocus = false;
    int32_t focusoffsetx = 0;
    int32_t focusoffsety = 0;
    bool leftstretch = false;
    bool topstretch = false;
    bool rightstretch = false;
    bool bottomstretch = false;
    bool stretcheffect = false;
    StretchMode stretchtype = stFull;
    Rect closebuttonrect;
    Rect closebuttonactiverect;
    Rect closebuttondownrect;
    bool buttontransparent = false;
    Color buttontransparentcolor = 0;
    Rect dividerrect;
    bool dividertransparent = false;
    Color dividertransparentcolor = 0;
    Rect tableftbottomactiverect;
    Rect tableftbottomfocusrect;
    Rect mdicloserect;
    Rect mdicloseactiverect;
    Rect mdiclosedownrect;
    Rect mdirestorerect;
    Rect mdirestoreactiverect;
    Rect mdirestoredownrect;
    Rect mdiminrect;
    Rect mdiminactiverect;
    Rect mdimindownrect;
    bool mdibuttonstransparent = false;
    Color mdibuttonstransparentcolor = 0;
    std::string updown;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Grids. Type "grid".
class TskDataSkinGridControl : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    std::string_view ClassName() const override { return "TskDataSkinGridControl"; }

    Rect fixedcellrect;
    Rect selectcellrect;
    Rect focuscellrect;
    int32_t fixedcellleftoffset = 0;
    int32_t fixedcellrightoffset = 0;
    Rect fixedcelltextrect;
    int32_t cellleftoffset = 0;
    int32_t cellrightoffset = 0;
    Rect celltextrect;
    Color linescolor = 0;
    Color bgcolor = 0;
    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 14;
    Color fontcolor = 0;
    Color selectfontcolor = 0;
    Color focusfontcolor = 0;
    std::string fixedfontname = "Arial";
    FontStyles fixedfontstyle = 0;
    int32_t fixedfontheight = 14;
    Color fixedfontcolor = 0;
    bool fixedcellstretcheffect = false;
    bool cellstretcheffect = false;
    bool showfocus = false;
    int32_t bgpictureindex = -1;

    void VisitFields(SkinFieldVisitor& v) override;
};

// Plain labels. Type "stdlabel".
class TskDataSkinStdLabelControl : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    std::string_view ClassName() const override { return "TskDataSkinStdLabelControl"; }

    std::string fontname = "Arial";
    FontStyles fontstyle = 0;
    int32_t fontheight = 14;
    Color fontcolor = 0;
    Color activefontcolor = 16711680;

    void VisitFields(SkinFieldVisitor& v) override;
};

}  // namespace tolvar
