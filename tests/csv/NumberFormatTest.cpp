#include "csv/NumberFormat.h"

#include <gtest/gtest.h>

using namespace keyferry;

namespace {

struct Shown {
    double value;
    const char* code;
    const char* expected;
};

void expectAll(std::initializer_list<Shown> cases, bool date1904 = false) {
    for (const Shown& test : cases) {
        const auto text = formatNumber(test.value, test.code, date1904);
        ASSERT_TRUE(text.has_value()) << test.code << " for " << test.value;
        EXPECT_EQ(*text, test.expected) << test.code << " for " << test.value;
    }
}

} // namespace

TEST(NumberFormat, GeneralNumbers) {
    expectAll({
        {0, "General", "0"},
        {42, "General", "42"},
        {-7, "General", "-7"},
        {3.14159, "General", "3.14159"},
        {0.1 + 0.2, "General", "0.3"}, // fifteen digits, as the applications keep
        {1234567.891, "General", "1234567.891"},
        {-0.000123, "General", "-0.000123"},
        {1e20, "General", "1E+020"},
        {1.5e-12, "General", "1.5E-12"},
        {1e-310, "General", "1E-310"}, // below the normal doubles
        {123456789012345678.0, "General", "1.23456789012346E+017"},
        {12, "@", "12"},
        {0.5, "General\" kg\"", "0.5 kg"},
    });
}

TEST(NumberFormat, DecimalsThousandsPercentagesAndScientific) {
    expectAll({
        {2.5, "0", "3"}, // half away from zero
        {-2.5, "0", "-3"},
        {2.675, "0.00", "2.68"}, // 2.67499999... in binary
        {-0.0005, "0.000", "-0.001"},
        {0.5, "0.000", "0.500"},
        {1234567, "#,##0", "1,234,567"},
        {123456789012345678.0, "#,##0", "123,456,789,012,346,000"},
        {999.5, "#,##0", "1,000"},
        {0, "#,##0", "0"},
        {-1234.5, "#,##0.00", "-1,234.50"},
        {12, "000", "012"},
        {5, "#.##", "5"},
        {0.0001, "#.##", ""},
        {2.5, "0.0#", "2.5"},
        {2.567, "0.0#", "2.57"},
        {0.5, "#.00", ".50"},
        {1234567, "#,##0,", "1,235"}, // a comma at the end divides by a thousand
        {1234567, "0.0,,", "1.2"},
        {0.125, "0%", "13%"},
        {0.285, "0%", "28%"}, // 28.499999999999996 once multiplied
        {1.005, "0.00", "1.01"},
        {1.005, "0%", "100%"},
        {-0.000123, "0.00", "0.00"}, // no sign on a zero shown
        {-2.5, "#,##0,", "0"},
        {0.1234, "0.0%", "12.3%"},
        {0.5285, "0.0%", "52.8%"}, // 52.849999999999994 once multiplied
        {0.3615, "0.0%", "36.2%"}, // 36.15, the double nearest to it
        {1, "0.00%", "100.00%"},
        {12345, "0.00E+00", "1.23E+04"},
        {0.000123, "0.00E+00", "1.23E-04"},
        {9.999, "0.00E+00", "1.00E+01"},
        {0, "0.0E+0", "0.0E+0"},
        {2.5e-320, "0.0E+00", "2.5E-320"},
    });
}

TEST(NumberFormat, CurrencyLiteralsAndSections) {
    expectAll({
        {1234.5, "[$$-409]#,##0.00", "$1,234.50"},
        {-42, "[$$-409]#,##0.00", "-$42.00"},
        {99.999, "#,##0.00\\ [$€-407]", "100.00 €"},
        {1000000, "#,##0.00 \"EUR\"", "1,000,000.00 EUR"},
        {-42, "[$$-409]#,##0.00;[RED]\\-[$$-409]#,##0.00", "-$42.00"},
        {5, "0;(0);\"zero\"", "5"},
        {-5, "0;(0);\"zero\"", "(5)"},
        {0, "0;(0);\"zero\"", "zero"},
        {3, "0.00_);(0.00)", "3.00 "},
        {-3, "0.00_);[Red](0.00)", "(3.00)"},
        {7, "*-0", "7"},
        {4, "[Blue]0", "4"},
    });
}

