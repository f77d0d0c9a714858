// The ray methods refuse orders p >= 2 in a sphere of Re m <= 1 also when the list text passes the
// test of its value ("Multiple" with a box p >= 2 ticked, or a range -N).
#include <string>
#include <vector>

#include "tests/runs/run_checks_support.h"

namespace tessary::test {
namespace {

TEST_F(RunChecksTest, RayOrdersAboveOneNeedRealIndexAboveOne) {
    struct Row {
        int method;
        const char* name;
        const char* rays;
        int tick;
        const char* real;
        bool refused;
    };
    for (const Row& c :
         {Row{6, "Descartes", "-3", -1, "0.9", true}, Row{7, "Young", "Multiple", 2, "0.75", true},
          Row{5, "Airy", "Multiple", 3, "1", true}, Row{9, "Huygens", "Multiple", 7, "0.9", true},
          Row{8, "Young mod", "-1", -1, "0.9", false}, Row{10, "Aperture", "-3", -1, "0.9", false}}) {
        SCOPED_TRACE(std::string(c.name) + " " + c.rays);
        shown.clear();
        f.dlogP_->cmdSelectNone_Click();
        f.rayflag.assign(51, 0);  // as a change of the selection leaves them
        f.txtRefractReal.setBackColor(kWhiteBox);
        f.calcMethod = c.method;
        f.cboType.setText(c.name);
        f.cboRays.setText(c.rays);
        f.txtRefractReal.setText(c.real);
        if (c.tick >= 0) f.dlogP_->chkp(c.tick).setValue(1);
        EXPECT_EQ(check(), c.refused ? 1 : 0);
        ASSERT_EQ(shown.size(), c.refused ? 1u : 0u);
        if (!c.refused) continue;
        EXPECT_EQ(shown[0].prompt, "Refractive index must be greater than 1 for this calculation method");
        EXPECT_EQ(shown[0].title, "Input error");
        EXPECT_EQ(shown[0].red, std::vector<std::string>{"txtRefractReal"});
    }
}

}  // namespace
}  // namespace tessary::test
