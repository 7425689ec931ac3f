#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/Component.h"
#include "base/Exceptions.h"
#include "skin/data/BmpCodec.h"
#include "skin/data/CompressedSkinList.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPackage.h"
#include "skin/data/SkinValues.h"
#include "skin/data/Streams.h"
#include "skin/data/ZlibStreams.h"

using namespace tolvar;

namespace {

std::string Compress(const std::string& plain) {
    TBytesStream source(plain);
    TMemoryStream target;
    CompressStream(source, target);
    return target.Bytes();
}

std::string Package(const std::string& description, std::vector<Bitmap> active = {}) {
    SkinPackage p;
    p.mainPicture = Bitmap(4, 3, MakePixel(1, 2, 3));
    p.maskPicture = Bitmap(4, 3, 0);
    p.activePictures = std::move(active);
    p.description = description;
    return WriteSkinPackage(p);
}

const char* const kSkin =
    "[VERSION]\nskinname=Test\n"
    "[PICTURES]\npicture=main.bmp\nmask=mask.bmp\nactivepicturescount=1\n0=a.bmp\n"
    "[FORMINFO]\nclientrect=3,30,207,279\nlefttoppoint=1,2\nrightbottompoint=250,300\nrighttoppoint=190,10\n"
    "leftbottompoint=1,290\nmaskrectarea=0,0,0,0\nhittestlefttoppoint=0,12\nhittestrighttoppoint=5,6\n"
    "[LAYERFRAME]\npictureindex=0\nalphablendvalue=90\n"
    "[SKINCOLORS]\ncbtnface=7\n"
    "[SKINOBJECTS]\ncount=5\n0=caption:caption\n1=nocolon\n2=trailing:\n3=closebutton:stdbutton\n4=x:unknown\n"
    "[SKINCONTROLS]\ncount=3\n0=gauge:gauge\n1=gauge:button\n2=other:gauge\n"
    "[closebutton]\ncommand=cmclose\n[Gauge]\nbeginoffset=10";  // no final line break

// A window list and what each window was sent, in order.
class FakeRoute : public TskSkinNoticeRoute {
public:
    struct Sent {
        TComponent* window;
        uint32_t code;
        TskSkinData* data;
        int32_t param;
        bool changing;
    };
    std::vector<TComponent*> windows;
    std::vector<TComponent*> forms;
    std::vector<Sent> sent;
    std::function<void(const Sent&)> onSend;

    std::vector<TComponent*> ApplicationWindows() override { return windows; }
    bool IsWindow(const TComponent* c) override { return std::find(forms.begin(), forms.end(), c) != forms.end(); }
    void Send(TComponent* window, uint32_t code, TskSkinData* data, int32_t param) override {
        sent.push_back({window, code, data, param, data->ChangingSkinData()});
        if (onSend) onSend(sent.back());
    }
    std::vector<uint32_t> Codes() const {
        std::vector<uint32_t> c;
        for (const Sent& s : sent) c.push_back(s.code);
        return c;
    }
    std::vector<TComponent*> Order(uint32_t code) const {
        std::vector<TComponent*> w;
        for (const Sent& s : sent)
            if (s.code == code) w.push_back(s.window);
        return w;
    }
};

class Window : public TComponent {
public:
    explicit Window(TComponent* owner = nullptr, std::string_view cls = "TForm") : TComponent(owner), cls_(cls) {}
    std::string_view ClassName() const override { return cls_; }

private:
    std::string cls_;
};

class SkinDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetSkinNoticeRoute(&route);
        route.windows = {&form};
        route.forms = {&form};
    }
    void TearDown() override { SetSkinNoticeRoute(nullptr); }

    TskCompressedStoredSkin* Stored(const std::string& packageBytes) {
        auto* s = Own<TskCompressedStoredSkin>(&form);
        s->ReadCompressedData(Compress(packageBytes));
        return s;
    }

    FakeRoute route;
    Window form;
    TskSkinData* data = Own<TskSkinData>(&form);
    const std::vector<uint32_t> kLoadNotices{BeforeChangeSkinData, ChangeSkinData, AfterChangeSkinData};
};

}  // namespace