TEST(NumberFormat, DatesTimesAndDurations) {
    const double july1 = 45474; // 2024-07-01, a Monday
    expectAll({
        {july1, "yyyy-mm-dd", "2024-07-01"},
        {july1, "mm/dd/yyyy", "07/01/2024"},
        {july1, "m/d/yy", "7/1/24"},
        {july1, "d-mmm-yy", "1-Jul-24"},
        {july1, "dddd, \"\"mmmm\\ d\", \"yyyy", "Monday, July 1, 2024"},
        {july1, "ddd d mmmmm", "Mon 1 J"},
        {30741, "mm/dd/yyyy", "02/29/1984"},
        {14942, "mm/dd/yyyy", "11/27/1940"},
        {july1 + 0.5, "m/d h:mm", "7/1 12:00"}, // "m" after hours is minutes
        {0.5, "h:mm AM/PM", "12:00 PM"},
        {0, "h:mm AM/PM", "12:00 AM"},
        {0.75, "hh:mm:ss", "18:00:00"},
        {0.3368055555555556, "h:mm:ss a/p", "8:05:00 a"},
        {1.5, "[h]:mm:ss", "36:00:00"},
        // A clock time is cut to what it shows; a duration or a date and time is rounded.
        {1.6 / 86400, "hh:mm:ss", "00:00:01"},
        {1.6 / 86400, "[hh]:mm:ss", "00:00:02"},
        {1.25 / 86400, "mm:ss.0", "00:01.3"},
        {1.5999994 / 86400, "mm:ss.0", "00:01.6"},
        {0.999999999, "mm:ss.0", "59:59.9"},
        {0.999999999, "hh:mm:ss", "23:59:59"},
        {0.999999999, "[hh]:mm:ss", "24:00:00"},
        {july1 + 0.9999999999, "yyyy-mm-dd hh:mm", "2024-07-02 00:00"},
        {29109.0 / 86400, "hh:mm:ss", "08:05:09"}, // 29108.99999999996 seconds
        {0.0208333333333333, "[mm]:ss", "30:00"},
    });
    expectAll({{0, "yyyy-mm-dd", "1904-01-01"}, {1, "d mmm yyyy", "2 Jan 1904"}}, true);
}

TEST(NumberFormat, WhatIsNotRenderedIsSaidSo) {
    for (const char* code :
         {"[>100]0;0", "# ?/?", "[DBNum1]0", "000-0000", "0 x", "##0.0E+0", "ge.mm.dd", "\"open"}) {
        EXPECT_FALSE(formatNumber(5, code)) << code;
    }
    EXPECT_FALSE(formatNumber(-1, "yyyy-mm-dd")) << "no date before day zero";
    EXPECT_FALSE(formatNumber(std::numeric_limits<double>::infinity(), "0"));
}

TEST(NumberFormat, BuiltInIds) {
    EXPECT_EQ(builtInNumberFormat(0), "General");
    EXPECT_EQ(builtInNumberFormat(4), "#,##0.00");
    EXPECT_EQ(builtInNumberFormat(14), "m/d/yyyy");
    EXPECT_EQ(builtInNumberFormat(49), "@");
    EXPECT_FALSE(builtInNumberFormat(5)); // locale currency: written out by the files that use it
    EXPECT_FALSE(builtInNumberFormat(164));
    EXPECT_EQ(formatNumber(45474.75, *builtInNumberFormat(22)), "7/1/2024 18:00");
    EXPECT_EQ(formatNumber(-1234, *builtInNumberFormat(37)), "(1,234)");
}
