// Series computed ahead: a result taken and restored is the series' own to the bit (over a window
// that moves from call to call), and a wait that its hook stops ends the batch early and starts none.
#include <gtest/gtest.h>

#include <vector>

#include "scattering/mie.h"
#include "scattering/mie_ahead.h"

namespace tessary {
namespace {

MieInput Input(double x, int nang, int first, int last) {
    MieInput in;
    in.x = x;
    in.m = {1.33, 0.001};
    in.NANG = nang;
    in.first = first;
    in.last = last;
    return in;
}

TEST(MieAhead, RestoredResultsAreTheSeriesOwn) {
    // Windows of different widths and places on one grid, then another grid.
    const std::vector<MieInput> inputs = {Input(50, 181, 1, 361), Input(60, 181, 300, 310),
                                          Input(70, 181, 5, 5), Input(80, 46, 90, 90)};
    MieAhead ahead;
    MieAheadPlan plan(ahead, inputs, 2);
    MieResult restored, direct;
    for (int k = 0; k < static_cast<int>(inputs.size()); ++k) {
        plan.Reach(k);
        const MieResult* kept = ahead.Take(inputs[static_cast<std::size_t>(k)]);
        ASSERT_NE(kept, nullptr) << k;
        MieAhead::Restore(*kept, restored);
        MieSeries(inputs[static_cast<std::size_t>(k)], direct);
        EXPECT_EQ(restored.S1re, direct.S1re) << k;
        EXPECT_EQ(restored.S1im, direct.S1im) << k;
        EXPECT_EQ(restored.S2re, direct.S2re) << k;
        EXPECT_EQ(restored.S2im, direct.S2im) << k;
        EXPECT_EQ(restored.Qsca, direct.Qsca) << k;
        EXPECT_EQ(restored.g, direct.g) << k;
        EXPECT_EQ(restored.termCount, direct.termCount) << k;
        EXPECT_EQ(ahead.Take(inputs[static_cast<std::size_t>(k)]), nullptr) << "handed out once";
    }
    EXPECT_EQ(ahead.Take(Input(90, 46, 90, 90)), nullptr);  // never asked for
}

TEST(MieAhead, AWaitStoppedByItsHookEndsTheBatch) {
    MieAhead ahead;
    int calls = 0;
    ahead.SetWaitHook([&] { return ++calls >= 2; });
    const std::vector<MieInput> slow(4, Input(60000, 9001, 1, 18001));  // seconds each
    ahead.Start(slow);
    EXPECT_EQ(ahead.Take(slow[0]), nullptr);  // stopped, not computed
    EXPECT_GE(calls, 2);                      // called on until the batch has ended
    calls = 0;
    ahead.Start(slow);
    ahead.Start({Input(50, 46, 90, 90)});  // the wait is stopped: the run ends, nothing more starts
    EXPECT_GE(calls, 2);
    EXPECT_EQ(ahead.Take(Input(50, 46, 90, 90)), nullptr);  // a quick series, never started
}

}  // namespace
}  // namespace tessary