TEST_F(SkinDataTest, LoadsPicturesDescriptionAndRecords) {
    EXPECT_TRUE(data->Empty());
    route.windows = {&form};
    route.forms = {&form};
    data->SetShowLayeredBorders(false);
    route.sent.clear();
    int loadDataCalls = 0;
    data->OnLoadData = [&](TskSkinData* d) {
        ++loadDataCalls;
        EXPECT_FALSE(d->Empty());
        EXPECT_TRUE(route.Codes() == std::vector<uint32_t>{BeforeChangeSkinData});  // before ChangeSkinData
    };
    data->SetCompressedStoredSkin(Stored(Package(kSkin, {Bitmap(2, 2, 5)})));

    EXPECT_FALSE(data->Empty());
    EXPECT_FALSE(data->ChangingSkinData());
    EXPECT_EQ(loadDataCalls, 1);
    EXPECT_EQ(data->skinname, "Test");
    EXPECT_EQ(data->MainPicture.Width(), 4);
    EXPECT_TRUE(data->InactivePicture.Empty());
    ASSERT_EQ(data->ActivePictures.size(), 1u);
    EXPECT_NE(data->ActivePicture(0), nullptr);
    EXPECT_EQ(data->ActivePicture(1), nullptr);  // one past the end is no picture, like -1
    EXPECT_EQ(data->ActivePicture(-1), nullptr);
    EXPECT_EQ(data->activepictures, (TextLines{"a.bmp"}));
    EXPECT_EQ(data->SkinColors.cbtnface, 7u);
    EXPECT_EQ(data->SkinColors.cwindow, SystemColor(COLOR_INDEX_WINDOW));
    EXPECT_EQ(data->LayerFrame.alphablendvalue, 90);

    // Entries without a colon, with nothing after it or with an unknown type make no record.
    ASSERT_EQ(data->ObjectList.size(), 2u);
    EXPECT_NE(dynamic_cast<TskDataSkinCaption*>(data->ObjectList[0].get()), nullptr);
    auto* close = dynamic_cast<TskDataSkinStdButton*>(data->ObjectList[1].get());
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->IDName, "closebutton");
    EXPECT_EQ(close->command, cmClose);
    // Lookups are exact and take the first of equal names; sections are found without case.
    ASSERT_EQ(data->CtrlList.size(), 3u);
    EXPECT_EQ(data->FindControlIndex("gauge"), 0);
    EXPECT_EQ(data->FindControlIndex("Gauge"), -1);
    EXPECT_EQ(dynamic_cast<TskDataSkinGaugeControl&>(*data->CtrlList[0]).beginoffset, 10);
    EXPECT_EQ(data->FindObjectIndex("closebutton"), 1);
    EXPECT_EQ(data->FindObjectIndex("nocolon"), -1);

    // The mask widens an empty mask area to the client rect; hit-test points with a 0 take the
    // corner as read; then the corners are pulled onto the client rect.
    EXPECT_EQ(data->maskrectarea, (Rect{3, 30, 207, 279}));
    EXPECT_EQ(data->hittestlefttoppoint, (Point{1, 2}));
    EXPECT_EQ(data->hittestrighttoppoint, (Point{5, 6}));
    EXPECT_EQ(data->hittestrightbottompoint, (Point{250, 300}));
    EXPECT_EQ(data->lefttoppoint, (Point{3, 30}));
    EXPECT_EQ(data->righttoppoint, (Point{190, 30}));
    EXPECT_EQ(data->leftbottompoint, (Point{3, 279}));
    EXPECT_EQ(data->rightbottompoint, (Point{207, 279}));
    EXPECT_EQ(data->bgpictureindex, -1);

    // Notices: the three, in order, to the owner window first (layered borders off).
    EXPECT_EQ(route.Codes(), kLoadNotices);
    EXPECT_EQ(route.Order(ChangeSkinData), (std::vector<TComponent*>{&form}));  // served once
    for (const auto& s : route.sent) {
        EXPECT_EQ(s.data, data);
        EXPECT_EQ(s.param, 1000);
    }
    EXPECT_TRUE(route.sent[1].changing);
    EXPECT_FALSE(route.sent[2].changing);
}

