#pragma once
// Gauge records over one synthetic picture in which every pixel names its own position.
#include <map>
#include <string>

#include "NamedPictures.h"
#include "GaugeStandIns.h"

namespace tolvar::test {

using Keys = std::map<std::string, std::string>;

// A horizontal gauge: a 20 x 8 background piece with caps of 3 and 4, a 30 x 6 progress
// picture with caps of 5 and 4, and a strip of three stacked 30 x 6 animation frames.
inline Keys HorizontalGauge() {
    return {{"pictureindex", "0"},
            {"skinrect", "0,0,20,8"},
            {"lefttoppoint", "3,2"},
            {"righttoppoint", "16,2"},
            {"clientrect", "3,2,16,6"},
            {"stretcheffect", "1"},
            {"progressarea", "1,1,19,7"},
            {"progressrect", "0,10,30,16"},
            {"beginoffset", "5"},
            {"endoffset", "4"},
            {"fontheight", "14"},
            {"fontcolor", "255"},
            {"progressstretch", "1"},
            {"progresstransparent", "1"},
            {"progresstransparentcolor", "3351057"},  // 0x332211: red 0x11, green 0x22, blue 0x33
            {"progressanimationskinrect", "0,20,30,38"},
            {"progressanimationcountframes", "3"},
            {"progressanimationtimerinterval", "10"}};
}

// A vertical gauge: an 8 x 30 background piece with caps of 4 and 5, a 6 x 20 progress picture
// with caps of 3 and 2, tiled.
inline Keys VerticalGauge() {
    return {{"pictureindex", "0"},
            {"skinrect", "40,0,48,30"},
            {"lefttoppoint", "0,4"},
            {"leftbottompoint", "0,25"},
            {"clientrect", "1,4,7,25"},
            {"stretcheffect", "1"},
            {"progressarea", "1,1,7,29"},
            {"progressrect", "50,0,56,20"},
            {"vertical", "1"},
            {"beginoffset", "3"},
            {"endoffset", "2"},
            {"fontheight", "14"},
            {"fontcolor", "255"},
            {"progressstretch", "0"}};
}

// The one transparent pixel of the picture, inside the progress picture's middle.
constexpr Pixel kKeyPixel = 0x00112233u;
constexpr int32_t kKeyX = 7, kKeyY = 12;

inline Bitmap GaugePicture() {
    Bitmap b = test::Picture(60, 40);
    b.At(kKeyX, kKeyY) = kKeyPixel;
    return b;
}

inline std::string Section(const std::string& name, const Keys& keys) {
    std::string s = "[" + name + "]\n";
    for (const auto& [k, v] : keys) s += k + "=" + v + "\n";
    return s;
}

// One control record: its name, its type keyword and its keys.
struct Record {
    std::string name;
    std::string type;
    Keys keys;
};

// The control list of a skin and the records' sections.
inline std::string Controls(const std::vector<Record>& records) {
    std::string entries, sections;
    for (size_t i = 0; i < records.size(); ++i) {
        entries += std::to_string(i) + "=" + records[i].name + ":" + records[i].type + "\n";
        sections += Section(records[i].name, records[i].keys);
    }
    return "[SKINCONTROLS]\ncount=" + std::to_string(records.size()) + "\n" + entries + sections;
}

// A skin of the gauge picture and the given records.
inline std::unique_ptr<TestSkin> MakeSkin(const std::vector<Record>& records) {
    std::vector<Bitmap> pictures;
    pictures.push_back(GaugePicture());
    return std::make_unique<TestSkin>(Controls(records), std::move(pictures));
}

inline Keys With(Keys keys, const Keys& changes) {
    for (const auto& [k, v] : changes) keys[k] = v;
    return keys;
}

}  // namespace tolvar::test
