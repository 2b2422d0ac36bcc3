#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "dvr_protocol/base64.h"
#include "dvr_protocol/urlcodec.h"

namespace {

std::string Encode64(const std::string& bytes)
{
    char out[1024];
    EXPECT_EQ(to64frombits(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                           out, sizeof out),
              0);
    return out;
}

// Decodes and returns the bytes; the result code goes to *rc.
std::string Decode64(const char* text, int* rc)
{
    unsigned char out[1024];
    int len = -7;
    *rc = from64tobits(text, out, sizeof out, &len);
    EXPECT_GE(len, 0);
    return std::string(reinterpret_cast<const char*>(out), len < 0 ? 0 : len);
}

std::string UrlEncode(const std::string& text)
{
    char out[3 * 256 + 1];
    EXPECT_EQ(urlencode(text.data(), text.size(), out, sizeof out), 0);
    return out;
}

std::string UrlDecode(const char* text)
{
    char out[1024];
    int len = -7;
    EXPECT_EQ(urldecode(text, out, sizeof out, &len), 0);
    EXPECT_EQ(out[len], '\0');
    return std::string(out, len);
}

}  // namespace

TEST(Base64, EncodesKnownVectors)
{
    EXPECT_EQ(Encode64(""), "");
    EXPECT_EQ(Encode64("abc"), "YWJj");
    EXPECT_EQ(Encode64("ab"), "YWI=");
    EXPECT_EQ(Encode64("\xfb"), "+w==");
    EXPECT_EQ(Encode64("\xfb\xff"), "+/8=");
    EXPECT_EQ(Encode64("foobar"), "Zm9vYmFy");
    EXPECT_EQ(Encode64("fooba"), "Zm9vYmE=");
    EXPECT_EQ(Encode64(std::string("\0\0\0\0", 4)), "AAAAAA==");

    char out[8] = "junk";
    EXPECT_EQ(to64frombits(nullptr, 5, out, sizeof out), 0);
    EXPECT_STREQ(out, "");
}

TEST(Base64, EveryByteValueRoundTrips)
{
    std::string all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
    for (size_t n = 0; n <= all.size(); n += 37) {
        const std::string part = all.substr(all.size() - n);
        int rc = 1;
        const std::string text = Encode64(part);
        EXPECT_EQ(text.size(), (part.size() + 2) / 3 * 4);
        EXPECT_EQ(Decode64(text.c_str(), &rc), part);
        EXPECT_EQ(rc, 0);
    }
}

TEST(Base64, DecoderRules)
{
    int rc = 1;
    EXPECT_EQ(Decode64("YWI=", &rc), "ab");
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(Decode64("YQ==", &rc), "a");
    EXPECT_EQ(Decode64("+ YWJj", &rc), "abc");
    EXPECT_EQ(rc, 0);
    // Decoding ends after a padded group or at a carriage return.
    EXPECT_EQ(Decode64("YWI=YWJj", &rc), "ab");
    EXPECT_EQ(Decode64("YWJj\r\nYWJj", &rc), "abc");
    EXPECT_EQ(rc, 0);

    // Only "+ " is a prefix: a bare "+" is an alphabet character.
    EXPECT_EQ(Decode64("+/8=", &rc), "\xfb\xff");
    Decode64("+YWJj", &rc);
    EXPECT_EQ(rc, -1);

    for (const char* bad : {"YW", "Y", "YWJjYW", "Y=Jj", "=WJj", "YW!j", "YWJj YWJj", "+ ",
                            "YW\xc3\xa9", "\x80WJj"}) {
        Decode64(bad, &rc);
        EXPECT_EQ(rc, -1) << bad;
    }
}

