#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "skin/data/Streams.h"
#include "skin/data/ZlibStreams.h"

using namespace tolvar;

namespace {

// Bytes that deflate somewhat but not to nothing, longer than several 4096-byte buffers.
std::string Sample(size_t n) {
    std::string s(n, '\0');
    uint32_t x = 12345;
    for (size_t i = 0; i < n; ++i) {
        x = x * 1103515245 + 12345;
        s[i] = char((i % 97 < 60) ? 'a' + i % 7 : (x >> 16));
    }
    return s;
}

std::string Deflate(const std::string& plain) {
    TBytesStream source(plain);
    TMemoryStream target;
    CompressStream(source, target);
    return target.Bytes();
}

std::string Inflate(const std::string& compressed, std::string prefix = {}) {
    TBytesStream source(compressed);
    TMemoryStream target(std::move(prefix));
    target.Seek(0, TSeekOrigin::soEnd);
    DecompressStream(target, source);
    return target.Bytes();
}

}  // namespace

TEST(ZlibStreams, RoundTripAtMaximumLevelAppendsToTarget) {
    const std::string plain = Sample(50000);
    const std::string packed = Deflate(plain);
    // Level 9 with zlib's standard parameters: the same bytes as zlib's own one-shot call.
    uLongf size = compressBound(uLong(plain.size()));
    std::string reference(size, '\0');
    ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(reference.data()), &size, reinterpret_cast<const Bytef*>(plain.data()),
                        uLong(plain.size()), 9),
              Z_OK);
    reference.resize(size);
    EXPECT_EQ(packed, reference);
    EXPECT_EQ(Inflate(packed, "head:"), "head:" + plain);
    EXPECT_EQ(Inflate(Deflate("")), "");
}

TEST(ZlibStreams, BadStreamsEndWithoutLooping) {
    const std::string plain = Sample(20000);
    const std::string packed = Deflate(plain);
    // Bytes after the end of the stream are left alone.
    EXPECT_EQ(Inflate(packed + std::string(9000, 'x')), plain);
    // A stream cut short gives the shorter result, without an error.
    const std::string cut = Inflate(packed.substr(0, packed.size() / 2));
    EXPECT_LT(cut.size(), plain.size());
    EXPECT_EQ(cut, plain.substr(0, cut.size()));

    std::string corrupt = packed;
    corrupt[0] = 0;  // not a zlib header
    try {
        Inflate(corrupt);
        FAIL();
    } catch (const EDecompressionError& e) {
        EXPECT_EQ(e.Message(), "compression error");
    }
    // A header asking for a preset dictionary can never be satisfied.
    EXPECT_THROW(Inflate(std::string("\x78\xbb\x00\x00\x00\x01\x03\x00", 8)), EDecompressionError);
}

TEST(ZlibStreams, StreamOperationsAndMisuse) {
    TMemoryStream target;
    {
        TCompressionStream deflater(TCompressionLevel::clMax, target);
        deflater.WriteBuffer("abcdef", 6);
        EXPECT_EQ(deflater.Seek(0, TSeekOrigin::soCurrent), 6);
        char c;
        EXPECT_THROW(deflater.Read(&c, 1), ECompressionError);
        EXPECT_THROW(deflater.Seek(1, TSeekOrigin::soBeginning), ECompressionError);
        // Someone else moves the target between transfers; the stream goes back to its place.
        target.SetPosition(0);
    }  // destruction finishes the stream
    EXPECT_EQ(Inflate(target.Bytes()), "abcdef");

    const std::string plain = Sample(10000);
    const std::string packed = Deflate(plain);
    TBytesStream source(packed);
    TDecompressionStream inflater(source);
    char buf[16];
    EXPECT_EQ(inflater.Seek(5000, TSeekOrigin::soCurrent), 5000);
    ASSERT_EQ(inflater.Read(buf, 16), 16u);
    EXPECT_EQ(std::string(buf, 16), plain.substr(5000, 16));
    EXPECT_EQ(inflater.Seek(0, TSeekOrigin::soBeginning), 0);
    ASSERT_EQ(inflater.Read(buf, 16), 16u);
    EXPECT_EQ(std::string(buf, 16), plain.substr(0, 16));
    try {
        inflater.Seek(-1, TSeekOrigin::soEnd);
        FAIL();
    } catch (const EDecompressionError& e) {
        EXPECT_EQ(e.Message(), "Invalid stream operation");
    }
    EXPECT_THROW(inflater.Write("x", 1), EDecompressionError);
}
