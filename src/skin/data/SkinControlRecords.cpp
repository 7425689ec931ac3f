#include "SkinControlRecords.h"

namespace tolvar {

void TskDataSkinControl::VisitFields(SkinFieldVisitor& v) {
    v.Field("pictureindex", pictureindex, -1);
    v.Field("maskpictureindex", maskpictureindex, -1);
    v.Field("skinrect", skinrect);
}

void TskDataSkinControl::LoadFromIni(const SkinDescription& d) { LoadFields(*this, d, IDName); }
void TskDataSkinControl::SaveToIni(SkinDescription& d) { SaveFields(*this, d, IDName); }

void TskDataSkinCustomControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinControl::VisitFields(v);
    VisitPiece(v, "", lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
    v.Field("clientrect", clientrect);
    v.Field("stretcheffect", stretcheffect);
    v.Field("stretchtype", stretchtype);
    v.Field("leftstretch", leftstretch);
    v.Field("topstretch", topstretch);
    v.Field("rightstretch", rightstretch);
    v.Field("bottomstretch", bottomstretch);
}

void TskDataSkinGaugeControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinCustomControl::VisitFields(v);
    v.Field("progressarea", progressarea);
    v.Field("progressrect", progressrect);
    v.Field("vertical", vertical);
    v.Field("beginoffset", beginoffset);
    v.Field("endoffset", endoffset);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("progresstransparent", progresstransparent);
    v.Field("progresstransparentcolor", progresstransparentcolor);
    v.Field("progressstretch", progressstretch);
    v.Field("animationskinrect", animationskinrect);
    v.Field("animationcountframes", animationcountframes);
    v.Field("animationtimerinterval", animationtimerinterval);
    v.Field("progressanimationskinrect", progressanimationskinrect);
    v.Field("progressanimationcountframes", progressanimationcountframes);
    v.Field("progressanimationtimerinterval", progressanimationtimerinterval);
    v.Field("animationbeginoffset", animationbeginoffset);
    v.Field("animationendoffset", animationendoffset);
}

void TskDataSkinButtonControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinCustomControl::VisitFields(v);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("activefontcolor", activefontcolor);
    v.Field("downfontcolor", downfontcolor);
    v.Field("disabledfontcolor", disabledfontcolor);
    v.Field("activeskinrect", activeskinrect);
    v.Field("downskinrect", downskinrect);
    v.Field("disabledskinrect", disabledskinrect);
    v.Field("focusedskinrect", focusedskinrect);
    v.Field("morphing", morphing);
    v.Field("morphkind", morphkind);
    v.Field("animateskinrect", animateskinrect);
    v.Field("framecount", framecount);
    v.Field("animateinterval", animateinterval, 25);
    v.Field("showfocus", showfocus);
    v.Field("menumarkerflatrect", menumarkerflatrect);
    v.Field("menumarkerrect", menumarkerrect);
    v.Field("menumarkeractiverect", menumarkeractiverect);
    v.Field("menumarkerdownrect", menumarkerdownrect);
    v.Field("menumarkertransparentcolor", menumarkertransparentcolor);
    v.Field("glowlayerpictureindex", glowlayerpictureindex, -1);
    v.Field("glowlayermaskpictureindex", glowlayermaskpictureindex, -1);
    v.Field("glowlayeroffsetleft", glowlayeroffsetleft);
    v.Field("glowlayeroffsetright", glowlayeroffsetright);
    v.Field("glowlayeroffsettop", glowlayeroffsettop);
    v.Field("glowlayeroffsetbottom", glowlayeroffsetbottom);
    v.Field("glowlayershowoffsetx", glowlayershowoffsetx);
    v.Field("glowlayershowoffsety", glowlayershowoffsety);
    v.Field("glowlayeralphablendvalue", glowlayeralphablendvalue, 255);
}

void TskDataSkinMenuButtonControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinButtonControl::VisitFields(v);
    v.Field("trackbuttonrect", trackbuttonrect);
}

