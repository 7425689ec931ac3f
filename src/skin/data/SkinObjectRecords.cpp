#include "SkinObjectRecords.h"

namespace tolvar {

void TskDataSkinObject::VisitFields(SkinFieldVisitor& v) {
    v.Field("hint", hint);
    v.Field("skinrectinapicture", skinrectinapicture);
    v.Field("skinrect", skinrect);
    v.Field("activeskinrect", activeskinrect);
    v.Field("activepictureindex", activepictureindex, -1);
    v.Field("activemaskpictureindex", activemaskpictureindex, -1);
    v.Field("inactiveskinrect", inactiveskinrect);
    v.Field("morphing", morphing);
    v.Field("morphkind", morphkind);
    v.Field("glowlayerpictureindex", glowlayerpictureindex, -1);
    v.Field("glowlayermaskpictureindex", glowlayermaskpictureindex, -1);
    v.Field("glowlayeroffsetx", glowlayeroffsetx);
    v.Field("glowlayeroffsety", glowlayeroffsety);
    v.Field("glowlayeralphablendvalue", glowlayeralphablendvalue, 255);
}

void TskDataSkinObject::LoadFromIni(const SkinDescription& d) { LoadFields(*this, d, IDName); }
void TskDataSkinObject::SaveToIni(SkinDescription& d) { SaveFields(*this, d, IDName); }

void TskDataSkinAnimate::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinObject::VisitFields(v);
    v.Field("countframes", countframes, 1);
    v.Field("cycle", cycle);
    v.Field("buttonstyle", buttonstyle);
    v.Field("timerinterval", timerinterval, 50);
    v.Field("command", command);
    v.Field("downskinrect", downskinrect);
    v.Field("restorehint", restorehint);
    v.Field("restorerect", restorerect);
    v.Field("restoreactiverect", restoreactiverect);
    v.Field("restoredownrect", restoredownrect);
    v.Field("restoreinactiverect", restoreinactiverect);
}

void TskDataSkinCaption::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinObject::VisitFields(v);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("activefontcolor", activefontcolor);
    v.Field("shadowcolor", shadowcolor);
    v.Field("activeshadowcolor", activeshadowcolor);
    v.Field("shadow", shadow);
    v.Field("alignment", alignment);
    v.Field("textrect", textrect);
    v.Field("framerect", framerect);
    v.Field("activeframerect", activeframerect);
    v.Field("frameleftoffset", frameleftoffset);
    v.Field("framerightoffset", framerightoffset);
    v.Field("frametextrect", frametextrect);
    v.Field("light", light);
    v.Field("lightcolor", lightcolor);
    v.Field("activelightcolor", activelightcolor);
    v.Field("stretcheffect", stretcheffect);
    v.Field("animateskinrect", animateskinrect);
    v.Field("framecount", framecount);
    v.Field("animateinterval", animateinterval, 25);
    v.Field("inactiveanimation", inactiveanimation);
    v.Field("fullframe", fullframe);
    v.Field("gloweffect", gloweffect);
    v.Field("vistagloweffect", vistagloweffect);
    v.Field("vistaglowinactiveeffect", vistaglowinactiveeffect);
    v.Field("glowinactiveeffect", glowinactiveeffect);
    v.Field("glowsize", glowsize, 3);
    v.Field("glowcolor", glowcolor);
    v.Field("glowactivecolor", glowactivecolor);
    v.Field("glowoffset", glowoffset);
    v.Field("reflectioneffect", reflectioneffect);
    v.Field("reflactioncolor", reflactioncolor);
    v.Field("reflactionactivecolor", reflactionactivecolor);
    v.Field("reflectionoffset", reflectionoffset);
    v.Field("dividerrect", dividerrect);
    v.Field("inactivedividerrect", inactivedividerrect);
    v.Field("dividertransparent", dividertransparent);
    v.Field("dividertransparentcolor", dividertransparentcolor);
    v.Field("quickbuttonalphamaskpictureindex", quickbuttonalphamaskpictureindex, -1);
}

void TskDataSkinMenuItem::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinObject::VisitFields(v);
    v.Field("dividerrect", dividerrect);
    v.Field("dividerleftoffset", dividerleftoffset);
    v.Field("dividerrightoffset", dividerrightoffset);
    v.Field("itemleftoffset", itemleftoffset);
    v.Field("itemrightoffset", itemrightoffset);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("unenabledfontcolor", unenabledfontcolor);
    v.Field("activefontcolor", activefontcolor);
    v.Field("textrect", textrect);
    v.Field("imagerect", imagerect);
    v.Field("useimagecolor", useimagecolor);
    v.Field("imagecolor", imagecolor);
    v.Field("activeimagecolor", activeimagecolor);
    v.Field("stretcheffect", stretcheffect);
    v.Field("dividerstretcheffect", dividerstretcheffect);
    v.Field("inactivestretcheffect", inactivestretcheffect);
    v.Field("animateskinrect", animateskinrect);
    v.Field("framecount", framecount);
    v.Field("animateinterval", animateinterval, 25);
    v.Field("inactiveanimation", inactiveanimation);
    v.Field("inactivetransparent", inactivetransparent);
    v.Field("checkimagerect", checkimagerect);
    v.Field("activecheckimagerect", activecheckimagerect);
    v.Field("radioimagerect", radioimagerect);
    v.Field("activeradioimagerect", activeradioimagerect);
    v.Field("arrowimagerect", arrowimagerect);
    v.Field("activearrowimagerect", activearrowimagerect);
}

void TskDataSkinMainMenuItem::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinObject::VisitFields(v);
    v.Field("downrect", downrect);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("activefontcolor", activefontcolor);
    v.Field("downfontcolor", downfontcolor);
    v.Field("unenabledfontColor", unenabledfontColor);
    v.Field("textrect", textrect);
    v.Field("itemleftoffset", itemleftoffset);
    v.Field("itemrightoffset", itemrightoffset);
    v.Field("stretcheffect", stretcheffect);
    v.Field("animateskinrect", animateskinrect);
    v.Field("framecount", framecount);
    v.Field("animateinterval", animateinterval, 25);
    v.Field("inactiveanimation", inactiveanimation);
}

void TskDataSkinButton::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinObject::VisitFields(v);
    v.Field("downrect", downrect);
    v.Field("disableskinrsect", disableskinrsect);
    v.Field("alphamaskpictureindex", alphamaskpictureindex, -1);
    v.Field("alphamaskactivepictureindex", alphamaskactivepictureindex, -1);
    v.Field("alphamaskinactivepictureindex", alphamaskinactivepictureindex, -1);
}

void TskDataSkinStdButton::VisitFields(SkinFieldVisitor& v) {
    TskDataSkinButton::VisitFields(v);
    v.Field("command", command);
    v.Field("restorehint", restorehint);
    v.Field("restorerect", restorerect);
    v.Field("restoreactiverect", restoreactiverect);
    v.Field("restoredownrect", restoredownrect);
    v.Field("restoreinactiverect", restoreinactiverect);
}

}  // namespace tolvar
