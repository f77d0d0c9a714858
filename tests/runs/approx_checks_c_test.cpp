// Input checks of Airy theory (m >= p) and the surface waves (index <= 1 for any order, term range
// judged after rounding); an empty message means the inputs pass.
#include <string>
#include <vector>

#include "tests/runs/run_checks_support.h"

namespace tessary::test {
namespace {

struct Case {
    int method;
    std::string rays, real, kMin, kMax, prompt, red;
};

class AiryAndSurfaceChecks : public RunChecksTest, public ::testing::WithParamInterface<Case> {};

TEST_P(AiryAndSurfaceChecks, RefuseOrPass) {
    const Case& c = GetParam();
    f.codes.calcMethod = c.method;
    f.cboRays.setText(c.rays);
    f.txtRefractReal.setText(c.real);
    f.cboQmin.setText(c.kMin);
    f.cboQmax.setText(c.kMax);
    f.dlogP_->chkp(3).setValue(1);  // read for "Multiple"
    EXPECT_EQ(check(), c.prompt.empty() ? 0 : 1);
    ASSERT_EQ(shown.size(), c.prompt.empty() ? 0u : 1u);
    if (c.prompt.empty()) return;
    EXPECT_EQ(shown[0].prompt, c.prompt);
    EXPECT_EQ(shown[0].title, "Input error");
    EXPECT_EQ(shown[0].red, std::vector<std::string>{c.red});
}

const std::string kAiry = "Airy theory is valid only for 1 < m < p";
INSTANTIATE_TEST_SUITE_P(
    Rows, AiryAndSurfaceChecks,
    ::testing::Values(Case{5, "2", "2", "1", "10", kAiry, "txtRefractReal"},
                      Case{5, "Multiple", "3", "1", "10", kAiry, "txtRefractReal"},
                      Case{11, "1", "1", "1", "10",
                           "Refractive index must be greater than 1 for this calculation method",
                           "txtRefractReal"},
                      Case{11, "1", "1.333", "-3", "10", "Kmin must be >=1", "cboQmin"},
                      Case{11, "1", "1.333", "0.4", "10", "Kmin must be >=1", "cboQmin"},
                      Case{11, "1", "1.333", "1", "25.6", "Kmax must be <=25", "cboQmax"},
                      Case{11, "1", "1.333", "0.6", "25.4", "", ""}));

}  // namespace
}  // namespace tessary::test
