#include <gtest/gtest.h>

#include <string>

#include "base/Exceptions.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinValues.h"

using namespace tolvar;

namespace {

SkinDescription Parse(const std::string& text) { return SkinDescription::FromText(text); }

std::string ConvertError(const std::string& value, bool rect) {
    const SkinDescription d = Parse("[s]\nk=" + value + "\n");
    try {
        if (rect) ReadRect(d, "s", "k");
        else ReadPoint(d, "s", "k");
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return "no error";
}

}  // namespace

TEST(SkinDescription, SectionsKeysAndLookupRules) {
    const SkinDescription d = Parse(
        "orphan=1\n"
        "  [version]  \r\n"
        "Skinname = Dark \r"
        "; skinname=comment\n"
        "no equals sign\n"
        "[FORMINFO]\n"
        "formminwidth=100\n"
        "[ FORMINFO ]\n"
        "formminwidth=200\n"
        "formminwidth=300\n"
        "empty=\n"
        "[hollow]\n"
        "[notes]\n"
        "just text\n");
    EXPECT_EQ(d.ReadString("VERSION", "skinname", "?"), "Dark");  // case-insensitive, trimmed
    EXPECT_EQ(d.ReadString("VERSION", "orphan", "?"), "?");       // lines before the first section
    EXPECT_EQ(d.ReadString("VERSION", "no equals sign", "?"), "?");
    EXPECT_EQ(d.ReadInteger("forminfo", "formminwidth", 0), 300);  // last section, last key
    EXPECT_EQ(d.ReadString("FORMINFO", "empty", "default"), "");   // present and empty
    EXPECT_EQ(d.ReadString("FORMINFO", "absent", "default"), "default");
    EXPECT_FALSE(d.SectionExists("hollow"));  // a section without lines does not count
    EXPECT_TRUE(d.SectionExists("notes"));    // one that holds only text does
    EXPECT_FALSE(d.SectionExists("nowhere"));

    const SkinDescription n = Parse("[s]\na=$1F\nb=0x10\nc=-7\nd=12abc\ne=99999999999\nf=");
    EXPECT_EQ(n.ReadInteger("s", "a", 0), 31);
    EXPECT_EQ(n.ReadInteger("s", "b", 0), 16);
    EXPECT_EQ(n.ReadInteger("s", "c", 0), -7);
    for (const char* bad : {"d", "e", "f"}) EXPECT_EQ(n.ReadInteger("s", bad, 42), 42) << bad;
    // A NUL byte ends the text.
    EXPECT_FALSE(Parse(std::string("[s]\na=1\0\nb=2\n", 13)).ValueExists("s", "b"));
}

TEST(SkinDescription, ValueReaders) {
    const SkinDescription d = Parse(
        "[s]\n"
        "b1=1\nb2=2\nbx=yes\n"
        "p=-5, 7\nr=-5,3,20,30\nextra=1,2,3,4,5,6\n"
        "f1=fsbold fsunderline\nf2=fsunderline,fsbold\nf3=FSBOLD\n"
        "st1=STFULL\nst2=stvert\nst3=stfull\n"
        "al1=taleftjustify\nal2=TACENTER\n"
        "cm1=cmClose\ncm2=cmmaximize\ncm3=cmminimizetotray\n"
        "ie1=iedarkness\nie2=bright\n"
        "mk1=mkpush\nmk2=push\n");
    EXPECT_TRUE(ReadBoolean(d, "s", "b1"));
    EXPECT_FALSE(ReadBoolean(d, "s", "b2"));
    EXPECT_FALSE(ReadBoolean(d, "s", "bx"));
    EXPECT_EQ(ReadPoint(d, "s", "p"), (Point{5, 7}));
    EXPECT_EQ(ReadRect(d, "s", "r"), (Rect{5, 3, 20, 30}));
    EXPECT_EQ(ReadRect(d, "s", "extra"), (Rect{1, 2, 3, 4}));  // further fields are ignored
    EXPECT_EQ(ReadPoint(d, "s", "missing"), (Point{0, 0}));
    EXPECT_EQ(ReadRect(d, "s", "missing"), (Rect{}));
    EXPECT_EQ(ReadFontStyles(d, "s", "f1"), FontStyles(fsBold | fsUnderline));
    EXPECT_EQ(ReadFontStyles(d, "s", "f2"), ReadFontStyles(d, "s", "f1"));
    EXPECT_EQ(ReadFontStyles(d, "s", "f3"), 0);  // keywords are case-sensitive
    EXPECT_EQ(ReadStretchMode(d, "s", "st1"), stHorz);
    EXPECT_EQ(ReadStretchMode(d, "s", "st2"), stVert);
    EXPECT_EQ(ReadStretchMode(d, "s", "st3"), stFull);
    EXPECT_EQ(ReadStretchMode(d, "s", "missing"), stFull);
    EXPECT_EQ(ReadTextAlign(d, "s", "al1"), taLeftJustify);
    EXPECT_EQ(ReadTextAlign(d, "s", "al2"), taRightJustify);
    EXPECT_EQ(ReadTextAlign(d, "s", "missing"), taCenter);
    EXPECT_EQ(ReadCommand(d, "s", "cm1"), cmMinimizeToTray);
    EXPECT_EQ(ReadCommand(d, "s", "cm2"), cmMaximize);
    EXPECT_EQ(ReadCommand(d, "s", "cm3"), cmMinimizeToTray);
    EXPECT_EQ(ReadCommand(d, "s", "missing"), cmDefault);
    EXPECT_EQ(ReadInactiveEffect(d, "s", "ie1"), ieDarkness);
    EXPECT_EQ(ReadInactiveEffect(d, "s", "ie2"), ieGrayScale);
    EXPECT_EQ(ReadInactiveEffect(d, "s", "missing"), ieBrightness);
    EXPECT_EQ(ReadMorphMode(d, "s", "mk1"), mkPush);
    EXPECT_EQ(ReadMorphMode(d, "s", "mk2"), mkDefault);

    // Malformed points and rectangles fail with the field's digits in the message.
    EXPECT_EQ(ConvertError("", true), "'' is not a valid integer value");  // present but empty
    EXPECT_EQ(ConvertError("1,2,3", true), "'' is not a valid integer value");
    EXPECT_EQ(ConvertError("1,x,3,4", true), "'' is not a valid integer value");
    EXPECT_EQ(ConvertError("1,2,3,99999999999", true), "'99999999999' is not a valid integer value");
    EXPECT_EQ(ConvertError("7", false), "'' is not a valid integer value");
    EXPECT_EQ(ConvertError("1,2", false), "no error");
}

TEST(SkinDescription, StringListsAndWritersRoundTrip) {
    const SkinDescription d = Parse(
        "[PICTURES]\nactivepicturescount=4\n0=a.bmp\n1=b.bmp\n3=d.bmp\n00=zero\n"
        "[huge]\nlistcount=2000000000\n1=one\n1999999999=far\n");
    TextLines list{"kept"};
    ReadStringList(d, "PICTURES", "activepictures", list);
    EXPECT_EQ(list, (TextLines{"kept", "a.bmp", "b.bmp", "", "d.bmp"}));
    // A count and a key far past the bound cannot fill the memory.
    TextLines huge;
    ReadStringList(d, "huge", "list", huge);
    ASSERT_EQ(huge.size(), size_t(kMaxListEntries));
    EXPECT_EQ(huge[1], "one");

    SkinDescription w;
    WriteBoolean(w, "s", "b", true);
    WritePoint(w, "s", "p", Point{3, 4});
    WriteRect(w, "s", "r", Rect{1, 2, 3, 4});
    WriteFontStyles(w, "s", "f", FontStyles(fsStrikeOut | fsBold | fsItalic));
    WriteStretchMode(w, "s", "st", stVert);
    WriteTextAlign(w, "s", "al", TextAlign(7));
    WriteCommand(w, "s", "cm", cmMinimizeToTray);
    WriteStringList(w, "s", "l", TextLines{"x", "y"});
    w.WriteInteger("s", "b", 0);  // a present key is overwritten in place
    EXPECT_EQ(w.ToLines(), (TextLines{"[s]", "b=0", "p=3,4", "r=1,2,3,4", "f=fsbold,fsitalic,fsstrikeout", "st=stvert",
                                      "al=tarightjustify", "cm=cmminimizetotray", "lcount=2", "0=x", "1=y"}));
    const SkinDescription back(w.ToLines());
    EXPECT_EQ(ReadFontStyles(back, "s", "f"), FontStyles(fsStrikeOut | fsBold | fsItalic));
    EXPECT_EQ(ReadCommand(back, "s", "cm"), cmMinimizeToTray);
    w.EraseSection("S");
    EXPECT_TRUE(w.ToLines().empty());
}
