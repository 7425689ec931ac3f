#include <gtest/gtest.h>

#include <string>

#include "skin/data/SkinDescription.h"
#include "skin/data/SkinFieldVisitor.h"
#include "skin/data/SkinFormRecords.h"
#include "skin/data/SkinRecordTypes.h"

using namespace tolvar;

namespace {

// Gives every field of a record its own value, none of them a default.
class Filler : public SkinFieldVisitor {
public:
    void Field(std::string_view, int32_t& f, int32_t) override { f = Next(); }
    void Field(std::string_view, Color& f, Color) override { f = Color(0x00100000 + Next()); }
    void Field(std::string_view, bool& f) override { f = true; }
    void Field(std::string_view, Rect& f) override { f = Rect{Next(), Next(), Next(), Next()}; }
    void Field(std::string_view, Point& f) override { f = Point{Next(), Next()}; }
    void Field(std::string_view, std::string& f, std::string_view) override { f = "text" + std::to_string(Next()); }
    void Field(std::string_view, FontStyles& f) override { f = FontStyles(1 + Next() % 15); }
    void Field(std::string_view, StretchMode& f) override { f = StretchMode(Next() % 3); }
    void Field(std::string_view, MorphMode& f) override { f = MorphMode(Next() % 7); }
    void Field(std::string_view, TextAlign& f) override { f = TextAlign(Next() % 3); }
    void Field(std::string_view, ButtonCommand& f) override { f = ButtonCommand(Next() % 7); }
    void Field(std::string_view, InactiveEffect& f) override { f = InactiveEffect(Next() % 6); }

private:
    int32_t Next() { return ++n_; }
    int32_t n_ = 0;
};

template <class R>
void Fill(R& record) {
    Filler f;
    record.VisitFields(f);
}

template <class R>
TextLines Saved(R& record) {
    SkinDescription d;
    record.SaveToIni(d);
    return d.ToLines();
}

const char* const kObjectTypes[] = {"caption",  "stdbutton",       "button",
                                    "menuitem", "mainmenubaritem", "mainmenubarbutton"};
const char* const kControlTypes[] = {
    "panel",    "expanel",   "menubutton", "button",       "checkradio", "gauge",       "splitter",
    "trackbar", "label",     "stdlabel",   "grid",         "tab",        "mainmenubar", "controlbar",
    "appmenu",  "memo",      "edit",       "checklistbox", "listbox",    "combobox",    "scrollbar",
    "spinedit", "scrollbox", "treeview",   "bevel",        "slider",     "listview",    "richedit"};

}  // namespace

// Every field of every record class goes out in its written form and comes back.
TEST(SkinRecords, EveryFieldSavesAndLoadsBack) {
    for (const char* type : kObjectTypes) {
        SCOPED_TRACE(type);
        auto record = CreateObjectRecord(type, "rec");
        ASSERT_TRUE(record);
        Fill(*record);
        SkinDescription d;
        record->SaveToIni(d);
        auto again = CreateObjectRecord(type, "rec");
        again->LoadFromIni(d);
        EXPECT_EQ(Saved(*again), d.ToLines());
    }
    for (const char* type : kControlTypes) {
        SCOPED_TRACE(type);
        auto record = CreateControlRecord(type, "rec");
        ASSERT_TRUE(record);
        Fill(*record);
        SkinDescription d;
        record->SaveToIni(d);
        auto again = CreateControlRecord(type, "rec");
        again->LoadFromIni(d);
        EXPECT_EQ(Saved(*again), d.ToLines());
    }
    TskDataSkinLayerFrame layer;
    Fill(layer);
    SkinDescription d;
    layer.SaveToIni(d);
    TskDataSkinLayerFrame back;
    back.LoadFromIni(d);
    EXPECT_EQ(Saved(back), d.ToLines());
    EXPECT_EQ(d.ToLines().front(), "[LAYERFRAME]");
}

