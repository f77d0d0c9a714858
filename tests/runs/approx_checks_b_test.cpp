// The ray methods' refusal of orders p >= 2 in a sphere of Re m <= 1 when the list text lets them
// pass the test of its value ("Multiple" with a box p >= 2 ticked, or a range -N).
#include <string>
#include <vector>

#include "tests/runs/run_checks_support.h"

namespace tessary::test {
namespace {

struct OrdersCase {
    const char* name;
    int method;
    const char* methodName;
    const char* rays;
    int tick;  // dialog box ticked for "Multiple", -1 for none
    const char* real;
    bool refused;
};

class RayOrdersBelowOne : public RunChecksTest, public ::testing::WithParamInterface<OrdersCase> {};

TEST_P(RayOrdersBelowOne, RefusesOrdersAboveOne) {
    const OrdersCase& c = GetParam();
    f.calcMethod = c.method;
    f.cboType.setText(c.methodName);
    f.cboRays.setText(c.rays);
    f.txtRefractReal.setText(c.real);
    if (c.tick >= 0) f.dlogP_->chkp(c.tick).setValue(1);
    EXPECT_EQ(check(), c.refused ? 1 : 0);
    if (!c.refused) {
        EXPECT_TRUE(shown.empty());
        return;
    }
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].prompt, "Refractive index must be greater than 1 for this calculation method");
    EXPECT_EQ(shown[0].title, "Input error");
    EXPECT_EQ(shown[0].red, std::vector<std::string>{"txtRefractReal"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RayOrdersBelowOne,
    ::testing::Values(OrdersCase{"DescartesRange", 6, "Descartes", "-3", -1, "0.9", true},
                      OrdersCase{"YoungMultiple", 7, "Young", "Multiple", 2, "0.75", true},
                      OrdersCase{"YoungModRangeAtOne", 8, "Young mod", "-2", -1, "1", true},
                      OrdersCase{"AiryMultiple", 5, "Airy", "Multiple", 3, "0.9", true},
                      OrdersCase{"HuygensMultiple", 9, "Huygens", "Multiple", 7, "0.9", true},
                      OrdersCase{"DescartesRangeToOne", 6, "Descartes", "-1", -1, "0.9", false},
                      OrdersCase{"YoungMultipleOrderOne", 7, "Young", "Multiple", 1, "0.9", false},
                      OrdersCase{"YoungModRangeAboveOne", 8, "Young mod", "-3", -1, "1.01", false},
                      OrdersCase{"ApertureRange", 10, "Aperture", "-3", -1, "0.9", false}),
    [](const auto& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace tessary::test
