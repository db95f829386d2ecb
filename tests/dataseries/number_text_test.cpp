// Stored number texts as they are shown: rounded to 15 significant digits
// on the stored digits, with carries, signs and exponents as written.

#include "dataseries/NumberText.h"

#include <gtest/gtest.h>
#include <string>

TEST(NumberText, LongNumbersAreRoundedToFifteenDigitsInTheirShortestForm) {
    const struct {
        const char* stored;
        const char* shown;
    } rows[] = {
        // Carries through every kept digit.
        {"9.99999999999999999", "10"},
        {"99999.99999999999999", "100000"},
        {"-0.99999999999999995", "-1"},
        {"0.000099999999999999999", "0.0001"},
        {"9.9999999999999999E+17", "1E+18"},
        {"9.9999999999999999e-1", "1e+0"},
        {"-9.9999999999999999E-05", "-1E-04"},
        // Half rounds away from zero; below half is dropped.
        {"1.000000000000005", "1.00000000000001"},
        {"-1.000000000000005", "-1.00000000000001"},
        {"1.00000000000000499", "1"},
        {"0.12345678901234549", "0.123456789012345"},
        {"0.12345678901234550", "0.123456789012346"},
        // Exponents: the stored letter, sign and width kept.
        {"1.2345678901234567e17", "1.23456789012346e17"},
        {"1.2345678901234567E+017", "1.23456789012346E+017"},
        {"-2.5000000000000004E-300", "-2.5E-300"},
        {"1.23456789012345678E+400", "1.23456789012346E+400"},
        {"12345.678901234567E+3", "1.23456789012346E+7"},
        // Placement of the point without an exponent.
        {"+0.30000000000000004", "0.3"},
        {".30000000000000004", "0.3"},
        {"0.0000012345678901234567", "0.00000123456789012346"},
        {"123456789012345678.9", "123456789012346000"},
        {"1.100000000000000000", "1.1"},
        {"0.1000000000000000055511151231257827", "0.1"},
    };
    for (const auto& row : rows) {
        std::string text = row.stored;
        EXPECT_TRUE(Shorten_Number_Text(text)) << row.stored;
        EXPECT_EQ(text, row.shown) << row.stored;
    }
}

TEST(NumberText, IntegersShortNumbersAndOtherTextsStayAsStored) {
    const char* rows[] = {
        "123456789012345678",
        "-12345678901234567890",
        "123456789.012345",
        "-0.000123456789012345",
        "1.23456789012345E+17",
        "3.50",
        "007",
        "0.000000000000000000000",
        "1.2345678901234567E",
        "1.2345678901234567E+1234567890",
        "1.23456789012345678x",
        "1.2345678901234567.8",
        "--1.2345678901234567",
        "NaN",
        "",
        ".",
    };
    for (const char* stored : rows) {
        std::string text = stored;
        EXPECT_FALSE(Shorten_Number_Text(text)) << stored;
        EXPECT_EQ(text, stored);
    }
}
