#include <gtest/gtest.h>

#include "Common/TextCodec.h"

TEST(TextCodec, KoreanTextRoundTripsThroughEucKrBytes)
{
    const QString text = QString::fromUtf8("한글 DVR");
    EXPECT_EQ(CTextCodec::ToEucKr(text), std::string("\xC7\xD1\xB1\xDB DVR"));
    EXPECT_EQ(CTextCodec::FromEucKr("\xC7\xD1\xB1\xDB DVR"), text);
    // A CP949-only syllable (outside the 2350 of plain EUC-KR) and embedded NULs survive too.
    for (const QString& s : {QString::fromUtf8("똠방각하"), QString::fromUtf8("a\0b", 3)})
        EXPECT_EQ(CTextCodec::FromEucKr(CTextCodec::ToEucKr(s)), s);
    EXPECT_EQ(CTextCodec::ToEucKr(QString::fromUtf8("x\xF0\x9F\x98\x80y")).substr(0, 2), "x?");
}

TEST(TextCodec, InvalidBytesBecomeReplacementCharactersWithoutReadingPastTheEnd)
{
    // A lone lead byte at the very end; a lead byte followed by a byte that cannot trail,
    // then 0xFF, which is no lead byte at all.
    for (const std::string& bytes : {std::string("ab\xC7"), std::string("\xC7\x0A" "ab\xFF")}) {
        const QString text = CTextCodec::FromEucKr(bytes);
        EXPECT_TRUE(text.contains(QChar::ReplacementCharacter)) << bytes;
        EXPECT_TRUE(text.contains(QLatin1String("ab"))) << bytes;
    }
    std::string all;
    for (int i = 0; i < 256; ++i)
        for (int j = 0; j < 256; j += 17)
            all += {static_cast<char>(i), static_cast<char>(j)};
    EXPECT_FALSE(CTextCodec::FromEucKr(all).isEmpty());
}