TEST_F(SkinDataTest, NoticeOrder) {
    Window a, b, layer(nullptr, "TskFormLayerWindow");
    route.windows = {&a, &form, &layer, &b};
    route.forms = {&form, &a, &b};
    TskCompressedStoredSkin* stored = Stored(Package(kSkin, {Bitmap(2, 2)}));  // layer frame present

    // Layered borders on: first to last while the skin data has no layer frame yet, last first
    // once the loaded skin has one. Layer windows never hear of it.
    data->SetCompressedStoredSkin(stored);
    EXPECT_EQ(route.Order(BeforeChangeSkinData), (std::vector<TComponent*>{&a, &form, &b}));
    EXPECT_EQ(route.Order(ChangeSkinData), (std::vector<TComponent*>{&b, &form, &a}));
    EXPECT_EQ(route.Order(AfterChangeSkinData), (std::vector<TComponent*>{&b, &form, &a}));

    route.sent.clear();
    data->SetShowLayeredBorders(false);  // now the owner first, then the list in order
    EXPECT_EQ(route.Order(LayeredBordersChanged), (std::vector<TComponent*>{&form, &a, &b}));

    route.sent.clear();
    data->SetShowLayeredBorders(true);
    data->ClearSkin();  // the layer frame is gone: first to last
    route.sent.clear();
    data->SendSkinDataMessage(ChangeSkinData);
    EXPECT_EQ(route.Order(ChangeSkinData), (std::vector<TComponent*>{&a, &form, &b}));

    // A window closed by an earlier receiver is not addressed.
    route.sent.clear();
    route.onSend = [&](const FakeRoute::Sent& s) {
        if (s.window == &a) route.windows = {&a, &form};
    };
    data->SendSkinDataMessage(AeroBlurChanged);
    EXPECT_EQ(route.Order(AeroBlurChanged), (std::vector<TComponent*>{&a, &form}));

    // Without a route nothing is sent and nothing fails.
    SetSkinNoticeRoute(nullptr);
    data->SetCompressedStoredSkin(stored);
    EXPECT_FALSE(data->Empty());
}

