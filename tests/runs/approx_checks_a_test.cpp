// The input checks of Huygens, aperture and van de Hulst: the count of rays or samples that angle
// graphs read from the angle box, and the two van de Hulst coefficients of the term lists.
#include <functional>
#include <string>
#include <vector>

#include "tests/runs/run_checks_support.h"

namespace tessary::test {
namespace {

struct ApproxCheckCase {
    const char* name;
    int method;
    const char* cboType;
    const char* angle;  // txtAngle
    const char* qMin;   // cboQmin
    const char* qMax;   // cboQmax
    std::string prompt;  // empty: passes
    std::vector<std::string> red;
};

void PrintTo(const ApproxCheckCase& c, std::ostream* os) { *os << c.name; }

class ApproxChecks : public RunChecksTest, public ::testing::WithParamInterface<ApproxCheckCase> {};

const std::string kRays = "Number of rays must be between 1 and 1000000";
const std::string kSamples = "Number of samples must be between 1 and 1000000";
const std::string kCoefficients = "The van de Hulst coefficients must be numbers";

TEST_P(ApproxChecks, RefuseOrPass) {
    const ApproxCheckCase& c = GetParam();
    f.calcMethod = c.method;
    f.cboType.setText(c.cboType);
    f.cboRays.setText("2");
    f.txtAngle.setText(c.angle);
    f.cboQmin.setText(c.qMin);
    f.cboQmax.setText(c.qMax);
    if (c.prompt.empty()) {
        EXPECT_EQ(check(), 0);
        for (const ShownBox& b : shown) ADD_FAILURE() << "unexpected message: " << b.prompt;
        return;
    }
    EXPECT_EQ(check(), 1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].prompt, c.prompt);
    EXPECT_EQ(shown[0].title, "Input error");
    EXPECT_EQ(shown[0].red, c.red);
}

const ApproxCheckCase kCases[] = {
    {"HuygensThousand", 9, "Huygens", "1000", "1", "10", "", {}},
    {"HuygensOne", 9, "Huygens", "1", "1", "10", "", {}},
    {"HuygensMillion", 9, "Huygens", "1e6", "1", "10", "", {}},
    {"HuygensZero", 9, "Huygens", "0", "1", "10", kRays, {"txtAngle"}},
    {"HuygensAboveMillion", 9, "Huygens", "1000001", "1", "10", kRays, {"txtAngle"}},
    {"HuygensText", 9, "Huygens", "many", "1", "10", kRays, {"txtAngle"}},
    {"HuygensTrailingText", 9, "Huygens", "100x", "1", "10", kRays, {"txtAngle"}},
    {"HuygensEmpty", 9, "Huygens", "", "1", "10", kRays, {"txtAngle"}},
    {"ApertureHalf", 10, "Aperture", "0.5", "1", "10", kSamples, {"txtAngle"}},
    {"ApertureHundred", 10, "Aperture", " 100 ", "1", "10", "", {}},
    {"VanDeHulst", 12, "van de Hulst", "0", "1", "2.5", "", {}},
    {"VanDeHulstNegative", 12, "van de Hulst", "0", "-1", "1e-3", "", {}},
    {"VanDeHulstTextA", 12, "van de Hulst", "0", "a", "2", kCoefficients, {"cboQmin"}},
    {"VanDeHulstBeyondSingleB", 12, "van de Hulst", "0", "1", "1e39", kCoefficients, {"cboQmax"}},
    {"VanDeHulstBothEmpty", 12, "van de Hulst", "0", "", "", kCoefficients, {"cboQmin", "cboQmax"}},
};

INSTANTIATE_TEST_SUITE_P(Methods, ApproxChecks, ::testing::ValuesIn(kCases),
                         [](const auto& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace tessary::test
