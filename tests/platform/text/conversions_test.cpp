// Golden texts and values of the number conversions: Val, Str, CStr, the print form, Format, CInt,
// CLng, Int, CSng and RGB, including the E-notation boundaries, Single against Double digits and
// halves to even.
#include "platform/text/conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <tuple>
#include <utility>

namespace tessary {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// ---------------------------------------------------------------------------------------------
// Val

TEST(Val, LeadingNumberOfTheText) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"0.65", 0.65},
        {" .5", 0.5},
        {".5", 0.5},
        {"-.5", -0.5},
        {"5.", 5.0},
        {"1 2", 12.0},  // blanks inside the number are ignored
        {"  1 2 3 . 5", 123.5},
        {"\t\n 7", 7.0},  // leading tabs and line feeds too
        {"- 5", -5.0},
        {"+4", 4.0},
        {"abc", 0.0},
        {"", 0.0},
        {".", 0.0},
        {"-", 0.0},
        {"1D3", 1000.0},  // D is an exponent letter as well
        {"1d3", 1000.0},
        {"2.5E-3", 0.0025},
        {"1e5", 100000.0},
        {"1E+20", 1e20},
        {"1E", 1.0},  // a letter without exponent digits is not part of the number
        {"1E+", 1.0},
        {"1e5.5", 100000.0},
        {"1,5", 1.0},  // the comma is no decimal point
        {"12a", 12.0},
        {"1.2.3", 1.2},
        {"  -3.5x", -3.5},
        {"0x10", 0.0},
        {"1E-400", 0.0},  // below the Double range
        {"96.6643893412243", 96.6643893412243},
        {"1.79769313486231E+308", 1.79769313486231e308},
    };
    for (const auto& c : cases) {
        const ValResult r = ParseVal(c.text);
        EXPECT_EQ(r.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(r.status, NumberStatus::Ok) << '"' << c.text << '"';
        EXPECT_EQ(Val(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(Val, ZeroIsNeverNegative) {
    EXPECT_FALSE(std::signbit(Val("-0")));
    EXPECT_FALSE(std::signbit(Val("-0.000")));
    EXPECT_FALSE(std::signbit(Val("-1E-400")));
}

TEST(Val, LengthCoversTheNumberOnly) {
    EXPECT_EQ(ParseVal("abc").length, 0u);
    EXPECT_EQ(ParseVal("12a").length, 2u);
    EXPECT_EQ(ParseVal("1E5 x").length, 3u);
    EXPECT_EQ(ParseVal("1E x").length, 1u);
}

TEST(Val, TextOfTheLargestDoubleReadsBack) {
    constexpr double kMax = std::numeric_limits<double>::max();
    EXPECT_EQ(Str(kMax), " 1.79769313486232E+308");  // above kMax itself
    EXPECT_EQ(Val(Str(kMax)), kMax);
    EXPECT_EQ(Val(Str(-kMax)), -kMax);
    EXPECT_EQ(Val("179769313486232000000e288"), kMax);
    EXPECT_EQ(ParseVal("1.797693134862321E+308").status, NumberStatus::OutOfRange);
    EXPECT_EQ(ParseVal("1.8E+308").status, NumberStatus::OutOfRange);
}

TEST(Val, BeyondTheDoubleRangeIsAnError) {
    for (const char* text : {"1E400", "-1E400", "1E9999999999", "99999999999999999999e300"}) {
        const ValResult r = ParseVal(text);
        EXPECT_EQ(r.status, NumberStatus::OutOfRange) << text;
        EXPECT_EQ(r.value, 0.0) << text;
        EXPECT_EQ(Val(text), 0.0) << text;
    }
}

TEST(Val, ValOrInfinityGivesAnOverflowItsSign) {
    const std::pair<std::string, double> cases[] = {
        {"1e400", kInf},
        {"-1e400", -kInf},
        {" - 1e400", -kInf},  // blanks are ignored, also before the sign
        {"+1e400", kInf},
        {std::string(10000, '9'), kInf},
        {"-" + std::string(10000, '9'), -kInf},
        {"1e308", 1e308},  // in range: the value itself
        {"-2.5", -2.5},
        {"1e-400", 0.0},  // below the range: 0, as Val reads it
        {"abc", 0.0},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ValOrInfinity(text), value) << text.substr(0, 12);
}

// ---------------------------------------------------------------------------------------------
// Str, CStr and the print form

struct TextCase {
    double value;
    const char* str;
    const char* cstr;
};

TEST(Str, DoubleTexts) {
    const TextCase cases[] = {
        {0.0, " 0", "0"},
        {-0.0, " 0", "0"},
        {1.0, " 1", "1"},
        {-1.0, "-1", "-1"},
        {0.5, " .5", "0.5"},
        {-0.25, "-.25", "-0.25"},
        {12.5, " 12.5", "12.5"},
        {0.1 + 0.2, " .3", "0.3"},  // 15 digits, not the shortest round trip
        {1.0 / 3.0, " .333333333333333", "0.333333333333333"},
        {2.0 / 3.0, " .666666666666667", "0.666666666666667"},
        {96.6643893412243, " 96.6643893412243", "96.6643893412243"},
        {100000.0, " 100000", "100000"},
        {1e14, " 100000000000000", "100000000000000"},
        {999999999999999.0, " 999999999999999", "999999999999999"},
        {1e15, " 1E+15", "1E+15"},               // exponent 15: E notation for a Double
        {999999999999999.9, " 1E+15", "1E+15"},  // rounds up into E notation
        {1234567890123456.0, " 1.23456789012346E+15", "1.23456789012346E+15"},
        {1.5e20, " 1.5E+20", "1.5E+20"},
        {-1.5e20, "-1.5E+20", "-1.5E+20"},
        {1e100, " 1E+100", "1E+100"},
        {0.0001, " .0001", "0.0001"},  // exponent -4: still fixed
        {0.00012345, " .00012345", "0.00012345"},
        {0.00009999999999999999, " .0001", "0.0001"},  // rounds up out of E notation
        {0.00001, " 1E-05", "1E-05"},                  // exponent -5: E notation
        {0.00003, " 3E-05", "3E-05"},
        {-1.5e-7, "-1.5E-07", "-1.5E-07"},
        {1e-100, " 1E-100", "1E-100"},
        {std::numeric_limits<double>::max(), " 1.79769313486232E+308", "1.79769313486232E+308"},
        {std::numeric_limits<double>::denorm_min(), " 4.94065645841247E-324", "4.94065645841247E-324"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Str(c.value), c.str) << c.str;
        EXPECT_EQ(CStr(c.value), c.cstr) << c.str;
        EXPECT_EQ(PrintText(c.value), std::string(c.str) + " ") << c.str;
    }
}

TEST(Str, SingleTextsHaveSevenDigits) {
    const struct {
        float value;
        const char* str;
        const char* cstr;
    } cases[] = {
        {0.1f, " .1", "0.1"},
        {1.0f / 3.0f, " .3333333", "0.3333333"},
        {-2.0f / 3.0f, "-.6666667", "-0.6666667"},
        {1.33f, " 1.33", "1.33"},
        {1234567.0f, " 1234567", "1234567"},
        {9999999.0f, " 9999999", "9999999"},
        {1e7f, " 1E+07", "1E+07"},  // exponent 7: E notation for a Single
        {12345678.0f, " 1.234568E+07", "1.234568E+07"},
        {16777216.0f, " 1.677722E+07", "1.677722E+07"},
        {std::numeric_limits<float>::max(), " 3.402823E+38", "3.402823E+38"},
        {0.0001f, " .0001", "0.0001"},
        {0.00001f, " 1E-05", "1E-05"},
        {-0.0f, " 0", "0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Str(c.value), c.str) << c.str;
        EXPECT_EQ(CStr(c.value), c.cstr) << c.str;
        EXPECT_EQ(PrintText(c.value), std::string(c.str) + " ") << c.str;
    }
}

// The exact texts of a Single: the seven digits where they read back as it, else as many as that takes.
TEST(Str, ExactSingleTextsReadBackAsTheSingle) {
    const std::tuple<float, const char*, const char*> cases[] = {
        {20.0f, "20", " 20 "},
        {-40.0f, "-40", "-40 "},
        {0.1f, "0.1", " .1 "},
        {12.345678f, "12.345678", " 12.345678 "},
        {1.0f / 3.0f, "0.33333334", " .33333334 "},
        {16777216.0f, "16777216", " 16777216 "},  // seven digits would read 16777220
        {123456792.0f, "1.2345679E+08", " 1.2345679E+08 "},
        {0.0f, "0", " 0 "},
    };
    for (const auto& [value, text, print] : cases) {
        EXPECT_EQ(CStrExact(value), text);
        EXPECT_EQ(PrintTextExact(value), print);
    }
    // Singles of every exponent, each text read back as Val and CSng read it.
    std::uint32_t bits = 0x3F800001u;
    for (int i = 0; i < 20000; ++i, bits = bits * 1664525u + 1013904223u) {
        float v = 0;
        std::memcpy(&v, &bits, sizeof v);
        if (!std::isfinite(v)) continue;
        EXPECT_EQ(CSng(Val(CStrExact(v))).value, v) << CStrExact(v);
        EXPECT_EQ(CSng(Val(PrintTextExact(v))).value, v) << PrintTextExact(v);
    }
}

TEST(Str, SingleAndDoubleOfTheSameValueDiffer) {
    EXPECT_EQ(Str(1.0f / 3.0f), " .3333333");
    EXPECT_EQ(Str(static_cast<double>(1.0f / 3.0f)), " .333333343267441");
    EXPECT_EQ(Str(0.1f), " .1");
    EXPECT_EQ(Str(static_cast<double>(0.1f)), " .100000001490116");
    EXPECT_EQ(Str(12345678.0), " 12345678");
    EXPECT_EQ(Str(12345678.0f), " 1.234568E+07");
}

TEST(Str, WholeNumbersShowAllDigits) {
    EXPECT_EQ(Str(std::int16_t{32767}), " 32767");
    EXPECT_EQ(Str(std::int16_t{-32768}), "-32768");
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(2147483647), " 2147483647");
    EXPECT_EQ(Str(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(CStr(-5), "-5");
    EXPECT_EQ(CStr(70000), "70000");
    EXPECT_EQ(PrintText(3), " 3 ");
    EXPECT_EQ(PrintText(std::int16_t{-5}), "-5 ");
}

TEST(Str, NonFiniteValuesAreNamed) {
    EXPECT_EQ(Str(kNaN), " NaN");
    EXPECT_EQ(Str(kInf), " Infinity");
    EXPECT_EQ(Str(-kInf), "-Infinity");
    EXPECT_EQ(CStr(kNaN), "NaN");
    EXPECT_EQ(CStr(-kInf), "-Infinity");
}

TEST(Str, TextReadsBackAsTheSameFifteenDigitValue) {
    for (double v : {0.1, 1.0 / 3.0, 6.02214076e23, -9.87654321e-12, 96.6643893412243, 1e-5, 1.5e20}) {
        const double back = Val(CStr(v));
        EXPECT_EQ(CStr(back), CStr(v));
        EXPECT_LE(std::fabs(back - v), 5e-15 * std::fabs(v)) << CStr(v);
        EXPECT_EQ(Val(Str(v)), back);
    }
}

// ---------------------------------------------------------------------------------------------
// Format

struct FormatCase {
    double value;
    FormatPattern pattern;
    const char* text;
};

TEST(Format, EveryPattern) {
    const FormatCase cases[] = {
        // eight fixed decimals (refractive index boxes)
        {1.33, "0.00000000", "1.33000000"},
        {1.333333333333333, "0.00000000", "1.33333333"},
        {1.234567895, "0.00000000", "1.23456790"},  // the 15-digit text ends in 5: rounds up
        {-0.5, "0.00000000", "-0.50000000"},
        {0.0, "0.00000000", "0.00000000"},
        {-0.000000001, "0.00000000", "0.00000000"},  // no minus sign on a zero
        {0.000000005, "0.00000000", "0.00000001"},
        {1234.5, "0.00000000", "1234.50000000"},
        // Scientific
        {0.00001234, "Scientific", "1.23E-05"},
        {0.005, "Scientific", "5.00E-03"},
        {20000.0, "Scientific", "2.00E+04"},
        {0.0001, "scientific", "1.00E-04"},
        {0.0, "Scientific", "0.00E+00"},
        {-0.0001, "Scientific", "-1.00E-04"},
        {1.235, "Scientific", "1.24E+00"},
        {9.995, "Scientific", "1.00E+01"},  // the carry moves the exponent
        {1e100, "Scientific", "1.00E+100"},
        {1.5e-300, "Scientific", "1.50E-300"},
        // thousands separators, up to 6 decimals
        {1234567.1234567, "#,##0.######", "1,234,567.123457"},
        {12.0, "#,##0.######", "12"},  // no trailing point
        {0.5, "#,##0.######", "0.5"},
        {1000.0, "#,##0.######", "1,000"},
        {999.0, "#,##0.######", "999"},
        {-1234.5, "#,##0.######", "-1,234.5"},
        {0.0000004, "#,##0.######", "0"},
        {0.0000005, "#,##0.######", "0.000001"},
        {999999.9999999, "#,##0.######", "1,000,000"},
        {75.3970834, "#,##0.######", "75.397083"},
        // up to 7 and 9 decimals (axis end numbers)
        {0.1234567, "###,##0.#######", "0.1234567"},
        {123456.5, "###,##0.#######", "123,456.5"},
        {0.12345675, "###,##0.#######", "0.1234568"},
        {1.000000001, "###,##0.#########", "1.000000001"},
        {0.0000000004, "###,##0.#########", "0"},
        // up to 4 decimals
        {1.33, "#,##0.####", "1.33"},
        {12345.67891, "#,##0.####", "12,345.6789"},
        {0.00005, "#,##0.####", "0.0001"},
        {-0.00004, "#,##0.####", "0"},
        {1.5e20, "#,##0.####", "150,000,000,000,000,000,000"},
        // elapsed seconds
        {12.345, "#0.##", "12.35"},
        {1234.5, "#0.##", "1234.5"},
        {0.004, "#0.##", "0"},
        {0.005, "#0.##", "0.01"},
        {3.0, "#0.##", "3"},
        {0.1 + 0.2, "#0.##", "0.3"},
        {2.675, "#0.##", "2.68"},  // its 15-digit text ends in 5, its binary value just below
    };
    for (const auto& c : cases) EXPECT_EQ(Format(c.value, c.pattern), c.text) << c.text;
}

TEST(Format, SingleUsesSevenDigits) {
    EXPECT_EQ(Format(0.1f, "0.00000000"), "0.10000000");
    EXPECT_EQ(Format(static_cast<double>(0.1f), "0.00000000"), "0.10000000");
    EXPECT_EQ(Format(1.0f / 3.0f, "###,##0.#########"), "0.3333333");
    EXPECT_EQ(Format(1.0 / 3.0, "###,##0.#########"), "0.333333333");
    EXPECT_EQ(Format(12345678.0f, "#,##0.####"), "12,345,680");
}

TEST(Format, NonFiniteValuesAreNamed) {
    EXPECT_EQ(Format(kNaN, "Scientific"), "NaN");
    EXPECT_EQ(Format(-kInf, "#0.##"), "-Infinity");
}

// ---------------------------------------------------------------------------------------------
// CInt, CLng, Int, CSng

TEST(CInt, HalvesGoToTheEvenNeighbour) {
    const struct {
        double v;
        int expected;
    } cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {0.49999999999999994, 0},
        {2.5000000000000004, 3},
        {-3.7, -4},
        {32767.4, 32767},
        {-32768.5, -32768},  // -32768 is even
    };
    for (const auto& c : cases) {
        const Checked<std::int16_t> i = CInt(c.v);
        EXPECT_TRUE(i.ok()) << c.v;
        EXPECT_EQ(i.value, c.expected) << c.v;
        const Checked<std::int32_t> l = CLng(c.v);
        EXPECT_TRUE(l.ok()) << c.v;
        EXPECT_EQ(l.value, c.expected) << c.v;
    }
}

TEST(CInt, OutOfRangeAndNaNAreErrors) {
    const struct {
        double v;
        NumberStatus status;
    } cases[] = {
        {32767.5, NumberStatus::OutOfRange},  // rounds to 32768
        {32768.0, NumberStatus::OutOfRange}, {-32768.500001, NumberStatus::OutOfRange},
        {1e300, NumberStatus::OutOfRange},   {kInf, NumberStatus::OutOfRange},
        {-kInf, NumberStatus::OutOfRange},   {kNaN, NumberStatus::NotANumber},
    };
    for (const auto& c : cases) {
        const Checked<std::int16_t> r = CInt(c.v);
        EXPECT_EQ(r.status, c.status) << c.v;
        EXPECT_EQ(r.value, 0) << c.v;
    }
}

TEST(CLng, RangeOfALong) {
    EXPECT_EQ(CLng(2147483646.5).value, 2147483646);
    EXPECT_EQ(CLng(-2147483648.5).value, -2147483647 - 1);
    EXPECT_EQ(CLng(2147483647.4).value, 2147483647);
    EXPECT_EQ(CLng(2147483647.5).status, NumberStatus::OutOfRange);  // rounds to 2^31
    EXPECT_EQ(CLng(-2147483648.6).status, NumberStatus::OutOfRange);
    EXPECT_EQ(CLng(1e10).status, NumberStatus::OutOfRange);
    EXPECT_EQ(CLng(kNaN).status, NumberStatus::NotANumber);
    EXPECT_EQ(CLng(40000.5).value, 40000);
}

TEST(Int, RoundsDown) {
    EXPECT_EQ(Int(2.7), 2.0);
    EXPECT_EQ(Int(-2.5), -3.0);
    EXPECT_EQ(Int(-0.5), -1.0);
    EXPECT_EQ(Int(3.0), 3.0);
    EXPECT_EQ(Int(-2.5f), -3.0f);
    EXPECT_EQ(Int(1e300), 1e300);
}

TEST(CSng, RoundsToSingle) {
    EXPECT_EQ(CSng(0.1).value, 0.1f);
    EXPECT_TRUE(CSng(0.1).ok());
    EXPECT_EQ(CSng(1.33).value, 1.33f);
    EXPECT_EQ(CSng(3.4028235e38).value, std::numeric_limits<float>::max());
    EXPECT_EQ(CSng(-3.40282356e38).value, -std::numeric_limits<float>::max());  // below half an ulp above
    EXPECT_EQ(CSng(1e-50).value, 0.0f);
    EXPECT_TRUE(CSng(1e-50).ok());
    EXPECT_FALSE(std::signbit(CSng(-1e-50).value));
    EXPECT_EQ(CSng(1e39).status, NumberStatus::OutOfRange);
    EXPECT_EQ(CSng(-1e39).status, NumberStatus::OutOfRange);
    EXPECT_EQ(CSng(0x1.ffffffp127).status, NumberStatus::OutOfRange);  // the tie rounds to infinity
    EXPECT_EQ(CSng(kInf).status, NumberStatus::OutOfRange);
    EXPECT_EQ(CSng(kNaN).status, NumberStatus::NotANumber);
}

// ---------------------------------------------------------------------------------------------
// RGB

TEST(RGB, PackedColours) {
    const struct {
        double r, g, b;
        std::int32_t expected;
    } cases[] = {
        {255, 0, 0, 255},                        // red
        {0, 255, 0, 65280},                      // green
        {255, 255, 0, 65535},                    // yellow
        {0, 255, 255, 16776960},                 // cyan
        {255, 255, 255, 16777215},               // white
        {255, 255, 224, 14745599},               // pale yellow
        {254.5, 0.5, 1.5, 254 + 0 + 2 * 65536},  // halves to even
        {253.5, 2.5, 3.5, 254 + 2 * 256 + 4 * 65536},
        {300, -5, 255.5, 255 + 255 * 65536},  // clamped
        {kInf, -kInf, 1e300, 255 + 255 * 65536},
    };
    for (const auto& c : cases) {
        const Checked<std::int32_t> colour = RGB(c.r, c.g, c.b);
        EXPECT_TRUE(colour.ok());
        EXPECT_EQ(colour.value, c.expected) << c.r << "," << c.g << "," << c.b;
    }
}

TEST(RGB, NaNChannelIsAnError) {
    EXPECT_EQ(RGB(kNaN, 0, 0).status, NumberStatus::NotANumber);
    EXPECT_EQ(RGB(0, 0, kNaN).status, NumberStatus::NotANumber);
    EXPECT_EQ(RGB(0, kNaN, 0).value, 0);
}

}  // namespace
}  // namespace tessary
