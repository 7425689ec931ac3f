#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "TestFiles.h"
#include "base/Exceptions.h"
#include "base/Text.h"
#include "skin/data/BmpCodec.h"
#include "skin/data/CompressedSkinList.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinPackage.h"
#include "skin/data/Streams.h"
#include "skin/data/ZlibStreams.h"

using namespace tolvar;

namespace {

std::string Framed(int32_t version, int32_t size, const std::string& body) {
    TMemoryStream s;
    s.WriteInt32(version);
    s.WriteInt32(size);
    s.WriteBuffer(body.data(), body.size());
    return s.Bytes();
}

// A scratch directory for skin files, removed afterwards.
class Scratch {
public:
    Scratch() {
        dir_ = std::filesystem::temp_directory_path().string() + "/skintest-" + std::to_string(std::random_device{}()) +
               "-" + std::to_string(reinterpret_cast<uintptr_t>(this));
        std::filesystem::create_directories(dir_);
    }
    ~Scratch() { std::filesystem::remove_all(dir_); }
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    void Write(const std::string& name, const std::string& bytes) const { WriteFileBytes(Path(name), bytes); }

private:
    std::string dir_;
};

std::string Inflate(const TMemoryStream& compressed) {
    TBytesStream source(compressed.Bytes());
    TMemoryStream target;
    DecompressStream(target, source);
    return target.Bytes();
}

}  // namespace

TEST(StoredSkin, FramedFormsAndTheStoredProperty) {
    TskCompressedStoredSkin skin;
    skin.ReadCompressedData("zlib bytes");
    EXPECT_EQ(skin.WriteCompressedData(), "zlib bytes");
    TMemoryStream framed;
    skin.SaveToCompressedStream(framed);
    EXPECT_EQ(framed.Bytes(), Framed(3, 10, "zlib bytes"));

    TskCompressedStoredSkin back;
    back.LoadFromCompressedStream(framed);
    EXPECT_EQ(back.WriteCompressedData(), "zlib bytes");

    struct Case {
        std::string bytes;
        bool fails;
    } const cases[] = {
        {Framed(4, 3, "abc"), false},  // a newer version is ignored
        {Framed(3, 0, "abc"), false},  // S = 0: an empty skin
        {Framed(3, 9, "abc"), true},   // the file ends early
        {std::string("\3\0", 2), true},
    };
    for (const Case& c : cases) {
        TBytesStream in(c.bytes);
        back.ReadCompressedData("old");
        if (c.fails) EXPECT_THROW(back.LoadFromCompressedStream(in), EReadError);
        else back.LoadFromCompressedStream(in);
        EXPECT_TRUE(back.CompressedStream.Empty());
    }

    // The "Skin" property of a list item is the same framed form.
    TskCompressedSkinList list;
    TskSkinListItem& item = list.Skins.Add();
    EXPECT_EQ(item.Name, "skSkin0");
    EXPECT_EQ(list.Skins.Add().DisplayName(), "skSkin1");
    EXPECT_EQ(item.WriteSkin(), Framed(3, 0, ""));  // written when empty too
    item.ReadSkin(Framed(3, 3, "xyz"));
    EXPECT_EQ(item.Skin().WriteCompressedData(), "xyz");
}

TEST(StoredSkin, BuildsPackagesFromADescription) {
    Scratch dir;
    Bitmap main(3, 2, MakePixel(10, 20, 30));
    Bitmap mask(3, 2, 0);
    std::string bytes;
    WriteBmpEntry(main, bytes);
    dir.Write("main.bmp", bytes);
    bytes.clear();
    WriteBmpEntry(mask, bytes);
    dir.Write("mask.bmp", bytes);
    const std::string description =
        "[VERSION]\nskinname=built\n[PICTURES]\npicture=main.bmp\ninactivepicture=\nmask=mask.bmp\n"
        "activepicturescount=2\n0=mask.bmp\n1=main.bmp\n[FORMINFO]\nclientrect=1,1,2,2\n"
        "[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=0";
    dir.Write("skin.ini", description);

    TskCompressedStoredSkin skin;
    skin.BuildFromDescription(dir.Path("skin.ini"));
    SkinPackage p;
    ASSERT_TRUE(ReadSkinPackage(Inflate(skin.CompressedStream), p));
    EXPECT_EQ(p.mainPicture, main);
    EXPECT_TRUE(p.inactivePicture.Empty());
    EXPECT_EQ(p.maskPicture, mask);
    ASSERT_EQ(p.activePictures.size(), 2u);
    EXPECT_EQ(p.activePictures[1], main);
    EXPECT_EQ(p.description, LinesToText(TextToLines(description)));  // every line ends with CR LF
    // Building again gives the same bytes.
    TskCompressedStoredSkin again;
    again.BuildFromDescription(dir.Path("skin.ini"));
    EXPECT_EQ(again.WriteCompressedData(), skin.WriteCompressedData());

    // A missing section changes nothing; a missing picture fails and leaves the buffer empty.
    dir.Write("partial.ini", "[VERSION]\nskinname=x\n[PICTURES]\npicture=main.bmp\n[FORMINFO]\na=1\n[SKINOBJECTS]\n");
    skin.BuildFromDescription(dir.Path("partial.ini"));
    EXPECT_EQ(skin.WriteCompressedData(), again.WriteCompressedData());
    dir.Write("missing.ini", description + "\n[PICTURES]\npicture=nowhere.bmp\n");
    EXPECT_THROW(skin.BuildFromDescription(dir.Path("missing.ini")), EFOpenError);
    EXPECT_TRUE(skin.CompressedStream.Empty());

    // Authoring mode builds through the setters and keeps the file name only; otherwise, or
    // while the component is restored, the setters only store.
    TskCompressedStoredSkin authored;
    authored.SetFileName(dir.Path("skin.ini"));
    EXPECT_TRUE(authored.CompressedStream.Empty());
    EXPECT_EQ(authored.FileName(), dir.Path("skin.ini"));
    authored.SetComponentState(csDesigning | csLoading, true);
    authored.SetFileName(dir.Path("skin.ini"));
    EXPECT_TRUE(authored.CompressedStream.Empty());
    authored.SetComponentState(csLoading, false);
    authored.SetFileName(dir.Path("skin.ini"));
    EXPECT_EQ(authored.FileName(), "skin.ini");
    EXPECT_EQ(authored.WriteCompressedData(), again.WriteCompressedData());
    TMemoryStream framed;
    authored.SaveToCompressedStream(framed);
    dir.Write("skin.skn", framed.Bytes());
    TskCompressedStoredSkin fromFile;
    fromFile.SetComponentState(csDesigning, true);
    fromFile.SetCompressedFileName(dir.Path("skin.skn"));
    EXPECT_EQ(fromFile.CompressedFileName(), "skin.skn");
    EXPECT_EQ(fromFile.WriteCompressedData(), again.WriteCompressedData());
}
