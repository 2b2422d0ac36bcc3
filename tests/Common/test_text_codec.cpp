#include <gtest/gtest.h>

#include "Common/TextCodec.h"

namespace {
// "한글 DVR" in EUC-KR.
const std::string kHangulBytes("\xC7\xD1\xB1\xDB DVR", 8);
}  // namespace

TEST(TextCodec, KoreanTextRoundTripsThroughEucKrBytes)
{
    const QString text = QString::fromUtf8("한글 DVR");
    EXPECT_EQ(CTextCodec::ToEucKr(text), kHangulBytes);
    EXPECT_EQ(CTextCodec::FromEucKr(kHangulBytes), text);

    // A CP949-only syllable (outside the 2350 of plain EUC-KR) survives too.
    const QString extended = QString::fromUtf8("똠방각하");
    EXPECT_EQ(CTextCodec::FromEucKr(CTextCodec::ToEucKr(extended)), extended);

    EXPECT_EQ(CTextCodec::ToEucKr(QStringLiteral("admin-1_x.y")), "admin-1_x.y");
    EXPECT_TRUE(CTextCodec::ToEucKr(QString()).empty());
    EXPECT_TRUE(CTextCodec::FromEucKr(std::string()).isEmpty());
}

TEST(TextCodec, EmbeddedNulBytesAreKept)
{
    const std::string bytes("a\0b", 3);
    const QString text = CTextCodec::FromEucKr(bytes);
    ASSERT_EQ(text.size(), 3);
    EXPECT_EQ(text.at(1), QChar(0));
    EXPECT_EQ(CTextCodec::ToEucKr(text), bytes);
}

TEST(TextCodec, InvalidBytesBecomeReplacementCharactersWithoutReadingPastTheEnd)
{
    // A lone lead byte at the very end, a lead byte followed by a byte that cannot trail, and
    // 0xFF, which is no lead byte at all.
    const std::string lone("ab\xC7", 3);
    const QString a = CTextCodec::FromEucKr(lone);
    EXPECT_TRUE(a.startsWith(QStringLiteral("ab")));
    EXPECT_TRUE(a.contains(QChar::ReplacementCharacter));

    const QString b = CTextCodec::FromEucKr(std::string("\xC7\x0A" "x\xFF", 4));
    EXPECT_TRUE(b.contains(QChar::ReplacementCharacter));
    EXPECT_TRUE(b.contains(QLatin1Char('x')));

    // Every possible byte pair decodes without crashing.
    std::string all;
    for (int i = 0; i < 256; ++i)
        for (int j = 0; j < 256; j += 17) {
            all.push_back(static_cast<char>(i));
            all.push_back(static_cast<char>(j));
        }
    EXPECT_FALSE(CTextCodec::FromEucKr(all).isEmpty());
}

TEST(TextCodec, CharactersEucKrCannotHoldBecomeQuestionMarks)
{
    const std::string bytes = CTextCodec::ToEucKr(QString::fromUtf8("x\xF0\x9F\x98\x80y"));
    ASSERT_GE(bytes.size(), 3u);
    EXPECT_EQ(bytes.front(), 'x');
    EXPECT_EQ(bytes.back(), 'y');
    EXPECT_NE(bytes.find('?'), std::string::npos);
}
