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
const std::string kExpiryLine = "expires 2031-02-03T04:05:06Z\n";

ManifestTime At(int y, unsigned m, unsigned d, int h = 0, int mi = 0, int s = 0) {
    using namespace std::chrono;
    return sys_days(year(y) / month(m) / day(d)) + hours(h) + minutes(mi) + seconds(s);
}

}  // namespace

TEST(Manifest, ReadsBackWhatItWritesWithTheSignatureOverTheBodyAlone) {
    const std::vector<TManifestEntry> entries = {
        {DigestOf(0x00), "/FTPHome/TolvarService/UpGradeList.txt"},
        {DigestOf(0xE0), "/FTPHome/TolvarService/sub dir/a b.dll"},  // blanks are part of the path
        {DigestOf(0x10), "/FTPHome/TolvarService/\xB9\xAE.dat"},     // any byte that is no control
    };
    const std::string body = ManifestBody(At(2031, 2, 3, 4, 5, 6), entries);
    EXPECT_EQ(body.substr(0, kExpiryLine.size() + 65),
              kExpiryLine + "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f ");
    const std::string text = SignedManifest(body, SomeSignature());
    EXPECT_EQ(text.substr(body.size()), "signature " + ToHex(SomeSignature().data(), 64) + "\n");

    const TManifest read = ReadManifest(text);
    EXPECT_EQ(read.Expires, At(2031, 2, 3, 4, 5, 6));
    EXPECT_EQ(read.Entries, entries);
    EXPECT_EQ(read.SignedLength, body.size());
    EXPECT_EQ(read.Signature, SomeSignature());

    // A manifest of no files is one too: a company folder with nothing the client reads.
    const TManifest empty = ReadManifest(SignedManifest(ManifestBody(At(2031, 2, 3, 4, 5, 6), {}), SomeSignature()));
    EXPECT_TRUE(empty.Entries.empty());
    EXPECT_EQ(empty.SignedLength, kExpiryLine.size()) << "the expiry is signed too";
}

TEST(Manifest, HoldsUntilItsExpiryAndTheSignerSetsItSomeDaysAhead) {
    TManifest manifest;
    manifest.Expires = At(2025, 3, 1, 12, 0, 0);
    EXPECT_FALSE(Expired(manifest, At(2025, 3, 1, 11, 59, 59)));
    EXPECT_TRUE(Expired(manifest, At(2025, 3, 1, 12, 0, 0)));
    EXPECT_TRUE(Expired(manifest, At(2030, 1, 1)));

    // Days of 24 hours from the signing, across a leap day and a year's end.
    EXPECT_EQ(ExpiryAfter(At(2024, 2, 28, 23, 30, 15), 1), At(2024, 2, 29, 23, 30, 15));
    EXPECT_EQ(ExpiryAfter(At(2024, 12, 1, 8, 0, 0), kDefaultValidDays), At(2025, 3, 1, 8, 0, 0));
    EXPECT_EQ(ExpiryAfter(At(2024, 1, 1), kMaxValidDays), At(2034, 1, 8));
    for (int days : {0, -1, kMaxValidDays + 1}) EXPECT_THROW(ExpiryAfter(At(2024, 1, 1), days), EManifestError) << days;
    EXPECT_THROW(ExpiryAfter(At(9999, 12, 31), 1), EManifestError) << "past what the line can say";
    EXPECT_LE(At(2024, 1, 1), ManifestNow());
}

TEST(Manifest, WritesAndReadsTheExpiryAsExactlyOneUtcForm) {
    const struct {
        ManifestTime time;
        const char* text;
    } written[] = {
        {At(1970, 1, 1), "1970-01-01T00:00:00Z"},
        {At(2024, 2, 29, 23, 59, 59), "2024-02-29T23:59:59Z"},
        {At(9999, 12, 31, 23, 59, 59), "9999-12-31T23:59:59Z"},
    };
    for (const auto& w : written) {
        EXPECT_EQ(FormatManifestTime(w.time), w.text);
        EXPECT_EQ(ParseManifestTime(w.text), w.time) << w.text;
    }
    for (const char* bad :
         {"", "2024-02-29T23:59:59", "2024-02-29 23:59:59Z", "2024-02-29T23:59:59z", "2024-2-29T23:59:59Z",
          "2023-02-29T00:00:00Z", "2024-13-01T00:00:00Z", "2024-00-01T00:00:00Z", "2024-01-00T00:00:00Z",
          "2024-01-01T24:00:00Z", "2024-01-01T00:60:00Z", "2024-01-01T00:00:60Z", "1969-12-31T23:59:59Z",
          "+024-01-01T00:00:00Z", "2024-01-01T00:00:00+00:00", " 2024-01-01T00:00:00Z"})
        EXPECT_FALSE(ParseManifestTime(bad)) << bad;
    EXPECT_THROW(ManifestBody(At(1969, 12, 31), {}), EManifestError);
}

