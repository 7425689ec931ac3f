#include <gtest/gtest.h>

#include "HexText.h"
#include "base/Sha1.h"

using namespace tolvar;

namespace {
std::string DigestHex(const Sha1Digest& d) { return Hex({reinterpret_cast<const char*>(d.data()), d.size()}); }
}  // namespace

// RFC 3174 section 7.3: each text fed `repeat` times, so the million-'a' vector also drives the
// block buffer one byte at a time. The lengths around 56 and 64 bytes are where the padding
// needs an extra block.
TEST(Sha1, MatchesThePublishedVectors) {
    struct Case {
        std::string text;
        int repeat;
        const char* digest;
    };
    const Case cases[] = {
        {"abc", 1, "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", 1, "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
        {"a", 1000000, "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
        {"0123456701234567012345670123456701234567012345670123456701234567", 10,
         "dea356a2cddd90c7a7ecedc5ebb563934f460452"},
        {"", 1, "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
        {std::string(55, 'a'), 1, "c1c8bbdc22796e28c0e15163d20899b65621d65a"},
        {std::string(56, 'a'), 1, "c2db330f6083854c99d4b5bfb6e8f29f201be699"},
        {std::string(64, 'a'), 1, "0098ba824b5c16427bd7a1122a5a442a25ec644d"},
        {std::string(65, 'a'), 1, "11655326c708d70319be2610e8a57d9a5b959d3b"},
    };
    for (const Case& c : cases) {
        Sha1 sha;
        for (int n = 0; n < c.repeat; ++n) sha.Update(c.text);
        EXPECT_EQ(DigestHex(sha.Final()), c.digest) << c.text.substr(0, 20) << " x" << c.repeat;
    }
    EXPECT_EQ(DigestHex(Sha1Of("abc")), "a9993e364706816aba3e25717850c26c9cd0d89d");
}
