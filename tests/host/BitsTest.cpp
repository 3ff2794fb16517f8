#include "host/classes/Bits.h"

#include <gtest/gtest.h>

using namespace host;

TEST(Bits, GrowOnWriteAndRefuseBadReads) {
    TBits b;
    EXPECT_EQ(b.GetSize(), 0);
    EXPECT_EQ(b.OpenBit(), 0);
    b.SetBits(40, true);
    EXPECT_EQ(b.GetSize(), 41);
    EXPECT_TRUE(b.GetBits(40));
    EXPECT_FALSE(b.GetBits(39));
    for (Integer i = 0; i < 40; ++i) b.SetBits(i, true);
    EXPECT_EQ(b.OpenBit(), 41); // all set: Size
    b.SetBits(7, false);
    EXPECT_EQ(b.OpenBit(), 7);

    for (auto bad : {-1, 41}) {
        try {
            b.GetBits(bad);
            FAIL() << bad;
        } catch (const EBitsError& e) {
            EXPECT_EQ(e.Message(), "Bits index out of range");
        }
    }
    EXPECT_THROW(b.SetBits(-5, true), EBitsError);
    EXPECT_THROW(b.SetSize(-1), EBitsError);
    EXPECT_THROW(b.SetBits(0x7FFFFFFF, true), EBitsError); // the size would overflow
    EXPECT_EQ(b.GetSize(), 41);
}

TEST(Bits, ShrinkingForgetsBitsBeyondTheNewSize) {
    TBits b;
    b.SetSize(64);
    for (Integer i = 0; i < 64; ++i) b.SetBits(i, true);
    b.SetSize(3);
    EXPECT_EQ(b.OpenBit(), 3);
    b.SetSize(64);
    EXPECT_TRUE(b.GetBits(2));
    EXPECT_FALSE(b.GetBits(3)); // regrown bits start false
    EXPECT_FALSE(b.GetBits(63));
    EXPECT_EQ(b.OpenBit(), 3);
}
