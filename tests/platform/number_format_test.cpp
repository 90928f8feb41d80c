// The program's own number texts under a decimal-comma locale: written and read with a
// full stop, and the C library's format set back to it after a toolkit switched it.

#include "platform/number_format.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using testing_support::CommaLocale;

struct FixedCase {
    double value;
    int decimals, width;
    const char* text; // as printf's "%*.*f" writes it in the C locale
};

class FixedTextTest : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedTextTest, WritesAFullStopUnderACommaLocale) {
    CommaLocale comma;
    SKIP_WITHOUT_COMMA_LOCALE(comma);
    const FixedCase& c = GetParam();
    EXPECT_EQ(platform::FixedText(c.value, c.decimals, c.width), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    NumberFormat, FixedTextTest,
    ::testing::Values(FixedCase{0.0, 3, 9, "    0.000"}, FixedCase{-12.5, 3, 9, "  -12.500"},
                      FixedCase{890.0, 1, 6, " 890.0"}, FixedCase{1875.0, 1, 6, "1875.0"},
                      FixedCase{0.0005, 3, 0, "0.001"}, FixedCase{123456.25, 2, 4, "123456.25"}));

struct ReadCase {
    const char* text;
    bool ok;
    float value;
    size_t used;
};

class ReadRealTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadRealTest, ReadsAFullStopUnderACommaLocale) {
    CommaLocale comma;
    SKIP_WITHOUT_COMMA_LOCALE(comma);
    const ReadCase& c = GetParam();
    float v = -1.0f;
    size_t used = 99;
    ASSERT_EQ(platform::ReadReal(c.text, v, used), c.ok);
    if (!c.ok) {
        EXPECT_EQ(v, -1.0f) << "nothing is read";
        return;
    }
    EXPECT_FLOAT_EQ(v, c.value);
    EXPECT_EQ(used, c.used);
}

INSTANTIATE_TEST_SUITE_P(
    NumberFormat, ReadRealTest,
    ::testing::Values(ReadCase{"0.95 [K6]", true, 0.95f, 4}, ReadCase{"0,95", true, 0.0f, 1},
                      ReadCase{"12", true, 12.0f, 2}, ReadCase{"-0.5]", true, -0.5f, 4},
                      ReadCase{"[K6]", false, 0, 0}, ReadCase{"", false, 0, 0}));

TEST(NumberFormat, KeepPointDecimalUndoesTheToolkitsLocaleAndLeavesTheRest) {
    CommaLocale comma; // what QApplication does for a German user
    SKIP_WITHOUT_COMMA_LOCALE(comma);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.3f", 0.0);
    ASSERT_STREQ(buf, "0,000") << "the comma locale is in force";
    EXPECT_FALSE(platform::PointDecimalInForce());

    platform::KeepPointDecimal();
    EXPECT_TRUE(platform::PointDecimalInForce());
    std::snprintf(buf, sizeof buf, "%.3f", 0.0);
    EXPECT_STREQ(buf, "0.000");
    EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), testing_support::kCommaLocale)
        << "the user's other categories stay";
}

} // namespace
