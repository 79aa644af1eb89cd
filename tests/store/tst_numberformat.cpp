#include "store/NumberFormat.h"

#include <cmath>
#include <gtest/gtest.h>

struct FormCase
{
    double value;
    const char* hashes;
    const char* general;
    const char* g6;
    const char* fixed2;
    const char* fixed0;
};

TEST(NumberFormat, FormsOfOneValue)
{
    const FormCase cases[] = {
        {0.5, ".5", "0.5", "0.5", "0.50", " 1"},
        {2.25, "2.25", "2.25", "2.25", "2.25", " 2"},
        {15.616, "15.62", "15.616", "15.616", "15.62", "16"},
        {488, "488", "488", "488", "488.00", "488"},
        {0.004, "", "0.004", "0.004", "0.00", " 0"},
        {0, "", "0", "0", "0.00", " 0"},
        {-0.5, "-.5", "-0.5", "-0.5", "-0.50", "-1"},
        {1.10, "1.1", "1.1", "1.1", "1.10", " 1"},
        {123456.789, "123456.79", "123456.789", "123457", "123456.79", "123457"},
        {1.0 / 3.0, ".33", "0.333333333333333", "0.333333", "0.33", " 0"},
        // Finite values too large for hundredths are numbers still, never "inf".
        {1.5e307, "1.5e+307", "1.5e+307", "1.5e+307", "1.5e+307", "1.5e+307"},
        {-1.7e308, "-1.7e+308", "-1.7e+308", "-1.7e+308", "-1.7e+308", "-1.7e+308"},
        {1e18, "1e+18", "1e+18", "1e+18", "1e+18", "1e+18"},
        {9.99e17, "999000000000000000", "9.99e+17", "9.99e+17", "999000000000000000.00",
         "999000000000000000"},
        // What is not a number shows as nothing.
        {HUGE_VAL, "", "", "", "", ""},
        {-HUGE_VAL, "", "", "", "", ""},
        {std::nan(""), "", "", "", "", ""},
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(NumberFormat::hashes(c.value).toStdString(), c.hashes);
        EXPECT_EQ(NumberFormat::general(c.value).toStdString(), c.general);
        EXPECT_EQ(NumberFormat::g6(c.value).toStdString(), c.g6);
        EXPECT_EQ(NumberFormat::fixed2(c.value).toStdString(), c.fixed2);
        EXPECT_EQ(NumberFormat::fixed0(c.value).toStdString(), c.fixed0);
    }
}

TEST(NumberFormat, StoredValueWithItsUnit)
{
    EXPECT_EQ(NumberFormat::withUnit(64.5, "kg"), "64.5 kg");
    EXPECT_EQ(NumberFormat::withUnit(168, QString()), "168");
    // An empty field shows nothing, not even its unit.
    EXPECT_EQ(NumberFormat::withUnit(QVariant(), "kg"), "");
}

TEST(NumberFormat, LeadingNumberOfTypedText)
{
    const std::pair<const char*, double> cases[] = {
        {"1.5", 1.5},  {"  2", 2},     {"-3.25 cups", -3.25},
        {"+4", 4},     {".5", 0.5},    {"5.", 5},
        {"1e2", 100},  {"1E-1x", 0.1}, {"2e", 2},
        {"abc", 0},    {"", 0},        {"-", 0},
        {".", 0},      {"1,5", 1},     {"0x10", 0},
        {" \t7kg", 7},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_DOUBLE_EQ(NumberFormat::leadingNumber(QString::fromUtf8(text)), expected);
    }
}

TEST(NumberFormat, WholeNumberCheck)
{
    double v = 0;
    EXPECT_TRUE(NumberFormat::isNumber(" 12.5 ", &v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_TRUE(NumberFormat::isNumber("-1e3"));
    for (const char* bad : {"", "-", "+", ".", "1.2.3", "12a", "e5", "1e", "--1", "1 2"})
        EXPECT_FALSE(NumberFormat::isNumber(bad)) << bad;
}
