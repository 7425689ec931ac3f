// SHA-256 and ECDSA through the platform's cryptography, on what the vendor's tool signed.
#include <gtest/gtest.h>

#include <algorithm>

#include "FeedSigner.h"
#include "feed/win/BackgroundSha256.h"
#include "feed/win/FeedVerifier.h"
#include "feed/win/Sha256.h"

using namespace tolvar;
using namespace tolvar::test;

namespace {
std::string HexOf(const Sha256Digest& d) { return ToHex(d.data(), d.size()); }
}  // namespace

// FIPS 180-2's vectors; the million "a" fed in pieces of every size up to 1024 bytes, as a
// download feeds its reads, here and to the hash on its own thread.
TEST(Sha256, MatchesThePublishedVectorsFedInAnyPieces) {
    EXPECT_EQ(HexOf(Sha256Of("abc")), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(HexOf(Sha256Of("")), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    const std::string million(1000000, 'a');
    TSha256 hash;
    TBackgroundSha256 background;
    for (size_t at = 0, piece = 1; at < million.size(); at += piece, piece = piece % 1024 + 1) {
        hash.Update(million.data() + at, std::min(piece, million.size() - at));
        background.Update(million.data() + at, std::min(piece, million.size() - at));
    }
    const std::string expected = "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0";
    EXPECT_EQ(HexOf(hash.Final()), expected);
    const std::optional<Sha256Digest> digest = background.Final();
    ASSERT_TRUE(digest);
    EXPECT_EQ(HexOf(*digest), expected);

    TBackgroundSha256 empty;
    EXPECT_EQ(HexOf(empty.Final().value()), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    TBackgroundSha256 abandoned;  // a download that fails part way ends its hash unfinished
    abandoned.Update(million.data(), million.size());
}

TEST(FeedVerifier, AcceptsWhatTheVendorsToolSignedWithTheKeyAndNothingElse) {
    const testserver::TTestServer server = testserver::FindTestServer("feed_server");
    ASSERT_TRUE(server) << "run this test through ctest";
    const FeedSigner signer("feed_signer");
    const std::string root = server.File("verifier-root");
    const std::string version = "TolvarClient=1.4\r\n";
    testserver::WriteWholeFile(root + "\\FTPHome\\TolvarService\\CompanyCode\\V\\vercheck.txt", version);
    signer.Sign(root);
    const std::string text = testserver::ReadWholeFile(root + "\\FTPHome\\TolvarService\\CompanyCode\\V\\Company.sig");

    const TFeedVerifier vendor(ReadFeedPublicKey(signer.PublicKey()));
    ASSERT_TRUE(vendor.Usable());
    const ManifestTime now = ManifestNow();
    const std::optional<TManifest> manifest = vendor.VerifiedManifest(text, now);
    ASSERT_TRUE(manifest);
    ASSERT_EQ(manifest->Entries.size(), 1u);
    EXPECT_EQ(manifest->Entries[0].Path, "/FTPHome/TolvarService/CompanyCode/V/vercheck.txt");
    EXPECT_EQ(manifest->Entries[0].Hash, Sha256Of(version));

    EXPECT_FALSE(TFeedVerifier(ReadFeedPublicKey(signer.PublicKey("other"))).VerifiedManifest(text, now))
        << "signed by another key";
    // The tool's 90 days: good until then by the reader's clock, refused from then on.
    EXPECT_GT(manifest->Expires, now + std::chrono::days(89));
    EXPECT_LE(manifest->Expires, now + std::chrono::days(90) + std::chrono::minutes(5));
    EXPECT_TRUE(vendor.VerifiedManifest(text, manifest->Expires - std::chrono::seconds(1)));
    EXPECT_FALSE(vendor.VerifiedManifest(text, manifest->Expires)) << "expired";
    // One digit changed in the expiry's year, in the hash, in r and in s: still a readable
    // manifest, no longer the signed one.
    const size_t hash = text.find('\n') + 1, r = text.find("signature ") + 10;
    for (const size_t at : {size_t(8), hash + 5, r, r + 127}) {
        std::string changed = text;
        changed[at] = changed[at] == '3' ? '4' : '3';
        EXPECT_NO_THROW(ReadManifest(changed));
        EXPECT_FALSE(vendor.VerifiedManifest(changed, now)) << "changed at " << at;
    }
    EXPECT_FALSE(vendor.VerifiedManifest(text.substr(0, text.size() - 1), now)) << "truncated";
}

TEST(FeedVerifier, AKeyOffTheCurveVerifiesNothing) {
    EcPublicPoint point{};
    point[63] = 1;
    const TFeedVerifier verifier(point);
    EXPECT_FALSE(verifier.Verify("bytes", EcdsaSignature{}));
}
