// Ray-order selection: the exact caption texts (with their blanks), the flags, counts and loop bound
// for single orders, ranges and the dialog's boxes, the list's numeric value, and the refusal of
// texts that name no order and of absurd orders before anything changes; the options named after a label.
#include "runs/method_codes.h"
#include "scattering/ray_orders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessary {
namespace {

RayChoice Choice(const char* text, int method = kMethodDebye, const std::vector<int>& ticked = {}) {
    RayChoice c;
    c.listText = text;
    c.calcMethod = method;
    for (int p : ticked) c.chkp[static_cast<std::size_t>(p)] = 1;
    c.sphereName = "Water";
    c.mediumName = "Vacuum";
    return c;
}

struct CaptionCase {
    const char* text;
    int method;
    std::vector<int> ticked;
    bool diffraction;
    const char* label;
    int rayCount;
    int rayPMax;
};

class RaysCheckCaption : public testing::TestWithParam<CaptionCase> {};

TEST_P(RaysCheckCaption, IsExact) {
    const CaptionCase& c = GetParam();
    RayChoice choice = Choice(c.text, c.method, c.ticked);
    choice.chkDiffraction = c.diffraction ? 1 : 0;
    const RaysOutcome out = RaysCheck(choice, RaySelection{});
    ASSERT_EQ(out.status, RaysStatus::Ok);
    EXPECT_EQ(out.label, c.label);
    EXPECT_EQ(out.captionText, std::string(c.label) + " Water in Vacuum");
    EXPECT_EQ(out.selection.rayCount, c.rayCount);
    EXPECT_EQ(out.selection.rayPMax, c.rayPMax);
    EXPECT_FALSE(out.writeTitleBar);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RaysCheckCaption,
    testing::Values(CaptionCase{"Multiple", 2, {0, 2}, false, "Debye series (p =  0,  2) ", 2, 50},
                    CaptionCase{"3", 6, {}, true, "Descartes (p = 3)+ Diffraction", 1, 3},
                    CaptionCase{"3", 6, {}, false, "Descartes (p = 3)", 1, 3},
                    CaptionCase{"-4", 5, {}, false, "Airy theory (p = 0 to 4)", 5, 4},
                    CaptionCase{"0", 2, {}, false, "Debye series (p = 0)", 1, 0},
                    CaptionCase{"60", 2, {}, false, "Debye series (p = 60)", 1, 60},
                    CaptionCase{"-60", 2, {}, false, "Debye series (p = 0 to 60)", 61, 60},
                    CaptionCase{"2", 7, {}, false, "Young (p = 2)", 1, 2},
                    CaptionCase{"2", 8, {}, false, "Young mod. (p = 2)", 1, 2},
                    CaptionCase{"1", 9, {}, false, "Huygens (p = 1)", 1, 1},
                    CaptionCase{"3", 1, {}, false, "3)", 1, 3},  // methods without a prefix
                    CaptionCase{"3", 4, {}, false, "3)", 1, 3},
                    CaptionCase{" 7", 2, {}, false, "Debye series (p = 7)", 1, 7},     // as typed, no blanks
                    CaptionCase{"3.0", 2, {}, false, "Debye series (p = 3.0)", 1, 3},  // a whole number
                    CaptionCase{"1e1 ", 2, {}, false, "Debye series (p = 1e1)", 1, 10},
                    CaptionCase{"-2.0", 2, {}, false, "Debye series (p = 0 to 2)", 3, 2},
                    CaptionCase{"", 7, {}, false, "Young (p = 0)", 1, 0},  // empty: the order 0 it gives
                    CaptionCase{"Multiple", 2, {}, true, "Debye series (p = + Diffraction", 0, 50}));

TEST(RaysCheck, AllFiftyOneBoxes) {
    RayChoice choice = Choice("Multiple");
    choice.chkp.fill(1);
    const RaysOutcome out = RaysCheck(choice, RaySelection{});
    std::string expected = "Debye series (p = ";
    for (int p = 0; p <= 50; ++p) expected += " " + std::to_string(p) + (p == 50 ? ") " : ", ");
    EXPECT_EQ(out.label, expected);
    EXPECT_EQ(out.selection.rayCount, 51);
}

TEST(RaysCheck, GreyedBoxIsNotCounted) {
    RayChoice choice = Choice("Multiple", 2, {1});
    choice.chkp[4] = 2;
    const RaysOutcome out = RaysCheck(choice, RaySelection{});
    EXPECT_EQ(out.label, "Debye series (p =  1) ");
    EXPECT_EQ(out.selection.rayCount, 1);
    EXPECT_EQ(out.selection.rayflag[4], 0);
}

TEST(RaysCheck, SurfaceWaveMenusLastTickedWins) {
    RayChoice choice = Choice("1", 11);
    EXPECT_EQ(RaysCheck(choice, RaySelection{}).label, "1)");
    choice.mnuSurfaceBoth = true;
    EXPECT_EQ(RaysCheck(choice, RaySelection{}).label, "Surface wave: short + long paths (p = 1)");
    choice.mnuSurfaceShort = true;
    EXPECT_EQ(RaysCheck(choice, RaySelection{}).label, "Surface wave: short path (p = 1)");
    choice.mnuSurfaceLong = true;
    EXPECT_EQ(RaysCheck(choice, RaySelection{}).label, "Surface wave: long path (p = 1)");
}

TEST(RaysCheck, FlagsOfOrdersAndRanges) {
    // "60": the table grows to 0..60 with only 60 set.
    const RaySelection sixty = RaysCheck(Choice("60"), RaySelection{}).selection;
    ASSERT_EQ(sixty.rayflag.size(), 61u);
    for (int p = 0; p <= 60; ++p) EXPECT_EQ(sixty.rayflag[p], p == 60 ? 1 : 0) << p;

    // "-60": 0..60 all set.
    const RaySelection range = RaysCheck(Choice("-60"), RaySelection{}).selection;
    ASSERT_EQ(range.rayflag.size(), 61u);
    for (int p = 0; p <= 60; ++p) EXPECT_EQ(range.rayflag[p], 1) << p;

    // "-5" after "60" (the handler clears 0..50 first): no new table, 0..5 set, 60 keeps its flag.
    RaySelection cleared = sixty;
    ClearRayFlags(cleared);
    const RaysOutcome five = RaysCheck(Choice("-5"), cleared);
    ASSERT_EQ(five.selection.rayflag.size(), 61u);
    for (int p = 0; p <= 60; ++p) EXPECT_EQ(five.selection.rayflag[p], (p <= 5 || p == 60) ? 1 : 0) << p;
    EXPECT_EQ(five.selection.rayPMax, 5);
    EXPECT_EQ(five.selection.rayCount, 6);
    EXPECT_EQ(five.label, "Debye series (p = 0 to 5)");

    // A single order re-creates the table: the stale 60 goes.
    const RaySelection two = RaysCheck(Choice("2"), five.selection).selection;
    ASSERT_EQ(two.rayflag.size(), 51u);
    for (int p = 0; p <= 50; ++p) EXPECT_EQ(two.rayflag[p], p == 2 ? 1 : 0) << p;
}

TEST(RaysCheck, MultipleNeverClearsAFlag) {
    // Flags left at 1 by an earlier selection stay; they are listed, and ") " follows the rayCount-th.
    RaySelection stale;
    stale.rayflag[0] = 1;
    const RaysOutcome out = RaysCheck(Choice("Multiple", 2, {2}), stale);
    EXPECT_EQ(out.selection.rayCount, 1);
    EXPECT_EQ(out.selection.rayflag[0], 1);
    EXPECT_EQ(out.label, "Debye series (p =  0)  2, ");
}

TEST(RaysCheck, RefusesAbsurdOrdersBeforeAnythingChanges) {
    RaySelection current = RaysCheck(Choice("3"), RaySelection{}).selection;
    for (const char* text :
         {"4294967296", "-4294967296", "1e300", "1e999", "-2147483648", "100001", "-100001"}) {
        const RaysOutcome out = RaysCheck(Choice(text), current);
        EXPECT_EQ(out.status, RaysStatus::OrderTooLarge) << text;
        EXPECT_EQ(out.message, "The ray order must lie between -100000 and 100000") << text;
        EXPECT_EQ(out.title, "Input error");
        EXPECT_TRUE(out.label.empty());
        EXPECT_EQ(out.selection.rayflag, current.rayflag);
        EXPECT_EQ(out.selection.rayPMax, 3);
        EXPECT_EQ(DebyeLabel(Choice(text), current).status, RaysStatus::OrderTooLarge) << text;
    }
    EXPECT_EQ(RaysCheck(Choice("100000"), current).status, RaysStatus::Ok);
}

// A text that is no whole number alone would run with the order its leading number gives ("0-3" with 0,
// "2.5" with 2): refused, the selection as it was (the window test checks the message).
TEST(RaysCheck, RefusesTextsThatNameNoOrder) {
    const RaySelection current = RaysCheck(Choice("3"), RaySelection{}).selection;
    for (const char* text :
         {"0-3", "2,3", "3 4", "2.5", "3.5", "-0.4", "abc", "7e", "1e-999", "-", "Multiple ", "3p"}) {
        for (const RaysOutcome& out : {RaysCheck(Choice(text), current), DebyeLabel(Choice(text), current)}) {
            EXPECT_EQ(out.status, RaysStatus::NotAnOrder) << text;
            EXPECT_TRUE(out.label.empty());
            EXPECT_EQ(out.selection.rayflag, current.rayflag);
        }
    }
}

struct NumberCase {
    const char* text;
    double value;
};

class RayListNumberCase : public testing::TestWithParam<NumberCase> {};

TEST_P(RayListNumberCase, ReadsTheLeadingNumber) {
    EXPECT_EQ(RayListNumber(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, RayListNumberCase,
                         testing::Values(NumberCase{"12", 12.0}, NumberCase{"  -5", -5.0},
                                         NumberCase{"+3", 3.0}, NumberCase{"2.5x", 2.5},
                                         NumberCase{".5", 0.5}, NumberCase{"1e3", 1000.0},
                                         NumberCase{"2.5d1", 25.0}, NumberCase{"7e", 7.0},
                                         NumberCase{"Multiple", 0.0}, NumberCase{"", 0.0},
                                         NumberCase{"-", 0.0}, NumberCase{"-0.4", -0.4},
                                         NumberCase{"1e-999", 0.0}));

// ---- DebyeLabel -------------------------------------------------------------------------------------

TEST(DebyeLabel, GaussianBeamMultiple) {
    RayChoice choice = Choice("Multiple", 2, {0, 2});
    choice.mnuGaussian = true;
    choice.chkDiffraction = 1;  // no suffix here
    const RaysOutcome out = DebyeLabel(choice, RaySelection{});
    ASSERT_EQ(out.status, RaysStatus::Ok);
    EXPECT_EQ(out.label, "Debye series (Gaussian beam) (p = 0,  2) ");
    EXPECT_EQ(out.captionText, "Debye series (Gaussian beam) (p = 0,  2)  Water in Vacuum");
    EXPECT_TRUE(out.writeTitleBar);
    EXPECT_FALSE(out.clearDialogBoxes);
    EXPECT_EQ(out.selection.rayPMax, 50);
}

struct LabelCase {
    const char* text;
    const char* label;
    int rayCount;
    int rayPMax;
};

class DebyeLabelCase : public testing::TestWithParam<LabelCase> {};

TEST_P(DebyeLabelCase, NumbersClearTheDialog) {
    const LabelCase& c = GetParam();
    RayChoice choice = Choice(c.text, 2, {1, 7});
    choice.chkDiffraction = 1;  // cleared: no "+ Diffraction"
    const RaysOutcome out = DebyeLabel(choice, RaySelection{});
    ASSERT_EQ(out.status, RaysStatus::Ok);
    EXPECT_EQ(out.label, c.label);
    EXPECT_EQ(out.selection.rayCount, c.rayCount);
    EXPECT_EQ(out.selection.rayPMax, c.rayPMax);
    EXPECT_TRUE(out.clearDialogBoxes);
    EXPECT_TRUE(out.writeTitleBar);
}

INSTANTIATE_TEST_SUITE_P(Cases, DebyeLabelCase,
                         testing::Values(LabelCase{"3", "Debye series (p = 3) ", 1, 3},
                                         LabelCase{"-4", "Debye series (p = 0 to 4)", 5, -4},
                                         LabelCase{"-60", "Debye series (p = 0 to 60)", 61, -60},
                                         LabelCase{"60", "Debye series (p = 60) ", 1, 60},
                                         LabelCase{"-0", "Debye series (p = 0) ", 1, 0}));

TEST(DebyeLabel, EmptyMultipleIsReported) {
    const RaysOutcome out = DebyeLabel(Choice("Multiple"), RaySelection{});
    EXPECT_EQ(out.status, RaysStatus::NoRaysSelected);
    EXPECT_EQ(out.message, "No rays selected");
    EXPECT_EQ(out.title, "Error");
    EXPECT_EQ(out.label, "Debye series (p = ");  // as RaysCheck left it
    EXPECT_FALSE(out.writeTitleBar);
}

}  // namespace
}  // namespace tessary
