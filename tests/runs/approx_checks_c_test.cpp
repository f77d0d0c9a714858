// The input checks of Airy theory and the surface waves: m >= p for a selected order, an index <= 1
// whatever the order, the typed term range judged after rounding; and what still passes.
#include <string>
#include <vector>

#include "tests/runs/run_checks_support.h"

namespace tessary::test {
namespace {

struct Case {
    const char* name;
    int method;
    std::string rays, real, kMin, kMax;
    std::string prompt;  // empty: passes
    std::vector<std::string> red;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class AiryAndSurfaceChecks : public RunChecksTest, public ::testing::WithParamInterface<Case> {};

TEST_P(AiryAndSurfaceChecks, RefuseOrPass) {
    const Case& c = GetParam();
    f.calcMethod = c.method;
    f.cboType.setText(c.method == 5 ? "Airy" : "Surface wave");
    f.cboRays.setText(c.rays);
    f.txtRefractReal.setText(c.real);
    f.cboQmin.setText(c.kMin);
    f.cboQmax.setText(c.kMax);
    if (c.rays == "Multiple") f.dlogP_->chkp(3).setValue(1);
    EXPECT_EQ(check(), c.prompt.empty() ? 0 : 1);
    if (c.prompt.empty()) {
        EXPECT_TRUE(shown.empty()) << shown.front().prompt;
        return;
    }
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].prompt, c.prompt);
    EXPECT_EQ(shown[0].title, "Input error");
    EXPECT_EQ(shown[0].red, c.red);
}

const std::string kAiry = "Airy theory is valid only for 1 < m < p";
const std::string kIndex = "Refractive index must be greater than 1 for this calculation method";

const Case kCases[] = {
    {"AiryIndexTwoOrderTwo", 5, "2", "2", "1", "10", kAiry, {"txtRefractReal"}},
    {"AiryIndexAboveOrder", 5, "3", "3.5", "1", "10", kAiry, {"txtRefractReal"}},
    {"AiryMultipleOrderThreeIndexThree", 5, "Multiple", "3", "1", "10", kAiry, {"txtRefractReal"}},
    {"AiryOrderThreeIndexTwo", 5, "3", "2", "1", "10", "", {}},
    {"AiryWater", 5, "2", "1.333", "1", "10", "", {}},
    {"SurfaceIndexOneOrderOne", 11, "1", "1", "1", "10", kIndex, {"txtRefractReal"}},
    {"SurfaceIndexBelowOne", 11, "1", "0.75", "1", "10", kIndex, {"txtRefractReal"}},
    {"SurfaceKminNegative", 11, "1", "1.333", "-3", "10", "Kmin must be >=1", {"cboQmin"}},
    {"SurfaceKminRoundsToZero", 11, "1", "1.333", "0.4", "10", "Kmin must be >=1", {"cboQmin"}},
    {"SurfaceKmaxRoundsToZero", 11, "1", "1.333", "1", "0.5", "Kmax must be >=1", {"cboQmax"}},
    {"SurfaceKmaxRoundsAbove25", 11, "1", "1.333", "1", "25.6", "Kmax must be <=25", {"cboQmax"}},
    {"SurfaceRoundedTermsPass", 11, "1", "1.333", "0.6", "25.4", "", {}},
};

INSTANTIATE_TEST_SUITE_P(Rows, AiryAndSurfaceChecks, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace tessary::test
