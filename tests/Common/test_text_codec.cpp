#include <gtest/gtest.h>

#include "Common/TextCodec.h"

TEST(TextCodec, EucKrRoundTripsAndInvalidBytesStayInsideTheInput)
{
    const QString text = QString::fromUtf8("한글 DVR");
    EXPECT_EQ(CTextCodec::ToEucKr(text), std::string("\xC7\xD1\xB1\xDB DVR"));
    EXPECT_EQ(CTextCodec::FromEucKr("\xC7\xD1\xB1\xDB DVR"), text);
    const QString cp949Only = QString::fromUtf8("똠방각하");  // outside the 2350 of plain EUC-KR
    EXPECT_EQ(CTextCodec::FromEucKr(CTextCodec::ToEucKr(cp949Only)), cp949Only);
    // A lone lead byte at the very end; a lead byte before a byte that cannot trail; 0xFF.
    for (const std::string& bytes : {std::string("ab\xC7"), std::string("\xC7\x0A" "ab\xFF")}) {
        const QString decoded = CTextCodec::FromEucKr(bytes);
        EXPECT_TRUE(decoded.contains(QChar::ReplacementCharacter) && decoded.contains(QLatin1String("ab"))) << bytes;
    }
}