TEST(Manifest, RefusesWhatIsNotExactlyTheFormat) {
    const std::string good = kExpiryLine + kHash + " /a.dll\n";
    const std::string e = kExpiryLine;
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"no expiry line", kHash + " /a.dll\n" + kSignatureLine},
        {"only a signature", kSignatureLine},
        {"the expiry after an entry", kHash + " /a.dll\n" + kExpiryLine + kSignatureLine},
        {"two expiry lines", kExpiryLine + kExpiryLine + kSignatureLine},
        {"an expiry without its time", "expires \n" + kSignatureLine},
        {"an expiry in local time", "expires 2031-02-03T04:05:06\n" + kSignatureLine},
        {"an expiry that is no date", "expires 2031-02-30T04:05:06Z\n" + kSignatureLine},
        {"an expiry with a CR", "expires 2031-02-03T04:05:06Z\r\n" + kSignatureLine},
        {"only the expiry", kExpiryLine},
        {"no signature line", good},
        {"truncated inside the signature", good + kSignatureLine.substr(0, 70)},
        {"truncated: no final line end", good + kSignatureLine.substr(0, kSignatureLine.size() - 1)},
        {"bytes after the signature", good + kSignatureLine + "x"},
        {"a second signature", good + kSignatureLine + kSignatureLine},
        {"a signature that is short", good + "signature " + std::string(126, '0') + "\n"},
        {"a signature in upper case", good + "signature " + std::string(128, 'A') + "\n"},
        {"a signature that is not hex", good + "signature " + std::string(127, '0') + "g\n"},
        {"a hash that is short", e + std::string(63, 'a') + " /a.dll\n" + kSignatureLine},
        {"a hash in upper case", e + std::string(64, 'A') + " /a.dll\n" + kSignatureLine},
        {"a hash that is not hex", e + std::string(63, 'a') + "z /a.dll\n" + kSignatureLine},
        {"two blanks before the path", e + kHash + "  /a.dll\n" + kSignatureLine},
        {"no path", e + kHash + " \n" + kSignatureLine},
        {"a relative path", e + kHash + " a.dll\n" + kSignatureLine},
        {"a CR line end", e + kHash + " /a.dll\r\n" + kSignatureLine},
        {"a NUL in the path", e + kHash + " /a" + std::string(1, '\0') + ".dll\n" + kSignatureLine},
        {"an empty line", good + "\n" + kSignatureLine},
        {"a duplicated path", good + kHash + " /a.dll\n" + kSignatureLine},
        {"a line over the limit", e + kHash + " /" + std::string(kMaxManifestLine, 'x') + "\n" + kSignatureLine},
        {"an endless line", e + kHash + " /" + std::string(kMaxManifestLine * 4, 'x')},
        {"an endless first line", "expires " + std::string(kMaxManifestLine * 4, '2')},
    };
    for (const auto& c : cases) EXPECT_THROW(ReadManifest(c.text), EManifestError) << c.what;

    // The longest line allowed still reads.
    const std::string longest = kHash + " /" + std::string(kMaxManifestLine - 66, 'x') + "\n";
    EXPECT_EQ(ReadManifest(e + longest + kSignatureLine).Entries.size(), 1u);
}

TEST(Manifest, TheWriterRefusesWhatTheReaderWould) {
    const ManifestTime t = At(2031, 1, 1);
    EXPECT_THROW(ManifestBody(t, {{DigestOf(0), "a.dll"}}), EManifestError);
    EXPECT_THROW(ManifestBody(t, {{DigestOf(0), "/a\n.dll"}}), EManifestError);
    EXPECT_THROW(ManifestBody(t, {{DigestOf(0), "/a.dll"}, {DigestOf(1), "/a.dll"}}), EManifestError);
    EXPECT_THROW(ManifestBody(t, {{DigestOf(0), "/" + std::string(kMaxManifestLine, 'x')}}), EManifestError);
}
