// Airy theory: the rainbow constants of m = 4/3 and the refusal of m >= p, the main maximum against
// the Debye p = 2 term.
#include "approximations/airy_theory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "numerics/constants.h"
#include "rel_error.h"
#include "runs/method_codes.h"
#include "scattering/debye.h"

namespace tessary {
namespace {

RaySelection Order(const char* text) {
    RayChoice choice;
    choice.listText = text;
    choice.calcMethod = kMethodAiry;
    return RaysCheck(choice, RaySelection{}).selection;
}

// Largest |S1| over first..last and its angle (degrees) on a 0.01 degree grid.
std::pair<double, double> MaxS1(const std::vector<double>& re, const std::vector<double>& im, int first,
                                int last) {
    std::pair<double, double> best{0.0, 0.0};
    for (int j = first; j <= last; ++j)
        if (std::hypot(re[j], im[j]) > best.first) best = {std::hypot(re[j], im[j]), (j - 1) * 0.01};
    return best;
}

TEST(AiryTheory, RainbowConstantsOfWater) {
    const AiryRainbow r2 = AiryRainbowOf(4.0 / 3.0, 2, 100.0, 0.65);
    const AiryRainbow r3 = AiryRainbowOf(4.0 / 3.0, 3, 100.0, 0.65);
    EXPECT_NEAR(r2.thetaR * 180 / M_PI, 137.970341, 5e-7);
    EXPECT_NEAR(r3.thetaR * 180 / M_PI, 129.021906, 5e-7);
    EXPECT_EQ(r2.q, -1);
    EXPECT_EQ(r3.q, 1);
    EXPECT_REL_NEAR(r2.h, 4.8898210452, 1e-10);
    EXPECT_REL_NEAR(r3.h, 27.8605440101, 1e-10);
    EXPECT_REL_NEAR(r2.APerp, -0.2962962963, 1e-9);
    EXPECT_REL_NEAR(r2.F, 1.76606355, 1e-8);
    std::vector<double> t(20, 7.0);
    const ApproxOutcome out =
        AiryAmplitudes({100.0, 10.0, 0.65, 2.0, 10, 1, 19}, Order("2"), {t, t, t, t}, {});
    EXPECT_EQ(out.message, "Airy theory is valid only for 1 < m < p");  // m = p = 2
    EXPECT_EQ(t[5], 0.0);                                               // zeroed all the same
}

// 0.65 um, m = 4/3, 0.01 degree: 100 um gives 806.5 at 138.98 degrees (Debye 799.9 at 138.97);
// at 1000 um the maximum is within 0.1% of the Debye term's.
TEST(AiryTheory, MainMaximumAgainstDebye) {
    struct Row {
        double radius;
        int first, last;
    };
    const int N = 9001;
    for (const Row& row : {Row{100.0, 13001, 14501}, Row{1000.0, 13701, 13901}}) {
        const AiryInput in{kTwoPi * row.radius / 0.65, row.radius, 0.65, 4.0 / 3.0, N, row.first, row.last};
        std::vector<double> re1(2 * N), im1(2 * N), re2(2 * N), im2(2 * N);
        ASSERT_EQ(AiryAmplitudes(in, Order("2"), {re1, im1, re2, im2}, {}).status, ApproxStatus::Done);
        const auto airy = MaxS1(re1, im1, row.first, row.last);
        DebyeResult debye;
        DebyePlaneWave({in.x, {in.m, 0.0}, N, row.first, row.last, DebyeGraph::Normal, "2"}, Order("2"),
                       debye);
        const auto reference = MaxS1(debye.S1re, debye.S1im, row.first, row.last);
        if (row.radius == 100.0) {
            EXPECT_NEAR(airy.first, 806.5, 0.05);
            EXPECT_NEAR(airy.second, 138.98, 1e-9);
        }
        EXPECT_REL_NEAR(airy.first, reference.first, row.radius == 100.0 ? 0.01 : 1e-3);
    }
}

}  // namespace
}  // namespace tessary
