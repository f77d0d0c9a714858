// The ray methods refuse orders p >= 2 in a sphere of Re m <= 1 also when the list text passes the
// test of its value ("Multiple" with a box p >= 2 ticked, or a range -N).
#include <string>
#include <tuple>
#include <vector>

#include "tests/runs/run_checks_support.h"

namespace tessary::test {
namespace {

TEST_F(RunChecksTest, RayOrdersAboveOneNeedRealIndexAboveOne) {
    // method, list text, dialog box ticked (-1: none), Re m; refused when the text has a "!".
    const std::vector<std::tuple<int, std::string, int, std::string>> rows{
        {6, "-3!", -1, "0.9"},      {7, "Multiple!", 2, "0.75"}, {5, "Multiple!", 3, "1"},
        {9, "Multiple!", 7, "0.9"}, {8, "-1", -1, "0.9"},        {10, "-3", -1, "0.9"}};
    for (auto [method, rays, tick, real] : rows) {
        SCOPED_TRACE(rays);
        const bool refused = rays.back() == '!';
        if (refused) rays.pop_back();
        shown.clear();
        f.dlogP_->cmdSelectNone_Click();
        f.series.rayflag.assign(51, 0);  // as a change of the selection leaves them
        f.codes.calcMethod = method;
        f.cboRays.setText(rays);
        f.txtRefractReal.setText(real);
        f.txtAngle.setText("1000");  // a valid sample count for aperture
        if (tick >= 0) f.dlogP_->chkp(tick).setValue(1);
        EXPECT_EQ(check(), refused ? 1 : 0);
        ASSERT_EQ(shown.size(), refused ? 1u : 0u);
        if (!refused) continue;
        EXPECT_EQ(shown[0].prompt + shown[0].title,
                  "Refractive index must be greater than 1 for this calculation methodInput error");
        EXPECT_EQ(shown[0].red, std::vector<std::string>{"txtRefractReal"});
        f.txtRefractReal.setBackColor(kWhiteBox);
    }
}

}  // namespace
}  // namespace tessary::test
