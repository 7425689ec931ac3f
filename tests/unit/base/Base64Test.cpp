#include <gtest/gtest.h>

#include "base/Base64.h"

using namespace tolvar;

// RFC 4648 section 10, both ways.
TEST(Base64, MatchesThePublishedVectors) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [plain, encoded] : cases) {
        EXPECT_EQ(Base64Encode(plain), encoded);
        EXPECT_EQ(Base64Decode(encoded), plain) << encoded;
    }
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(char(b));
    EXPECT_EQ(Base64Decode(Base64Encode(all)), all);
    EXPECT_EQ(Base64Encode("\xfb\xff"), "+/8=");
}

// The stored text is read in whole groups only, and padding does not end the decoding.
TEST(Base64, DecodesWholeGroupsAndGoesOnPastPadding) {
    const std::pair<std::string, std::string> cases[] = {
        {"Zm9vYmFy\r\n", "foobar"},  // a line break after the line is ignored
        {"Zm9vYmFyY", "foobar"},     // one to three leftover characters are dropped
        {"Zm9vYmFyYmE", "foobar"},
        {"Zm8", ""},                 // fewer than four characters decode to nothing
        {"Zg==Zm8=Zm9v", "ffofoo"},  // groups after padded groups are decoded
        {"Zm=v", "f"},               // a "=" third gives one byte whatever the fourth
        {"Zm8=\r\nZm9v", std::string("fo\0\x06"
                                     "f",
                                     5)},    // an inner line break takes its place
        {std::string("Zm\x01v", 4), "f`/"},  // outside the alphabet: the value 0, like "A"
        {"Zm\xff"
         "v",
         "f`/"},
        {"=m9v",
         "\x02"
         "oo"},  // "=" first or second is the value 0
    };
    for (const auto& [encoded, plain] : cases) EXPECT_EQ(Base64Decode(encoded), plain) << encoded;
    EXPECT_EQ(Base64Decode("ZmAv"), "f`/");
}
