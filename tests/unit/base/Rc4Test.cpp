#include <gtest/gtest.h>

#include "HexText.h"
#include "base/Exceptions.h"
#include "base/Rc4.h"

using namespace tolvar;

namespace {
std::string Keystream(const std::string& key, size_t length) {
    Rc4 rc4({reinterpret_cast<const uint8_t*>(key.data()), key.size()});
    return rc4.Apply(std::string(length, '\0'));
}
}  // namespace

// RFC 6229: the keystream at several offsets for keys of 40 to 256 bits. Offset 0 shows that
// nothing of the keystream is dropped.
TEST(Rc4, MatchesThePublishedKeystreams) {
    struct Case {
        const char* key;
        size_t offset;
        const char* bytes;
    };
    const Case cases[] = {
        {"0102030405", 0, "b2396305f03dc027ccc3524a0a1118a8"},
        {"0102030405", 16, "6982944f18fc82d589c403a47a0d0919"},
        {"0102030405", 240, "28cb1132c96ce286421dcaadb8b69eae"},
        {"0102030405", 4096, "ff25b58995996707e51fbdf08b34d875"},
        {"01020304050607", 0, "293f02d47f37c9b633f2af5285feb46b"},
        {"0102030405060708", 256, "d0a990ff2c05fef5b90373c9ff4b870a"},
        {"0102030405060708090a", 1520, "bdae85924b3cb1d0a2e33a30c6d79599"},
        {"0102030405060708090a0b0c0d0e0f10", 0, "9ac7cc9a609d1ef7b2932899cde41b97"},
        {"0102030405060708090a0b0c0d0e0f10", 4096, "a36a4c301ae8ac13610ccbc12256cacc"},
        {"0102030405060708090a0b0c0d0e0f101112131415161718", 240, "b06b9b1e195d13d8f4a7995c4553ac05"},
        {"0102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f20", 0, "eaa6bd25880bf93d3f5d1e4ca2611d91"},
        {"0102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f20", 4096, "f3e4c0a2e02d1d01f7f0a74618af2b48"},
        {"c109163908ebe51debb46227c6cc8b37", 0, "87365e1280fe66950a5768e6bfdeec9b"},
    };
    for (const Case& c : cases) {
        const std::string stream = Keystream(FromHex(c.key), c.offset + 16);
        EXPECT_EQ(Hex(stream.substr(c.offset)), c.bytes) << "key " << c.key << " offset " << c.offset;
    }
}

TEST(Rc4, EnciphersTextAndContinuesTheKeystreamAcrossCalls) {
    Rc4 rc4({reinterpret_cast<const uint8_t*>("Key"), 3});
    const std::string first = rc4.Apply("Plain");
    EXPECT_EQ(Hex(first + rc4.Apply("text")), "bbf316e8d940af0ad3");

    const std::string key = FromHex("0102030405");
    Rc4 pieces({reinterpret_cast<const uint8_t*>(key.data()), key.size()});
    std::string joined;
    for (int n = 0; n < 37; ++n) joined += pieces.Apply(std::string(7, '\0'));
    EXPECT_EQ(joined, Keystream(key, 37 * 7));
}

TEST(Rc4, RefusesKeysItCannotSchedule) {
    const uint8_t bytes[257] = {};
    EXPECT_THROW(Rc4({bytes, 0}), Exception);
    EXPECT_THROW(Rc4({bytes, 257}), Exception);
    EXPECT_NO_THROW(Rc4({bytes, 256}));
}