void TskDataSkinListBox::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinCustomControl::VisitFields(v);
    v.Field("itemrect", itemrect);
    v.Field("activeitemrect", activeitemrect);
    v.Field("focusitemrect", focusitemrect);
    v.Field("itemleftoffset", itemleftoffset);
    v.Field("itemrightoffset", itemrightoffset);
    v.Field("itemtextrect", itemtextrect);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("activefontcolor", activefontcolor);
    v.Field("focusfontcolor", focusfontcolor);
    v.Field("captionrect", captionrect);
    VisitFont(v, "caption", captionfontname, captionfontstyle, captionfontheight, captionfontcolor);
    v.Field("upbuttonrect", upbuttonrect);
    v.Field("activeupbuttonrect", activeupbuttonrect);
    v.Field("downupbuttonrect", downupbuttonrect);
    v.Field("downbuttonrect", downbuttonrect);
    v.Field("activedownbuttonrect", activedownbuttonrect);
    v.Field("downdownbuttonrect", downdownbuttonrect);
    v.Field("checkbuttonrect", checkbuttonrect);
    v.Field("activecheckbuttonrect", activecheckbuttonrect);
    v.Field("downcheckbuttonrect", downcheckbuttonrect);
    v.Field("vscrollbarname", vscrollbarname, "vscrollbar");
    v.Field("hscrollbarname", hscrollbarname, "hscrollbar");
    v.Field("bothhscrollbarname", bothhscrollbarname, "bothhscrollbar");
    v.Field("showfocus", showfocus);
    v.Field("disabledbuttonsrect", disabledbuttonsrect);
    v.Field("buttonsarea", buttonsarea);
}

void TskDataSkinCheckListBox::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinListBox::VisitFields(v);
    v.Field("uncheckimagerect", uncheckimagerect);
    v.Field("checkimagerect", checkimagerect);
    v.Field("itemcheckrect", itemcheckrect);
}

void TskDataSkinEditControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinCustomControl::VisitFields(v);
    v.Field("activeskinrect", activeskinrect);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("disabledfontcolor", disabledfontcolor);
    v.Field("activefontcolor", activefontcolor);
    v.Field("buttonrect", buttonrect);
    v.Field("activebuttonrect", activebuttonrect);
    v.Field("downbuttonrect", downbuttonrect);
    v.Field("unenabledbuttonrect", unenabledbuttonrect);
}

void TskDataSkinMemoControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinEditControl::VisitFields(v);
    v.Field("bgcolor", bgcolor);
    v.Field("activebgcolor", activebgcolor);
}

void TskDataSkinAppMenu::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinCustomControl::VisitFields(v);
    v.Field("bgpictureindex", bgpictureindex, -1);
    v.Field("bgstretcheffect", bgstretcheffect);
    v.Field("itemrect", itemrect);
    v.Field("pageitemrect", pageitemrect);
    v.Field("pageitemactiverect", pageitemactiverect);
    v.Field("itemoffset1", itemoffset1, 3);
    v.Field("itemoffset2", itemoffset2, 3);
    v.Field("pageitemoffset1", pageitemoffset1, 10);
    v.Field("pageitemoffset2", pageitemoffset2, 10);
    v.Field("pageoffset", pageoffset);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("fontpageheight", fontpageheight, 16);
    v.Field("disabledfontcolor", disabledfontcolor);
    v.Field("fontpagecolor", fontpagecolor);
    v.Field("activefontcolor", activefontcolor);
    v.Field("activefontpagecolor", activefontpagecolor);
    v.Field("gripperrect", gripperrect);
    v.Field("grippertransparentcolor", grippertransparentcolor);
    v.Field("toplinerect", toplinerect);
    v.Field("toplineoffset1", toplineoffset1);
    v.Field("toplineoffset2", toplineoffset2);
}

void TskDataSkinControlBar::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinCustomControl::VisitFields(v);
    v.Field("itemrect", itemrect);
    v.Field("bgpictureindex", bgpictureindex, -1);
    v.Field("hgriprect", hgriprect);
    v.Field("vgriprect", vgriprect);
    v.Field("gripoffset1", gripoffset1);
    v.Field("gripoffset2", gripoffset2);
    v.Field("itemstretcheffect", itemstretcheffect);
    v.Field("itemoffset1", itemoffset1, 3);
    v.Field("itemoffset2", itemoffset2, 3);
    v.Field("itemtransparent", itemtransparent);
    v.Field("itemtransparentcolor", itemtransparentcolor);
    v.Field("griptransparent", griptransparent);
    v.Field("griptransparentcolor", griptransparentcolor);
}

void TskDataSkinUpDownControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinCustomControl::VisitFields(v);
    v.Field("upbuttonrect", upbuttonrect);
    v.Field("activeupbuttonrect", activeupbuttonrect);
    v.Field("downupbuttonrect", downupbuttonrect);
    v.Field("downbuttonrect", downbuttonrect);
    v.Field("activedownbuttonrect", activedownbuttonrect);
    v.Field("downdownbuttonrect", downdownbuttonrect);
}