TEST_F(SkinDataTest, EmptyRepeatedAndRefusedLoads) {
    TskCompressedStoredSkin* good = Stored(Package(kSkin));
    data->SetCompressedStoredSkin(good);
    data->SetCompressedStoredSkin(good);  // the same skin twice loads twice
    EXPECT_EQ(route.sent.size(), 6u);

    route.sent.clear();
    auto* empty = Own<TskCompressedStoredSkin>(&form);
    data->SetCompressedStoredSkin(empty);  // nothing happens at all
    EXPECT_TRUE(route.sent.empty());
    EXPECT_FALSE(data->Empty());
    EXPECT_EQ(data->CompressedStoredSkin(), empty);

    // Errors and newer versions leave the skin data cleared and close the change.
    struct Case {
        const char* what;
        std::string compressed;
        const char* message;  // none: no error
    };
    std::string versionFour = Package(kSkin);
    versionFour[0] = 4;
    const std::string truncated = Package(kSkin).substr(0, 30);
    std::string notBm = Package(kSkin);
    notBm[5] = 'X';
    // A package that would inflate past the ceiling: the skin, then a run of zeros.
    std::string bomb = Package(kSkin);
    bomb.resize(TInflatedBytes::DefaultLimit + 1);
    const Case cases[] = {
        {"inflates past the ceiling", Compress(bomb), "compression error"},
        {"version 4", Compress(versionFour), nullptr},
        {"corrupt zlib", std::string("\x78\xda\xff\xff\xff\xff", 6), "compression error"},
        {"ends inside a picture", Compress(truncated), "Stream read error"},
        {"not BM", Compress(notBm), "Bitmap image is not valid"},
        {"malformed rect", Compress(Package("[FORMINFO]\nclientrect=1,2\n")), "'' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        data->SetCompressedStoredSkin(good);
        ASSERT_FALSE(data->Empty());
        route.sent.clear();
        auto* bad = Own<TskCompressedStoredSkin>(&form);
        bad->ReadCompressedData(c.compressed);
        try {
            data->SetCompressedStoredSkin(bad);
            EXPECT_EQ(c.message, nullptr);
        } catch (const Exception& e) {
            ASSERT_NE(c.message, nullptr) << e.Message();
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_TRUE(data->Empty());
        EXPECT_FALSE(data->ChangingSkinData());
        EXPECT_TRUE(data->ObjectList.empty() && data->CtrlList.empty() && data->ActivePictures.empty());
        EXPECT_TRUE(data->MainPicture.Empty());
        EXPECT_EQ(route.Codes(), kLoadNotices);
    }
}

// A huge count with one huge key: only the keys that are there are read, in time and memory of
// the order of the description.
TEST_F(SkinDataTest, NumberedListsWithAHugeCountAndOneHugeKey) {
    const std::string description =
        "[PICTURES]\npicture=main.bmp\nactivepicturescount=2147483647\n0=a.bmp\n2147483646=far.bmp\n"
        "[FORMINFO]\nclientrect=3,30,207,279\n"
        "[SKINOBJECTS]\ncount=2147483647\n2147483646=caption:caption\n"
        "[SKINCONTROLS]\ncount=2147483647\n7=gauge:gauge\n2147483646=other:gauge\n";
    data->SetCompressedStoredSkin(Stored(Package(description)));
    ASSERT_FALSE(data->Empty());
    ASSERT_EQ(data->ObjectList.size(), 1u);
    EXPECT_EQ(data->ObjectList[0]->IDName, "caption");
    ASSERT_EQ(data->CtrlList.size(), 2u);
    EXPECT_EQ(data->CtrlList[0]->IDName, "gauge");
    EXPECT_EQ(data->CtrlList[1]->IDName, "other");
    ASSERT_EQ(data->activepictures.size(), size_t(kMaxListEntries)) << "a list is bounded";
    EXPECT_EQ(data->activepictures[0], "a.bmp");
}

TEST_F(SkinDataTest, PackageVersionsAndEdges) {
    // Version 2 carries two more picture slots after the mask; version 1 reads like 3; N = 0
    // puts the description right after the count.
    Bitmap mono(3, 1, 0);
    std::string v2("\2\0\0\0\1\1\1", 7);
    std::string entry;
    WriteBmpEntry(mono, entry);
    v2 += '\0' + entry + '\1' + std::string("\0\0\0\0", 4) + "[VERSION]\nskinname=two";
    data->SetCompressedStoredSkin(Stored(v2));
    EXPECT_EQ(data->skinname, "two");
    EXPECT_TRUE(data->MainPicture.Empty());

    std::string v1 = Package("[VERSION]\nskinname=one");
    v1[0] = 1;
    data->SetCompressedStoredSkin(Stored(v1));
    EXPECT_EQ(data->skinname, "one");
    EXPECT_EQ(data->MainPicture.Width(), 4);

    std::string negative = Package("[VERSION]\nskinname=minus");
    negative.replace(0, 4, std::string("\xff\xff\xff\xff", 4));  // negative versions pass
    data->SetCompressedStoredSkin(Stored(negative));
    EXPECT_EQ(data->skinname, "minus");
}

TEST_F(SkinDataTest, ClearKeepsFormInfoAndResetsColours) {
    data->SetCompressedStoredSkin(Stored(Package(kSkin, {Bitmap(1, 1)})));
    data->ClearSkin();
    EXPECT_TRUE(data->Empty());
    EXPECT_EQ(data->LayerFrame.pictureindex, -1);
    EXPECT_EQ(data->LayerFrame.alphablendvalue, 90);  // the other fields stay
    EXPECT_EQ(data->SkinColors.cbtnface, SystemColor(COLOR_INDEX_BTNFACE));
    EXPECT_EQ(data->clientrect, (Rect{3, 30, 207, 279}));
    EXPECT_TRUE(data->picture.empty() && data->mask.empty() && data->activepictures.empty());
}

TEST_F(SkinDataTest, PropertiesAndReferences) {
    // Creation values.
    TskSkinData fresh;
    EXPECT_TRUE(fresh.SkinnableForm() && fresh.ShowLayeredBorders() && fresh.AeroBlurEnabled());
    EXPECT_TRUE(fresh.EnableSkinEffects && fresh.ShowButtonGlowFrames && fresh.ShowCaptionButtonGlowFrames);
    EXPECT_FALSE(fresh.AnimationForAllWindows);
    EXPECT_EQ(fresh.DlgListViewItemSkinDataName, "listbox");
    EXPECT_EQ(fresh.SkinColors.cbtnface, 0u);  // until the first clear
    EXPECT_EQ(fresh.HintWindow.fontheight, 12);
    EXPECT_EQ(fresh.LayerFrame.inactivealphablendvalue, 255);

    // Switch notices: only on a change, and not while restored or designed.
    data->SetSkinnableForm(true);
    data->SetSkinnableForm(false);
    data->SetComponentState(csLoading, true);
    data->SetAeroBlurEnabled(false);
    data->SetComponentState(csLoading, false);
    auto* strings = Own<TskResourceStrData>(&form);
    data->SetResourceStrData(strings);
    EXPECT_EQ(route.Codes(), (std::vector<uint32_t>{SkinnableFormChanged, ResourceStrDataChanged}));
    EXPECT_EQ(strings->GetResStr("closebutton_hint"), "Close");
    EXPECT_EQ(strings->GetResStr("nothing"), "");

    // Designing suppresses loads.
    route.sent.clear();
    TskCompressedStoredSkin* stored = Stored(Package(kSkin));
    data->SetComponentState(csDesigning, true);
    data->SetCompressedStoredSkin(stored);
    EXPECT_TRUE(data->Empty());
    data->SetComponentState(csDesigning, false);

    // Skin lists: an index outside the list is ignored; without a list it is kept.
    data->SetSkinIndex(5);
    EXPECT_EQ(data->SkinIndex(), 5);
    data->SetSkinIndex(0);
    auto* list = Own<TskCompressedSkinList>(&form);
    for (const char* name : {"zero", "one", "two"}) {
        TskSkinListItem& item = list->Skins.Add();
        item.Skin().ReadCompressedData(Compress(Package(std::string("[VERSION]\nskinname=") + name)));
    }
    EXPECT_EQ(list->Skins.Items(2).Name, "skSkin2");
    data->SetSkinList(list);
    EXPECT_EQ(data->skinname, "zero");
    data->SetSkinIndex(5);
    EXPECT_EQ(data->SkinIndex(), 0);
    EXPECT_EQ(data->skinname, "zero");
    data->SetSkinIndex(2);
    EXPECT_EQ(data->skinname, "two");

    // References go when their components go; the loaded skin stays.
    data->SetCompressedStoredSkin(stored);
    form.DestroyComponent(stored);
    form.DestroyComponent(list);
    form.DestroyComponent(strings);
    EXPECT_EQ(data->CompressedStoredSkin(), nullptr);
    EXPECT_EQ(data->SkinList(), nullptr);
    EXPECT_EQ(data->ResourceStrData(), nullptr);
    EXPECT_FALSE(data->Empty());
    // Also for components of another owner, through the free notification.
    TskCompressedStoredSkin outside;
    outside.ReadCompressedData(Compress(Package(kSkin)));
    {
        TskCompressedStoredSkin elsewhere;
        elsewhere.ReadCompressedData(Compress(Package(kSkin)));
        data->SetCompressedStoredSkin(&elsewhere);
    }
    EXPECT_EQ(data->CompressedStoredSkin(), nullptr);
}
