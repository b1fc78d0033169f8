#include <gtest/gtest.h>
#include <windows.h>
TEST(Smoke, CodePage) { EXPECT_EQ(936u, GetACP()); EXPECT_STREQ("\xc4\xfa", "您"); }