void TskDataSkinComboBox::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinCustomControl::VisitFields(v);
    v.Field("itemrect", itemrect);
    v.Field("activeitemrect", activeitemrect);
    v.Field("focusitemrect", focusitemrect);
    v.Field("itemleftoffset", itemleftoffset);
    v.Field("itemrightoffset", itemrightoffset);
    v.Field("itemtextrect", itemtextrect);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("focusfontcolor", focusfontcolor);
    v.Field("activefontcolor", activefontcolor);
    v.Field("buttonrect", buttonrect);
    v.Field("activebuttonrect", activebuttonrect);
    v.Field("downbuttonrect", downbuttonrect);
    v.Field("unenabledbuttonrect", unenabledbuttonrect);
    v.Field("itemstretcheffect", itemstretcheffect);
    v.Field("focusitemstretcheffect", focusitemstretcheffect);
    v.Field("activeskinrect", activeskinrect);
    v.Field("showfocus", showfocus);
    v.Field("listboxname", listboxname);
}

void TskDataSkinScrollBarControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinCustomControl::VisitFields(v);
    v.Field("trackarea", trackarea);
    v.Field("upbuttonrect", upbuttonrect);
    v.Field("activeupbuttonrect", activeupbuttonrect);
    v.Field("downupbuttonrect", downupbuttonrect);
    v.Field("downbuttonrect", downbuttonrect);
    v.Field("activedownbuttonrect", activedownbuttonrect);
    v.Field("downdownbuttonrect", downdownbuttonrect);
    v.Field("thumbrect", thumbrect);
    v.Field("activethumbrect", activethumbrect);
    v.Field("downthumbrect", downthumbrect);
    v.Field("thumboffset1", thumboffset1);
    v.Field("thumboffset2", thumboffset2);
    v.Field("glyphrect", glyphrect);
    v.Field("activeglyphrect", activeglyphrect);
    v.Field("downglyphrect", downglyphrect);
    v.Field("glyphtransparent", glyphtransparent);
    v.Field("glyphtransparentcolor", glyphtransparentcolor);
    v.Field("thumbtransparent", thumbtransparent);
    v.Field("thumbtransparentcolor", thumbtransparentcolor);
    v.Field("thumbstretcheffect", thumbstretcheffect);
    v.Field("thumbminsize", thumbminsize);
    v.Field("thumbminpagesize", thumbminpagesize);
}

void TskDataSkinSpinEditControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinCustomControl::VisitFields(v);
    v.Field("activeskinrect", activeskinrect);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("activefontcolor", activefontcolor);
    v.Field("disabledfontcolor", disabledfontcolor);
    v.Field("upbuttonrect", upbuttonrect);
    v.Field("activeupbuttonrect", activeupbuttonrect);
    v.Field("downupbuttonrect", downupbuttonrect);
    v.Field("downbuttonrect", downbuttonrect);
    v.Field("activedownbuttonrect", activedownbuttonrect);
    v.Field("downdownbuttonrect", downdownbuttonrect);
}

void TskDataSkinLabelControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinCustomControl::VisitFields(v);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
}

void TskDataSkinSplitterControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinCustomControl::VisitFields(v);
    v.Field("gripperrect", gripperrect);
    v.Field("grippertransparent", grippertransparent);
    v.Field("grippertransparentcolor", grippertransparentcolor);
}

void TskDataSkinTrackBarControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinCustomControl::VisitFields(v);
    v.Field("activeskinrect", activeskinrect);
    v.Field("trackarea", trackarea);
    v.Field("buttonrect", buttonrect);
    v.Field("activebuttonrect", activebuttonrect);
    v.Field("vertical", vertical);
    v.Field("buttontransparent", buttontransparent);
    v.Field("buttontransparentcolor", buttontransparentcolor);
}

void TskDataSkinCheckRadioControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinCustomControl::VisitFields(v);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("activefontcolor", activefontcolor);
    v.Field("unenabledfontcolor", unenabledfontcolor);
    v.Field("activeskinrect", activeskinrect);
    v.Field("checkimagearea", checkimagearea);
    v.Field("textarea", textarea);
    v.Field("checkimagerect", checkimagerect);
    v.Field("uncheckimagerect", uncheckimagerect);
    v.Field("activecheckimagerect", activecheckimagerect);
    v.Field("activeuncheckimagerect", activeuncheckimagerect);
    v.Field("unenabledcheckimagerect", unenabledcheckimagerect);
    v.Field("unenableduncheckimagerect", unenableduncheckimagerect);
    v.Field("grayedcheckimagerect", grayedcheckimagerect);
    v.Field("activegrayedcheckimagerect", activegrayedcheckimagerect);
    v.Field("morphing", morphing);
    v.Field("morphkind", morphkind);
    v.Field("framefontcolor", framefontcolor);
}

void TskDataSkinScrollBoxControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinCustomControl::VisitFields(v);
    v.Field("bgpictureindex", bgpictureindex, -1);
}

void TskDataSkinPanelControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinCustomControl::VisitFields(v);
    v.Field("captionrect", captionrect);
    v.Field("alignment", alignment);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("bgpictureindex", bgpictureindex, -1);
    v.Field("checkimagerect", checkimagerect);
    v.Field("uncheckimagerect", uncheckimagerect);
    v.Field("markframerect", markframerect);
    v.Field("framerect", framerect);
    v.Field("frameleftoffset", frameleftoffset);
    v.Field("framerightoffset", framerightoffset);
    v.Field("frametextrect", frametextrect);
    v.Field("gripperrect", gripperrect);
    v.Field("grippertransparent", grippertransparent);
    v.Field("grippertransparentcolor", grippertransparentcolor);
    v.Field("buttonrect", buttonrect);
    v.Field("buttonactiverect", buttonactiverect);
    v.Field("buttondownrect", buttondownrect);
    v.Field("buttontransparent", buttontransparent);
    v.Field("buttontransparentcolor", buttontransparentcolor);
}

void TskDataSkinExPanelControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinCustomControl::VisitFields(v);
    v.Field("rollhskinrect", rollhskinrect);
    v.Field("rollvskinrect", rollvskinrect);
    v.Field("rollleftoffset", rollleftoffset);
    v.Field("rollrightoffset", rollrightoffset);
    v.Field("rolltopoffset", rolltopoffset);
    v.Field("rollbottomoffset", rollbottomoffset);
    v.Field("rollvcaptionrect", rollvcaptionrect);
    v.Field("rollhcaptionrect", rollhcaptionrect);
    v.Field("closebuttonrect", closebuttonrect);
    v.Field("closebuttonactiverect", closebuttonactiverect);
    v.Field("closebuttondownrect", closebuttondownrect);
    v.Field("hrollbuttonrect", hrollbuttonrect);
    v.Field("hrollbuttonactiverect", hrollbuttonactiverect);
    v.Field("hrollbuttondownrect", hrollbuttondownrect);
    v.Field("hrestorebuttonrect", hrestorebuttonrect);
    v.Field("hrestorebuttonactiverect", hrestorebuttonactiverect);
    v.Field("hrestorebuttondownrect", hrestorebuttondownrect);
    v.Field("vrollbuttonrect", vrollbuttonrect);
    v.Field("vrollbuttonactiverect", vrollbuttonactiverect);
    v.Field("vrollbuttondownrect", vrollbuttondownrect);
    v.Field("vrestorebuttonrect", vrestorebuttonrect);
    v.Field("vrestorebuttonactiverect", vrestorebuttonactiverect);
    v.Field("vrestorebuttondownrect", vrestorebuttondownrect);
    v.Field("captionrect", captionrect);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("buttonstransparent", buttonstransparent);
    v.Field("buttonstransparentcolor", buttonstransparentcolor);
}

void TskDataSkinBevel::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinControl::VisitFields(v);
    v.Field("lightcolor", lightcolor);
    v.Field("darkcolor", darkcolor);
}

void TskDataSkinTreeView::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinControl::VisitFields(v);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("bgcolor", bgcolor);
    v.Field("expandimagerect", expandimagerect);
    v.Field("noexpandimagerect", noexpandimagerect);
}

void TskDataSkinSlider::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinControl::VisitFields(v);
    v.Field("hrulerrect", hrulerrect);
    v.Field("hthumbrect", hthumbrect);
    v.Field("vrulerrect", vrulerrect);
    v.Field("vthumbrect", vthumbrect);
    v.Field("edgesize", edgesize);
    v.Field("bgcolor", bgcolor);
    v.Field("pointscolor", pointscolor);
}

void TskDataSkinListView::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinControl::VisitFields(v);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("bgcolor", bgcolor);
}

void TskDataSkinRichEdit::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinControl::VisitFields(v);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("bgcolor", bgcolor);
}

