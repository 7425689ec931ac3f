// The signed manifest's format: what the signer writes the reader reads back, and what the
// reader refuses.
#include <gtest/gtest.h>

#include "feed/Manifest.h"

using namespace tolvar;

namespace {

Sha256Digest DigestOf(uint8_t first) {
    Sha256Digest d{};
    for (size_t i = 0; i < d.size(); ++i) d[i] = uint8_t(first + i);
    return d;
}

EcdsaSignature SomeSignature() {
    EcdsaSignature s;
    for (size_t i = 0; i < s.size(); ++i) s[i] = uint8_t(0xF0 - i);
    return s;
}

const std::string kHash(64, 'a');
const std::string kSignatureLine = "signature " + std::string(128, '0') + "\n";

}  // namespace

TEST(Manifest, ReadsBackWhatItWritesWithTheSignatureOverTheBodyAlone) {
    const std::vector<TManifestEntry> entries = {
        {DigestOf(0x00), "/FTPHome/TolvarService/UpGradeList.txt"},
        {DigestOf(0xE0), "/FTPHome/TolvarService/sub dir/a b.dll"},  // blanks are part of the path
        {DigestOf(0x10), "/FTPHome/TolvarService/\xB9\xAE.dat"},     // any byte that is no control
    };
    const std::string body = ManifestBody(entries);
    EXPECT_EQ(body.substr(0, 65), "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f ");
    const std::string text = SignedManifest(body, SomeSignature());
    EXPECT_EQ(text.substr(body.size()), "signature " + ToHex(SomeSignature().data(), 64) + "\n");

    const TManifest read = ReadManifest(text);
    EXPECT_EQ(read.Entries, entries);
    EXPECT_EQ(read.SignedLength, body.size());
    EXPECT_EQ(read.Signature, SomeSignature());

    // A manifest of no files is one too: a company folder with nothing the client reads.
    const TManifest empty = ReadManifest(SignedManifest(ManifestBody({}), SomeSignature()));
    EXPECT_TRUE(empty.Entries.empty());
    EXPECT_EQ(empty.SignedLength, 0u);
}

TEST(Manifest, RefusesWhatIsNotExactlyTheFormat) {
    const std::string good = kHash + " /a.dll\n";
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"no signature line", good},
        {"truncated inside the signature", good + kSignatureLine.substr(0, 70)},
        {"truncated: no final line end", good + kSignatureLine.substr(0, kSignatureLine.size() - 1)},
        {"bytes after the signature", good + kSignatureLine + "x"},
        {"a second signature", good + kSignatureLine + kSignatureLine},
        {"a signature that is short", good + "signature " + std::string(126, '0') + "\n"},
        {"a signature in upper case", good + "signature " + std::string(128, 'A') + "\n"},
        {"a signature that is not hex", good + "signature " + std::string(127, '0') + "g\n"},
        {"a hash that is short", std::string(63, 'a') + " /a.dll\n" + kSignatureLine},
        {"a hash in upper case", std::string(64, 'A') + " /a.dll\n" + kSignatureLine},
        {"a hash that is not hex", std::string(63, 'a') + "z /a.dll\n" + kSignatureLine},
        {"two blanks before the path", kHash + "  /a.dll\n" + kSignatureLine},
        {"no path", kHash + " \n" + kSignatureLine},
        {"a relative path", kHash + " a.dll\n" + kSignatureLine},
        {"a CR line end", kHash + " /a.dll\r\n" + kSignatureLine},
        {"a NUL in the path", kHash + " /a" + std::string(1, '\0') + ".dll\n" + kSignatureLine},
        {"an empty line", good + "\n" + kSignatureLine},
        {"a duplicated path", good + good + kSignatureLine},
        {"a line over the limit", kHash + " /" + std::string(kMaxManifestLine, 'x') + "\n" + kSignatureLine},
        {"an endless line", kHash + " /" + std::string(kMaxManifestLine * 4, 'x')},
    };
    for (const auto& c : cases) EXPECT_THROW(ReadManifest(c.text), EManifestError) << c.what;

    // The longest line allowed still reads.
    const std::string longest = kHash + " /" + std::string(kMaxManifestLine - 66, 'x') + "\n";
    EXPECT_EQ(ReadManifest(longest + kSignatureLine).Entries.size(), 1u);
}

TEST(Manifest, TheWriterRefusesWhatTheReaderWould) {
    EXPECT_THROW(ManifestBody({{DigestOf(0), "a.dll"}}), EManifestError);
    EXPECT_THROW(ManifestBody({{DigestOf(0), "/a\n.dll"}}), EManifestError);
    EXPECT_THROW(ManifestBody({{DigestOf(0), "/a.dll"}, {DigestOf(1), "/a.dll"}}), EManifestError);
    EXPECT_THROW(ManifestBody({{DigestOf(0), "/" + std::string(kMaxManifestLine, 'x')}}), EManifestError);
}