TEST(Base64, DecoderEdgeResults)
{
    unsigned char out[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    int len = -7;
    EXPECT_EQ(from64tobits(nullptr, out, sizeof out, &len), 0);
    EXPECT_EQ(len, 0);
    EXPECT_EQ(out[0], 0);

    out[0] = 9;
    len = -7;
    EXPECT_EQ(from64tobits("\rYWJj", out, sizeof out, &len), 0);
    EXPECT_EQ(len, 0);
    EXPECT_EQ(out[0], 9);

    // A failing group keeps the groups before it.
    len = -7;
    EXPECT_EQ(from64tobits("YWJjYW", out, sizeof out, &len), -1);
    EXPECT_EQ(len, 3);
    EXPECT_EQ(std::memcmp(out, "abc", 3), 0);

}

TEST(UrlCodec, EncodesOnlyTheUnsafeBytes)
{
    EXPECT_EQ(UrlEncode("YWI="), "YWI%3d");
    EXPECT_EQ(UrlEncode("+w=="), "%2bw%3d%3d");
    EXPECT_EQ(UrlEncode("a/b"), "a/b");

    const std::string kept =
        "-./0123456789:@ABCDEFGHIJKLMNOPQRSTUVWXYZ\\_abcdefghijklmnopqrstuvwxyz";
    const char hex[] = "0123456789abcdef";
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const std::string expected = kept.find(c) != std::string::npos
            ? std::string(1, c)
            : std::string{'%', hex[b >> 4], hex[b & 15]};
        EXPECT_EQ(UrlEncode(std::string(1, c)), expected) << b;
    }

    char out[8] = "junk";
    EXPECT_EQ(urlencode(nullptr, 3, out, sizeof out), 0);
    EXPECT_STREQ(out, "");
}

TEST(UrlCodec, DecodesBothHexCases)
{
    EXPECT_EQ(UrlDecode("YWI%3d"), "YWI=");
    EXPECT_EQ(UrlDecode("%2bw%3D%3d"), "+w==");
    EXPECT_EQ(UrlDecode("%4A%4a%ff%FF"), "JJ\xff\xff");
    EXPECT_EQ(UrlDecode("a+b c"), "a+b c");
    EXPECT_EQ(UrlDecode("a%00b"), std::string("a\0b", 3));
    EXPECT_EQ(UrlDecode(""), "");

    char out[4] = "xyz";
    int len = -7;
    EXPECT_EQ(urldecode(nullptr, out, sizeof out, &len), 0);
    EXPECT_EQ(len, 0);
    EXPECT_STREQ(out, "");
}

TEST(UrlCodec, PercentWithoutTwoHexDigitsIsLiteral)
{
    EXPECT_EQ(UrlDecode("%"), "%");
    EXPECT_EQ(UrlDecode("100%"), "100%");
    EXPECT_EQ(UrlDecode("%4"), "%4");
    EXPECT_EQ(UrlDecode("%zz"), "%zz");
    EXPECT_EQ(UrlDecode("%4g1"), "%4g1");
    EXPECT_EQ(UrlDecode("%%41"), "%A");
    EXPECT_EQ(UrlDecode("%g%41"), "%gA");
}

TEST(QueryCodecs, RefuseOutputThatDoesNotFit)
{
    const unsigned char abcd[] = {'a', 'b', 'c', 'd'};
    char text[9];
    EXPECT_EQ(to64frombits(abcd, 4, text, 8), -1);  // needs 8 characters and the NUL
    EXPECT_STREQ(text, "");
    EXPECT_EQ(to64frombits(abcd, 4, text, 9), 0);
    EXPECT_STREQ(text, "YWJjZA==");

    // Base64 decoding checks the room per group.
    unsigned char bytes[8];
    int len = -7;
    EXPECT_EQ(from64tobits("YWJjYWJj", bytes, 5, &len), -1);
    EXPECT_EQ(len, 3);
    EXPECT_EQ(from64tobits("YWJjYWI=", bytes, 5, &len), 0);
    EXPECT_EQ(len, 5);

    EXPECT_EQ(urlencode("a=", 2, text, 4), -1);  // "a%3d" needs 5 bytes with the NUL
    EXPECT_STREQ(text, "");
    EXPECT_EQ(urlencode("a=", 2, text, 5), 0);
    EXPECT_STREQ(text, "a%3d");

    char plain[4];
    EXPECT_EQ(urldecode("abcd", plain, sizeof plain, &len), -1);
    EXPECT_STREQ(plain, "");
    EXPECT_EQ(urldecode("ab%63", plain, sizeof plain, &len), 0);
    EXPECT_STREQ(plain, "abc");
    EXPECT_EQ(len, 3);
}