TEST(SkinRecords, ClassesDefaultsAndKeywords) {
    EXPECT_EQ(CreateObjectRecord("Caption", "x"), nullptr);   // keywords are exact
    EXPECT_EQ(CreateControlRecord("caption", "x"), nullptr);  // and belong to their list
    auto barButton = CreateObjectRecord("mainmenubarbutton", "x");
    EXPECT_NE(dynamic_cast<TskDataSkinStdButton*>(barButton.get()), nullptr);
    EXPECT_NE(dynamic_cast<TskDataSkinButton*>(barButton.get()), nullptr);
    EXPECT_EQ(dynamic_cast<TskDataSkinStdButton*>(CreateObjectRecord("button", "x").get()), nullptr);
    EXPECT_NE(dynamic_cast<TskDataSkinCustomControl*>(CreateControlRecord("gauge", "x").get()), nullptr);
    EXPECT_EQ(dynamic_cast<TskDataSkinCustomControl*>(CreateControlRecord("tab", "x").get()), nullptr);
    EXPECT_NE(dynamic_cast<TskDataSkinListBox*>(CreateControlRecord("checklistbox", "x").get()), nullptr);

    // What absent keys give.
    const SkinDescription empty;
    auto gauge = CreateControlRecord("gauge", "gauge");
    gauge->LoadFromIni(empty);
    const auto& g = dynamic_cast<TskDataSkinGaugeControl&>(*gauge);
    EXPECT_EQ(g.pictureindex, -1);
    EXPECT_EQ(g.fontname, "Arial");
    EXPECT_EQ(g.fontheight, 14);
    EXPECT_EQ(g.stretchtype, stFull);
    auto caption = CreateObjectRecord("caption", "caption");
    caption->LoadFromIni(empty);
    const auto& c = dynamic_cast<TskDataSkinCaption&>(*caption);
    EXPECT_EQ(c.alignment, taCenter);
    EXPECT_EQ(c.animateinterval, 25);
    EXPECT_EQ(c.glowsize, 3);
    EXPECT_EQ(c.glowlayeralphablendvalue, 255);
    EXPECT_EQ(c.quickbuttonalphamaskpictureindex, -1);
    auto listbox = CreateControlRecord("listbox", "l");
    listbox->LoadFromIni(empty);
    EXPECT_EQ(dynamic_cast<TskDataSkinListBox&>(*listbox).vscrollbarname, "vscrollbar");
    auto label = CreateControlRecord("stdlabel", "l");
    label->LoadFromIni(empty);
    EXPECT_EQ(dynamic_cast<TskDataSkinStdLabelControl&>(*label).activefontcolor, 16711680u);
    TskDataSkinHintWindow hint;  // created at height 12, read as 14 when absent
    EXPECT_EQ(hint.fontheight, 12);
    hint.LoadFromIni(empty);
    EXPECT_EQ(hint.fontheight, 14);
}

TEST(SkinRecords, LoadingRules) {
    const SkinDescription d = SkinDescription::FromText(
        "[max]\nhint=Maximize\ncommand=cmmaximize\n"
        "[maxlower]\nhint=maximize\ncommand=cmmaximize\n"
        "[roll]\nhint=Roll Up\ncommand=cmrollup\n"
        "[own]\nhint=Maximize\ncommand=cmmaximize\nrestorehint=Back\n"
        "[anim]\nmorphing=1\nhint=Minimize\ncommand=cmminimize\n"
        "[user]\nskinrect=1,2,3,4\nactivepictureindex=3\nhint=h\n"
        "[updown]\nlefttoppoint=4,4\nrightbottompoint=9,9\nclientrect=1,1,5,5\nupbuttonrect=1,2,3,4\n"
        "[menu]\ncheckimagerect=1,1,9,9\nradioimagerect=2,2,8,8\nactiveradioimagerect=3,3,7,7\n"
        "arrowimagerect=4,4,6,6\nactivearrowimagerect=0,0,5,0\n");
    auto restoreHint = [&](const char* type, const char* name) {
        auto r = CreateObjectRecord(type, name);
        r->LoadFromIni(d);
        if (auto* s = dynamic_cast<TskDataSkinStdButton*>(r.get())) return s->restorehint;
        return dynamic_cast<TskDataSkinAnimate&>(*r).restorehint;
    };
    EXPECT_EQ(restoreHint("stdbutton", "max"), "Restore");
    EXPECT_EQ(restoreHint("stdbutton", "maxlower"), "");  // the comparison is exact
    EXPECT_EQ(restoreHint("stdbutton", "roll"), "Restore");
    EXPECT_EQ(restoreHint("stdbutton", "own"), "Back");
    EXPECT_EQ(restoreHint("animate", "anim"), "Restore");

    auto anim = CreateObjectRecord("animate", "anim");
    anim->LoadFromIni(d);
    EXPECT_FALSE(anim->morphing);
    auto user = CreateObjectRecord("userobject", "user");
    user->LoadFromIni(d);
    EXPECT_EQ(user->skinrect, (Rect{1, 2, 3, 4}));
    EXPECT_EQ(user->activepictureindex, -1);
    EXPECT_EQ(user->hint, "");
    auto updown = CreateControlRecord("updown", "updown");
    updown->LoadFromIni(d);
    const auto& u = dynamic_cast<TskDataSkinUpDownControl&>(*updown);
    EXPECT_EQ(u.lefttoppoint, (Point{}));
    EXPECT_EQ(u.rightbottompoint, (Point{}));
    EXPECT_EQ(u.clientrect, (Rect{}));
    EXPECT_EQ(u.upbuttonrect, (Rect{1, 2, 3, 4}));
    auto menu = CreateObjectRecord("menuitem", "menu");
    menu->LoadFromIni(d);
    const auto& m = dynamic_cast<TskDataSkinMenuItem&>(*menu);
    EXPECT_EQ(m.activecheckimagerect, (Rect{1, 1, 9, 9}));
    EXPECT_EQ(m.activeradioimagerect, (Rect{3, 3, 7, 7}));
    EXPECT_EQ(m.activearrowimagerect, (Rect{4, 4, 6, 6}));  // an empty (zero-height) one counts as absent
}
