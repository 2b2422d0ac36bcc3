#include <gtest/gtest.h>

#include "Common/Endian.h"

TEST(Endian, SwapsEveryWidth)
{
    EXPECT_EQ(CEndian::byteswap16(0x1234), 0x3412);
    EXPECT_EQ(CEndian::byteswap32(0x12345678u), 0x78563412u);
    EXPECT_EQ(CEndian::byteswap64(0x0102030405060708ull), 0x0807060504030201ull);
    EXPECT_EQ(CEndian::byteswap32(CEndian::byteswap32(0xdeadbeefu)), 0xdeadbeefu);
}
