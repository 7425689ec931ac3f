#include "SkinFormRecords.h"

namespace tolvar {

void TskDataSkinPopupWindow::VisitFields(SkinFieldVisitor& v) {
    v.Field("windowpictureindex", windowpictureindex, -1);
    v.Field("maskpictureindex", maskpictureindex, -1);
    VisitPiece(v, "", lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
    v.Field("itemsrect", itemsrect);
    v.Field("scrollmarkercolor", scrollmarkercolor);
    v.Field("scrollmarkeractivecolor", scrollmarkeractivecolor);
    v.Field("topstretch", topstretch);
    v.Field("leftstretch", leftstretch);
    v.Field("rightstretch", rightstretch);
    v.Field("bottomstretch", bottomstretch);
    v.Field("stretcheffect", stretcheffect);
    v.Field("stretchtype", stretchtype);
}

void TskDataSkinPopupWindow::LoadFromIni(const SkinDescription& d) { LoadFields(*this, d, kSection); }
void TskDataSkinPopupWindow::SaveToIni(SkinDescription& d) { SaveFields(*this, d, kSection); }

void TskDataSkinLayerFrame::VisitFields(SkinFieldVisitor& v) {
    v.Field("pictureindex", pictureindex, -1);
    v.Field("maskpictureindex", maskpictureindex, -1);
    v.Field("inactivepictureindex", inactivepictureindex, -1);
    v.Field("inactivemaskpictureindex", inactivemaskpictureindex, -1);
    VisitPiece(v, "", lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
    v.Field("clientrect", clientrect);
    v.Field("alphablendvalue", alphablendvalue, 255);
    v.Field("inactivealphablendvalue", inactivealphablendvalue, 255);
    v.Field("borderrect", borderrect);
    v.Field("hittestenable", hittestenable);
    v.Field("fullborder", fullborder);
    v.Field("hittestsize", hittestsize);
    v.Field("captionrect", captionrect);
    VisitPiece(v, "hittest", hittestlefttoppoint, hittestrighttoppoint, hittestleftbottompoint,
               hittestrightbottompoint);
    v.Field("buttonsrect", buttonsrect);
    v.Field("sysmenubuttonrect", sysmenubuttonrect);
    v.Field("fullstretch", fullstretch);
    v.Field("rollupformheight", rollupformheight);
    v.Field("buttonstopoffset", buttonstopoffset);
    v.Field("sysbuttontopoffset", sysbuttontopoffset);
    v.Field("blurmaskpictureindex", blurmaskpictureindex, -1);
    v.Field("intersectblurmaskrect", intersectblurmaskrect);
    v.Field("excludeblurmaskrect", excludeblurmaskrect);
    v.Field("leftoffset", leftoffset);
    v.Field("topoffset", topoffset);
    v.Field("widthoffset", widthoffset);
    v.Field("heightoffset", heightoffset);
}

void TskDataSkinLayerFrame::LoadFromIni(const SkinDescription& d) { LoadFields(*this, d, kSection); }
void TskDataSkinLayerFrame::SaveToIni(SkinDescription& d) { SaveFields(*this, d, kSection); }

void TskDataSkinHintWindow::VisitFields(SkinFieldVisitor& v) {
    v.Field("windowpictureindex", windowpictureindex, -1);
    v.Field("maskpictureindex", maskpictureindex, -1);
    VisitPiece(v, "", lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
    v.Field("clientrect", clientrect);
    VisitFont(v, "", fontname, fontstyle, fontheight, fontcolor);
    v.Field("topstretch", topstretch);
    v.Field("leftstretch", leftstretch);
    v.Field("rightstretch", rightstretch);
    v.Field("bottomstretch", bottomstretch);
    v.Field("stretcheffect", stretcheffect);
    v.Field("stretchtype", stretchtype);
}

void TskDataSkinHintWindow::LoadFromIni(const SkinDescription& d) { LoadFields(*this, d, kSection); }
void TskDataSkinHintWindow::SaveToIni(SkinDescription& d) { SaveFields(*this, d, kSection); }

}  // namespace tolvar
