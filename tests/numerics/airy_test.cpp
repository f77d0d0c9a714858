// Airy function Ai and Ai': the coefficient tables, published values, high-precision references, the
// range boundaries, the Airy equation and the handling of arguments outside the double range.
// High-precision rows come from scripts/airy_reference_values.py (mpmath, 40 digits).
#include "numerics/airy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

#include "numerics/airy_tables.h"
#include "rel_error.h"

namespace tessary {
namespace {

// Length and first two coefficients of each table, as published for the routine.
TEST(AiryTables, LengthsAndLeadingCoefficients) {
    const struct {
        const char* name;
        std::size_t length;
        double c1, c2;
    } expected[] = {
        {"AK1", 14, 0.220423090987793, -0.1252902427877},
        {"DAK1", 14, 0.204567842307887, -0.0661322739905664},
        {"AK2", 23, 0.274366150869598, 0.00539790969736903},
        {"DAK2", 24, 0.29333234388323, -0.00806196784743112},
        {"AK3", 14, 0.280271447340791, -0.00178127042844379},
        {"DAK3", 14, 0.284675828811349, 0.0025307307261908},
        {"AJP", 19, 0.0778952966437581, -0.184356363456801},
        {"AJN", 19, 0.0380497887617242, -0.245319541845546},
        {"DAJP", 19, 0.0653219131311457, -0.120262933688823},
        {"DAJN", 19, 0.0108594539632967, 0.0853313194857091},
        {"A", 15, 0.490275424742791, 0.00157647277946204},
        {"B", 15, 0.278593552803079, -0.00352915691882584},
        {"DA", 15, 0.491627321104601, 0.00311164930427489},
        {"DB", 15, -0.277571356944231, 0.0044421283341992},
    };
    ASSERT_EQ(airy::kAllTables.size(), std::size(expected));
    for (const auto& e : expected) {
        const auto* table =
            std::find_if(airy::kAllTables.begin(), airy::kAllTables.end(),
                         [&](const airy::NamedTable& t) { return std::strcmp(t.name, e.name) == 0; });
        ASSERT_NE(table, airy::kAllTables.end()) << e.name;
        ASSERT_EQ(table->coefficients.size(), e.length) << e.name;
        EXPECT_EQ(table->coefficients[0], e.c1) << e.name;
        EXPECT_EQ(table->coefficients[1], e.c2) << e.name;
    }
}

// Published values, each to half a unit of its last printed digit.
TEST(AiryCalc, PrintedValues) {
    const struct {
        double x;
        bool derivative;
        double expected, halfUnit;
    } cases[] = {
        {0, false, 0.355028053887817, 5e-16},
        {0, true, -0.258819403792806, 5e-16},
        {1, false, 0.135292416312882, 5e-16},
        {1, true, -0.159147441296793, 5e-16},
        {-1, false, 0.535560883292352, 5e-16},
        {-1, true, -0.0101605671166, 5e-14},
        {1.2, false, 0.106125762263, 5e-13},                       // last point of 0 <= x <= 1.2
        {std::nextafter(1.2, 2.0), false, 0.106125762263, 5e-13},  // first point of the next range
        {3.8, false, 0.00142939289, 5e-12},
        {4, false, 0.000951563851, 5e-13},
        {-5, false, 0.350761009024, 5e-13},
        {-5, true, 0.327192818554, 5e-13},
        {-3, false, -0.378814293678, 5e-13},
        {10, false, 1.10475325529e-10, 5e-22},
        {-10, false, 0.0402412385, 5e-11},
    };
    for (const auto& c : cases) {
        const AiryResult r = AiryCalc(c.x);
        ASSERT_EQ(r.status, AiryStatus::Ok);
        EXPECT_NEAR(c.derivative ? r.dai : r.ai, c.expected, c.halfUnit)
            << "x " << c.x << (c.derivative ? " Ai'" : " Ai");
    }
}

// The accuracy stated in airy.h: 1e-14 + 5e-16 c, relative to the value (x >= 0) or the envelope (x < 0).
void ExpectAiryAccuracy(double x, double ai, double dai) {
    const double c = 2 * std::pow(std::fabs(x), 1.5) / 3;
    const double tol = 1e-14 + 5e-16 * c;
    const AiryResult r = AiryCalc(x);
    ASSERT_EQ(r.status, AiryStatus::Ok) << x;
    if (x >= 0) {
        EXPECT_REL_NEAR(r.ai, ai, tol) << "x " << x;
        EXPECT_REL_NEAR(r.dai, dai, tol) << "x " << x;
        return;
    }
    const double root = std::pow(std::max(std::fabs(x), 1.0), 0.25), sqrtPi = std::sqrt(std::numbers::pi);
    EXPECT_NEAR(r.ai, ai, tol / (root * sqrtPi)) << "x " << x;
    EXPECT_NEAR(r.dai, dai, tol * root / sqrtPi) << "x " << x;
}

TEST(AiryCalc, AgainstHighPrecision) {
    const struct {
        double x, ai, dai;
    } rows[] = {
        {-1000, 0.055971895773019919, 2.6330710195241287},
        {-50, -0.16188142361232092, 0.96898983727674909},
        {-20.5, -0.044625680397011910, -1.1839330197051475},
        {-10, 0.040241238486443191, 0.99626504413279006},
        {-7.5, 0.32177571638064788, 0.31880950669855460},
        {-5, 0.35076100902411432, 0.32719281855444314},
        {-3.875, -0.16592204284741867, -0.73232950532217451},
        {-3.75, -0.25161270301422273, -0.63245396626117635},
        {-3, -0.37881429367765807, 0.31458376921659881},
        {-2, 0.22740742820168558, 0.61825902074169104},
        {-1, 0.53556088329235212, -0.010160567116645209},
        {-0.5, 0.47572809161053959, -0.20408167033954739},
        {-0.125, 0.38725965240839577, -0.25587761975663491},
        {0, 0.35502805388781724, -0.25881940379280680},
        {0.25, 0.29116395434854521, -0.24906211200489714},
        {0.5, 0.23169360648083349, -0.22491053266468389},
        {1, 0.13529241631288142, -0.15914744129679321},
        {1.1875, 0.10779554599312605, -0.13438138551830886},
        {1.25, 0.099644544756916671, -0.12648662068538938},
        {2, 0.034924130423274379, -0.053090384433653632},
        {3, 0.0065911393574607191, -0.011912976705951318},
        {3.75, 0.0015800717179210133, -0.0031575147532397842},
        {3.875, 0.0012284901207749033, -0.0024920456704780875},
        {5, 0.00010834442813607442, -0.00024741389086846248},
        {7.5, 1.9172560675134308e-7, -5.3127139597205447e-7},
        {10, 1.1047532552898686e-10, -3.5206336767389236e-10},
        {20.5, 1.7721363543149421e-28, -8.0451567937554896e-28},
        {50, 4.5849417240748285e-104, -3.2443318198287993e-103},
        {100, 2.6344821520881845e-291, -2.6351403616044099e-290},
    };
    for (const auto& row : rows) ExpectAiryAccuracy(row.x, row.ai, row.dai);
}

// Neighbouring doubles on either side of each switch between tables give nearly the same values:
// x = 0, x = 1.2 and |x| = 7.5^(2/3), where c = 2|x|^1.5/3 passes 5.
TEST(AiryCalc, ContinuousAcrossRangeBoundaries) {
    double edge = std::cbrt(7.5 * 7.5);
    while (2 * std::pow(edge, 1.5) / 3 > 5) edge = std::nextafter(edge, 0.0);
    while (2 * std::pow(std::nextafter(edge, 10.0), 1.5) / 3 <= 5) edge = std::nextafter(edge, 10.0);
    const struct {
        double last, first;  // last double of one range, first of the next
    } pairs[] = {
        {-std::numeric_limits<double>::denorm_min(), 0.0},
        {1.2, std::nextafter(1.2, 2.0)},
        {edge, std::nextafter(edge, 10.0)},
        {-edge, -std::nextafter(edge, 10.0)},
    };
    for (const auto& p : pairs) {
        const AiryResult a = AiryCalc(p.last), b = AiryCalc(p.first);
        EXPECT_REL_NEAR(a.ai, b.ai, 2e-14) << "x " << p.last;
        EXPECT_REL_NEAR(a.dai, b.dai, 2e-14) << "x " << p.last;
    }
}

// Ai'' = x Ai: the independent tables of Ai and Ai' agree through the Airy equation ([A&S] 10.4.1).
TEST(AiryCalc, SatisfiesTheAiryEquation) {
    const double h = 1.0 / 1024;
    for (double x = -20; x <= 4; x += 0.375) {
        const double second = (AiryCalc(x + h).dai - AiryCalc(x - h).dai) / (2 * h);
        EXPECT_NEAR(second, x * AiryCalc(x).ai, 2e-6 * std::max(1.0, x * x)) << "x " << x;
    }
}

// exp(-c) underflows beyond x ~ 108: the values are 0, not NaN.
TEST(AiryCalc, LargePositiveArgumentsUnderflowToZero) {
    for (double x : {110.0, 1e10, 1e300, std::numeric_limits<double>::max()}) {
        const AiryResult r = AiryCalc(x);
        EXPECT_EQ(r.status, AiryStatus::Ok) << x;
        EXPECT_EQ(r.ai, 0.0) << x;
        EXPECT_EQ(r.dai, 0.0) << x;
    }
}

TEST(AiryCalc, RefusesNonFiniteAndUnrepresentableArguments) {
    const struct {
        double x;
        AiryStatus status;
    } cases[] = {
        {std::numeric_limits<double>::quiet_NaN(), AiryStatus::NotFiniteArgument},
        {std::numeric_limits<double>::infinity(), AiryStatus::NotFiniteArgument},
        {-std::numeric_limits<double>::infinity(), AiryStatus::NotFiniteArgument},
        {-1e206, AiryStatus::OutOfRange},  // 2|x|^1.5/3 overflows: no phase to take the cosine of
        {-std::numeric_limits<double>::max(), AiryStatus::OutOfRange},
    };
    for (const auto& c : cases) {
        const AiryResult r = AiryCalc(c.x);
        EXPECT_EQ(r.status, c.status) << c.x;
        EXPECT_EQ(r.ai, 0.0) << c.x;
        EXPECT_EQ(r.dai, 0.0) << c.x;
    }
    EXPECT_EQ(AiryCalc(-1e205).status, AiryStatus::Ok);
}

}  // namespace
}  // namespace tessary