void TskDataSkinMainMenuBar::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinControl::VisitFields(v);
    v.Field("itemsrect", itemsrect);
    v.Field("menubaritem", menubaritem);
    v.Field("closebutton", closebutton);
    v.Field("minbutton", minbutton);
    v.Field("maxbutton", maxbutton);
    v.Field("sysmenubutton", sysmenubutton);
    v.Field("trackmarkcolor", trackmarkcolor);
    v.Field("trackmarkactivecolor", trackmarkactivecolor);
    v.Field("stretcheffect", stretcheffect);
    v.Field("itemtransparent", itemtransparent);
}

void TskDataSkinTabControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinControl::VisitFields(v);
    v.Field("tabrect", tabrect);
    v.Field("activetabrect", activetabrect);
    v.Field("focustabrect", focustabrect);
    v.Field("mouseintabrect", mouseintabrect);
    v.Field("clientrect", clientrect);
    v.Field("tabsbgrect", tabsbgrect);
    VisitPiece(v, "", lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
    v.Field("tableftoffset", tableftoffset);
    v.Field("tabrightoffset", tabrightoffset);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("activefontcolor", activefontcolor);
    v.Field("focusfontcolor", focusfontcolor);
    v.Field("mouseinfontcolor", mouseinfontcolor);
    v.Field("bgpictureindex", bgpictureindex, -1);
    v.Field("tabstretcheffect", tabstretcheffect);
    v.Field("showfocus", showfocus);
    v.Field("focusoffsetx", focusoffsetx);
    v.Field("focusoffsety", focusoffsety);
    v.Field("leftstretch", leftstretch);
    v.Field("topstretch", topstretch);
    v.Field("rightstretch", rightstretch);
    v.Field("bottomstretch", bottomstretch);
    v.Field("stretcheffect", stretcheffect);
    v.Field("stretchtype", stretchtype);
    v.Field("closebuttonrect", closebuttonrect);
    v.Field("closebuttonactiverect", closebuttonactiverect);
    v.Field("closebuttondownrect", closebuttondownrect);
    v.Field("buttontransparent", buttontransparent);
    v.Field("buttontransparentcolor", buttontransparentcolor);
    v.Field("dividerrect", dividerrect);
    v.Field("dividertransparent", dividertransparent);
    v.Field("dividertransparentcolor", dividertransparentcolor);
    v.Field("tableftbottomactiverect", tableftbottomactiverect);
    v.Field("tableftbottomfocusrect", tableftbottomfocusrect);
    v.Field("mdicloserect", mdicloserect);
    v.Field("mdicloseactiverect", mdicloseactiverect);
    v.Field("mdiclosedownrect", mdiclosedownrect);
    v.Field("mdirestorerect", mdirestorerect);
    v.Field("mdirestoreactiverect", mdirestoreactiverect);
    v.Field("mdirestoredownrect", mdirestoredownrect);
    v.Field("mdiminrect", mdiminrect);
    v.Field("mdiminactiverect", mdiminactiverect);
    v.Field("mdimindownrect", mdimindownrect);
    v.Field("mdibuttonstransparent", mdibuttonstransparent);
    v.Field("mdibuttonstransparentcolor", mdibuttonstransparentcolor);
    v.Field("updown", updown);
}

void TskDataSkinGridControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinControl::VisitFields(v);
    v.Field("fixedcellrect", fixedcellrect);
    v.Field("selectcellrect", selectcellrect);
    v.Field("focuscellrect", focuscellrect);
    v.Field("fixedcellleftoffset", fixedcellleftoffset);
    v.Field("fixedcellrightoffset", fixedcellrightoffset);
    v.Field("fixedcelltextrect", fixedcelltextrect);
    v.Field("cellleftoffset", cellleftoffset);
    v.Field("cellrightoffset", cellrightoffset);
    v.Field("celltextrect", celltextrect);
    v.Field("linescolor", linescolor);
    v.Field("bgcolor", bgcolor);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("selectfontcolor", selectfontcolor);
    v.Field("focusfontcolor", focusfontcolor);
    VisitFont(v, "fixed", fixedfontname, fixedfontstyle, fixedfontheight, fixedfontcolor);
    v.Field("fixedcellstretcheffect", fixedcellstretcheffect);
    v.Field("cellstretcheffect", cellstretcheffect);
    v.Field("showfocus", showfocus);
    v.Field("bgpictureindex", bgpictureindex, -1);
}

void TskDataSkinStdLabelControl::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinControl::VisitFields(v);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("activefontcolor", activefontcolor, 16711680);
}

}  // namespace tolvar
